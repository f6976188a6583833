// The HTML log "Report.html": created when the process starts, finished when it ends, and
// opened and closed around every write so it stays complete even if the program dies.
#pragma once

#include <chrono>

#include <string>

namespace brx {

constexpr const char* kReportFileName = "Report.html";

// Until start() runs, errors are only counted and nothing is written, so tests and tools that
// link the game's code never leave a Report.html behind. The game's entry point calls
// startForProcess() first thing.
class ErrorLog {
public:
    // The process-wide log.
    static ErrorLog& instance();

    // Starts the process-wide log and finishes it at process exit (once per process).
    static void startForProcess(const std::string& fileName = kReportFileName);

    // Creates (truncates) the file and writes the four start lines with the local time.
    void start(const std::string& fileName);
    // Appends a numbered error line (counted even before start); returns the new error count.
    int error(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Appends a plain line.
    void line(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Appends the two end lines with the error count and the local time.
    void finish();

    int errorCount() const { return errors_; }
    const std::string& fileName() const { return fileName_; }

private:
    void append(const std::string& text) const;

    std::string fileName_;
    int errors_ = 0;
    // The error lines are stamped with milliseconds since start (wall time, not CPU time).
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

// Shorthands for the process-wide log.
#define BRX_LOG_ERROR(...) ::brx::ErrorLog::instance().error(__VA_ARGS__)
#define BRX_LOG_LINE(...) ::brx::ErrorLog::instance().line(__VA_ARGS__)

}  // namespace brx
