// Which threads the test process runs, by name, for tests that check that no worker outlives
// its owner. The game names its workers "brx-..." (SDL's and the GL driver's threads have names
// of their own).
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// Names of this process's threads other than the calling one (from /proc/self/task).
std::vector<std::string> otherThreadNames();

// The game's worker threads still running (any that are ending get a few seconds to go).
int runningWorkers();

// Threads of SDL's audio device still running (likewise).
int runningAudioDevices();

}  // namespace testsupport
