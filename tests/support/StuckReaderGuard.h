// Runs code that opens a file which may be a FIFO, with a time-out: a reader (or writer) that
// waits on the FIFO for the other end would otherwise hang the whole suite. On a time-out the
// FIFO's ends are opened, which lets the stuck code go, and the run is reported as too slow.
#pragma once

#include <filesystem>
#include <functional>

namespace testsupport {

// Makes a FIFO at path (parent folders included); false when that failed.
bool makeFifo(const std::filesystem::path& path);

// Runs body on its own thread; true when it ended within the time-out (generous: a busy machine
// must never fail it). Otherwise releases what waits on fifo and waits for body to end.
bool endsWithoutWaitingOn(const std::filesystem::path& fifo, const std::function<void()>& body);

}  // namespace testsupport
