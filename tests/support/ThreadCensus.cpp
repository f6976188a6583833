#include "tests/support/ThreadCensus.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

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

namespace {

// A joined thread can still be listed for a moment: the join returns once the thread has let go
// of its stack, before the kernel has taken its entry away. A thread still listed after this
// long has not ended.
constexpr auto kEndingGrace = std::chrono::seconds(3);
constexpr auto kLookAgain = std::chrono::milliseconds(10);

int countThreads(const std::string& prefix) {
    int count = 0;
    for (const std::string& name : otherThreadNames()) count += name.rfind(prefix, 0) == 0;
    return count;
}

}  // namespace

// Threads whose name begins so, once any that are ending have had time to go.
int runningThreads(const std::string& prefix) {
    const auto deadline = std::chrono::steady_clock::now() + kEndingGrace;
    int count = countThreads(prefix);
    while (count > 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kLookAgain);
        count = countThreads(prefix);
    }
    return count;
}

int runningWorkers() {
    return runningThreads("brx-");
}

int runningAudioDevices() {
    return runningThreads("SDLAudio");
}

}  // namespace testsupport
