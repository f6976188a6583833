#include "core/ErrorLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace brx {
namespace {

// Messages are single short lines; longer ones are cut at the buffer's end.
constexpr size_t kMessageBytes = 1024;

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string formatTime(const char* format) {
    const std::tm t = localNow();
    char text[160];
    std::snprintf(text, sizeof text, format, t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                  t.tm_min, t.tm_sec);
    return text;
}

std::string formatMessage(const char* format, va_list arguments) {
    char message[kMessageBytes];
    std::vsnprintf(message, sizeof message, format, arguments);
    return message;
}

constexpr mode_t kLogFileMode = 0666;

// Opens the log for writing (fresh or appending) only when it is, or becomes, a regular file:
// opening never waits (a FIFO with no reader fails at once) and anything else is refused.
std::FILE* openLogFile(const std::string& name, bool fresh) {
    const int how = O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | (fresh ? O_TRUNC : O_APPEND);
    const int fd = open(name.c_str(), how, kLogFileMode);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = EINVAL;
        return nullptr;
    }
    std::FILE* file = fdopen(fd, fresh ? "w" : "a");
    if (!file) close(fd);
    return file;
}

void finishProcessLog() {
    ErrorLog::instance().finish();
}

}  // namespace

ErrorLog& ErrorLog::instance() {
    static ErrorLog log;
    return log;
}

void ErrorLog::startForProcess(const std::string& fileName) {
    static bool started = false;
    instance().start(fileName);
    if (!started) std::atexit(finishProcessLog);
    started = true;
}

void ErrorLog::start(const std::string& fileName) {
    fileName_ = fileName;
    errors_ = 0;
    started_ = std::chrono::steady_clock::now();
    std::FILE* file = openLogFile(fileName_, true);
    if (!file) {
        std::fprintf(stderr, "The log %s cannot be written (%s)\n", fileName_.c_str(),
                     errno == EINVAL ? "not a regular file" : std::strerror(errno));
        return;
    }
    std::fputs("<HTML>\n<HEAD>  <TITLE> Log file  </TITLE>  </HEAD>\n", file);
    std::fputs("<BODY>\n", file);
    std::fputs("<FONT  STYLE='FONT-SIZE: 10pt'>\n<PRE>", file);
    std::fputs(formatTime("\n<B><FONT color= '0000ff'>Log file opened: %d/%02d/%02d - "
                          "%02d:%02d:%02d </FONT></B>\n\n")
                   .c_str(),
               file);
    std::fclose(file);
}

int ErrorLog::error(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const std::string message = formatMessage(format, arguments);
    va_end(arguments);
    char number[32];
    const auto sinceStart = std::chrono::steady_clock::now() - started_;
    const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
    std::snprintf(number, sizeof number, "%7lld", ms);
    append(std::string(number) + "> <B><FONT color= 'ff0000'>Error:</FONT></B> " + message + "\n");
    return ++errors_;
}

void ErrorLog::line(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const std::string message = formatMessage(format, arguments);
    va_end(arguments);
    append(message + "\n");
}

void ErrorLog::finish() {
    append("\n<B><FONT color= '0000ff'>Total Errors = " + std::to_string(errors_) + "\n" +
           formatTime("Log file closed: %d/%02d/%02d - %02d:%02d:%02d </FONT></B>\n\n"));
}

void ErrorLog::append(const std::string& text) const {
    if (fileName_.empty()) return;
    std::FILE* file = openLogFile(fileName_, false);
    if (!file) return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

}  // namespace brx
