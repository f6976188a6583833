// One of the three window sizes the game offers, with the refresh rates the display driver
// reports for it.
#pragma once

#include <vector>

namespace brx {

struct DisplayResolution {
    int width = 0;
    int height = 0;
    std::vector<int> refreshRatesHz;  // in the order the driver listed its modes
};

}  // namespace brx
