#include "tests/support/StuckReaderGuard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <thread>

namespace testsupport {
namespace {

constexpr auto kTimeOut = std::chrono::seconds(20);
constexpr auto kRetryPause = std::chrono::milliseconds(50);

// Opens the write end and closes it again, so a reader waiting in open() goes on and reads the
// end of the file; and holds the read end open, so a writer waiting in open() goes on and its
// writes land in the pipe. Tried until the body has ended, since it may only just be arriving.
void releaseWaiters(const std::filesystem::path& fifo, std::future<void>& running) {
    int readEnd = -1;
    while (running.wait_for(kRetryPause) != std::future_status::ready) {
        if (readEnd < 0) readEnd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) close(fd);
    }
    if (readEnd >= 0) close(readEnd);
}

}  // namespace

bool makeFifo(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    return mkfifo(path.c_str(), 0600) == 0;
}

bool endsWithoutWaitingOn(const std::filesystem::path& fifo, const std::function<void()>& body) {
    std::future<void> running = std::async(std::launch::async, body);
    if (running.wait_for(kTimeOut) == std::future_status::ready) {
        running.get();
        return true;
    }
    releaseWaiters(fifo, running);
    running.get();
    return false;
}

}  // namespace testsupport
