// Fatal conditions travel as exceptions to the entry point, which shows a box and ends the
// process with the exception's code. Everything else reports by result and carries on.
#pragma once

#include <string>

namespace brx {

class OException {
public:
    OException(int code, std::string message) : code_(code), message_(std::move(message)) {}
    virtual ~OException() = default;

    int code() const { return code_; }
    const std::string& message() const { return message_; }

private:
    int code_;
    std::string message_;
};

// A data file the game cannot do without is missing or unreadable.
class OFileNotFound : public OException {
public:
    static constexpr int kCode = 3;
    explicit OFileNotFound(const std::string& file = {})
        : OException(kCode, "Required file missing. Please reinstall the game."), file_(file) {}
    const std::string& file() const { return file_; }

private:
    std::string file_;
};

// The OpenGL driver is a slow software rasterizer that cannot carry the game.
class OSoftwareGL : public OException {
public:
    static constexpr int kCode = 1;
    OSoftwareGL() : OException(kCode, "Hardware OpenGL support is missing.") {}
};

}  // namespace brx
