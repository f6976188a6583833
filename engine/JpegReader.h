// Decodes JPEG files held in memory with libjpeg (API 62).
//
// Design note: libjpeg reports fatal errors through a callback that must not return. The
// reader installs its own error manager that jumps back into the reader, so a damaged file
// fails the load instead of ending the process. The memory source never suspends: past the
// end of the data it supplies an end-of-image marker, so a truncated file decodes as far as
// its data goes (the library fills the rest) and is reported through the diagnostic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/DecodedImage.h"

namespace brx {

class JpegReader {
public:
    // Decodes the file into *image, rows top row first as decoded: greyscale as one-component
    // luminance, colour as R G B. Four-component (CMYK, YCCK) files are converted to R G B.
    // False, with *image untouched, when the library cannot decode the file or its size is
    // beyond the decoder limits. *diagnostic (when given) receives the library's last error
    // or warning text, empty for a clean file.
    static bool decode(const uint8_t* bytes, size_t size, DecodedImage* image,
                       std::string* diagnostic = nullptr);
};

}  // namespace brx
