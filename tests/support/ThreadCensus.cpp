#include "tests/support/ThreadCensus.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace testsupport {
namespace {

// The name of a thread (empty when it has ended meanwhile).
std::string threadName(const std::filesystem::path& task) {
    std::ifstream in(task / "comm");
    std::string name;
    std::getline(in, name);
    return name;
}

}  // namespace

std::vector<std::string> otherThreadNames() {
    const std::string self = std::to_string(long(syscall(SYS_gettid)));
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        if (task.path().filename() == self) continue;
        const std::string name = threadName(task.path());
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

// Threads whose name begins so.
int runningThreads(const std::string& prefix) {
    int count = 0;
    for (const std::string& name : otherThreadNames()) count += name.rfind(prefix, 0) == 0;
    return count;
}

int runningWorkers() {
    return runningThreads("brx-");
}

int runningAudioDevices() {
    return runningThreads("SDLAudio");
}

}  // namespace testsupport
