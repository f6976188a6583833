// What start-up decodes ahead: every picture except the backgrounds the player did not choose.
#include <gtest/gtest.h>

#include "app/OBrixel.h"
#include "core/DataManifest.h"
#include "core/SystemSettings.h"

namespace brx {
namespace {

TEST(StartTextures, OnlyTheChosenBackgroundIsDecodedAhead) {
    const SystemSettings kept = SystemSettings::instance();
    OBrixel game;
    const OApplication& shell = game;  // the shell asks through its own hook
    const std::string backgrounds[] = {OBrixel::backgroundName(0), OBrixel::backgroundName(1),
                                       OBrixel::backgroundName(2)};
    for (int chosen = 0; chosen < 3; ++chosen) {
        SystemSettings::instance().background = chosen;
        for (int other = 0; other < 3; ++other)
            EXPECT_EQ(shell.skipsAtStart(backgrounds[other]), other != chosen)
                << "chosen " << chosen << ", " << backgrounds[other];
        int skipped = 0;
        for (const std::string& name : DataManifest::preloadTextures())
            if (shell.skipsAtStart(name)) ++skipped;
        EXPECT_EQ(skipped, 2) << "every other texture of the preload list is still loaded";
    }
    SystemSettings::instance() = kept;
}

}  // namespace
}  // namespace brx
