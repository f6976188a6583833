// Design note: the parser is a flat loop over the prepared text with a stack of section prefix
// lengths, so nesting depth costs no call stack. Key paths are capped at kMaxKeyPathLength
// bytes: every key stores its whole path, and without a cap a hostile file of deeply nested
// sections would make memory grow with the square of its size.
#include "core/ConfigFile.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "core/DataPath.h"

namespace brx {
namespace {

constexpr size_t kMaxKeyPathLength = 256;

bool isWhite(char c) {
    return c == '\0' || c == '\t' || c == '\n' || c == ' ';
}

bool isCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The prepared text and the parser's position in it.
struct Cursor {
    const std::string& text;
    size_t pos = 0;

    bool atEnd() const { return pos >= text.size(); }
    char peek() const { return text[pos]; }
    bool atComment() const {
        return pos + 1 < text.size() && text[pos] == '/' && text[pos + 1] == '/';
    }
    // Skips white space and "//" comments.
    void skipBlank() {
        while (!atEnd()) {
            if (isWhite(peek())) {
                ++pos;
            } else if (atComment()) {
                const size_t lineEnd = text.find('\n', pos);
                pos = lineEnd == std::string::npos ? text.size() : lineEnd;
            } else {
                break;
            }
        }
    }
};

// A name runs to white space or "="; a leading "}" is a name by itself.
std::string readName(Cursor& in) {
    if (!in.atEnd() && in.peek() == '}') {
        ++in.pos;
        return "}";
    }
    const size_t start = in.pos;
    while (!in.atEnd() && !isWhite(in.peek()) && in.peek() != '=') ++in.pos;
    return in.text.substr(start, in.pos - start);
}

// "[...]" up to the first "]", brackets included; false when the text ends first.
bool readBracketed(Cursor& in, std::string& value) {
    const size_t close = in.text.find(']', in.pos);
    if (close == std::string::npos) return false;
    value.append(in.text, in.pos, close + 1 - in.pos);
    in.pos = close + 1;
    return true;
}

// A quoted value up to the next quote not preceded by a backslash, quotes included. Two
// backslashes become a backslash and a space, so a value can end in a backslash.
bool readQuoted(Cursor& in, std::string& value) {
    value.push_back(in.peek());
    ++in.pos;
    while (!in.atEnd()) {
        const char c = in.peek();
        if (c == '\\' && in.pos + 1 < in.text.size() && in.text[in.pos + 1] == '\\') {
            value += "\\ ";
            in.pos += 2;
            continue;
        }
        const bool escaped = value.size() > 1 && value.back() == '\\';
        value.push_back(c);
        ++in.pos;
        if (c == '"' && !escaped) return true;
    }
    return false;
}

// "{ [..] [..] }": the bracketed groups are kept, everything else between them is dropped.
bool readListBlock(Cursor& in, std::string& value) {
    value = "{";
    for (;;) {
        in.skipBlank();
        if (in.atEnd()) return false;
        if (in.peek() == '[') {
            if (!readBracketed(in, value)) return false;
        } else if (in.peek() == '}') {
            value.push_back('}');
            ++in.pos;
            return true;
        } else {
            ++in.pos;
        }
    }
}

// A bare value up to white space or "}"; false when the text ends first.
bool readBare(Cursor& in, std::string& value) {
    const size_t start = in.pos;
    while (!in.atEnd() && !isWhite(in.peek()) && in.peek() != '}') ++in.pos;
    value = in.text.substr(start, in.pos - start);
    return !in.atEnd();
}

// Leading decimal digits with optional white space and sign, clamped to int; 0 when none.
int parseDecimal(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && isCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) value = -value;
    return int(std::clamp(value, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

// Hexadecimal digits after "0x"; the bit pattern of up to eight digits, so colours such as
// 0xFFFFFFFF come back as the int that setInt wrote.
int parseHex(const std::string& text) {
    uint32_t value = 0;
    for (size_t i = 2; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            break;
        }
        value = value << 4 | uint32_t(digit);
    }
    return int(value);
}

int parseInt(const std::string& text) {
    return text.compare(0, 2, "0x") == 0 ? parseHex(text) : parseDecimal(text);
}

float parseFloat(const std::string& text) {
    return std::strtof(text.c_str(), nullptr);
}

// The pieces of a list value: first and last character dropped, split at runs of separator.
std::vector<std::string> splitList(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    if (text.size() < 2) return pieces;
    const std::string inner = text.substr(1, text.size() - 2) + separator;
    size_t i = 0;
    while (i < inner.size()) {
        if (inner[i] == separator) {
            ++i;
            continue;
        }
        const size_t end = inner.find(separator, i);
        pieces.push_back(inner.substr(i, end - i));
        i = end;
    }
    return pieces;
}

std::vector<std::string> splitPath(const std::string& key) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t dot = key.find('.'); dot != std::string::npos; dot = key.find('.', start)) {
        parts.push_back(key.substr(start, dot - start));
        start = dot + 1;
    }
    parts.push_back(key.substr(start));
    return parts;
}

// Closes open sections down to keep levels; a section at level L closes with L tabs.
void closeSections(std::string& out, std::vector<std::string>& open, size_t keep) {
    while (open.size() > keep) {
        open.pop_back();
        out.append(open.size(), '\t');
        out += "}\n";
    }
}

}  // namespace

void scrambleRolling(std::string& bytes) {
    uint8_t key = kScrambleStart;
    for (char& c : bytes) {
        c = char(uint8_t(c) ^ key);
        key = key == kScrambleLast ? kScrambleStart : uint8_t(key + 1);
    }
}

int ConfigFile::loadFile(const std::string& path) {
    std::string text;
    if (readPlayerFile(toDiskPath(path), text) != ReadOutcome::read) return status = 1;
    scrambleRolling(text);
    if (!text.empty() && text.back() != '\n') text.push_back('\n');
    return status = parse(std::move(text));
}

int ConfigFile::loadBuffer(const char* bytes, size_t length) {
    std::string text(bytes ? bytes : "", bytes ? length : 0);
    // Each carriage return ends a line: the line feed of a CR LF pair then starts the next one
    // and counts as white space.
    for (char& c : text) {
        if (c == '\r') c = '\n';
    }
    text.push_back('\n');
    return status = parse(std::move(text));
}

int ConfigFile::parse(std::string text) {
    values.clear();
    sections.clear();
    keys.clear();
    Cursor in{text};
    std::string prefix;
    std::vector<size_t> openPrefixLengths;
    for (;;) {
        in.skipBlank();
        const std::string name = readName(in);
        if (in.atEnd() && name.empty()) return 0;
        if (name == "}") {
            if (openPrefixLengths.empty()) return 1;
            prefix.resize(openPrefixLengths.back());
            openPrefixLengths.pop_back();
            continue;
        }
        if (in.atEnd()) return 1;
        if (prefix.size() + name.size() > kMaxKeyPathLength) return 1;
        in.skipBlank();
        if (in.atEnd() || in.peek() != '=') return 1;
        ++in.pos;
        in.skipBlank();
        if (in.atEnd()) return 1;

        std::string value;
        bool complete = true;
        if (in.peek() == '{') {
            ++in.pos;
            in.skipBlank();
            if (in.atEnd() || in.peek() != '[') {
                openPrefixLengths.push_back(prefix.size());
                prefix += name;
                sections.push_back(prefix);
                prefix += '.';
                continue;
            }
            complete = readListBlock(in, value);
        } else if (in.peek() == '[') {
            complete = readBracketed(in, value);
        } else if (in.peek() == '"') {
            complete = readQuoted(in, value);
        } else {
            complete = readBare(in, value);
        }
        if (!complete) return 1;
        const std::string key = prefix + name;
        values[key] = std::move(value);
        keys.push_back(key);
    }
}

std::string ConfigFile::serialize() const {
    std::string out;
    std::vector<std::string> open;  // the sections of the previous key, outermost first
    for (const auto& [key, value] : values) {
        std::vector<std::string> parts = splitPath(key);
        const std::string name = parts.back();
        parts.pop_back();
        size_t shared = 0;
        while (shared < open.size() && shared < parts.size() && open[shared] == parts[shared]) {
            ++shared;
        }
        closeSections(out, open, shared);
        for (size_t level = shared; level < parts.size(); ++level) {
            out.append(level, '\t');
            out += parts[level] + " = {\n";
            open.push_back(parts[level]);
        }
        out.append(parts.size(), '\t');
        out += name + "=" + value + "\n";
    }
    closeSections(out, open, 0);
    return out;
}

int ConfigFile::save(const std::string& path) {
    std::string bytes = serialize();
    scrambleRolling(bytes);
    return status = writeFileAtomically(toDiskPath(path), bytes) ? 0 : 1;
}

std::string ConfigFile::getString(const std::string& key, const std::string& fallback) {
    const auto found = values.find(key);
    if (found == values.end()) {
        status = 1;
        return fallback;
    }
    return found->second;
}

int ConfigFile::getInt(const std::string& key, int fallback) {
    const auto found = values.find(key);
    if (found == values.end()) {
        status = 1;
        return fallback;
    }
    return parseInt(found->second);
}

float ConfigFile::getFloat(const std::string& key, float fallback) {
    const auto found = values.find(key);
    if (found == values.end()) {
        status = 1;
        return fallback;
    }
    return parseFloat(found->second);
}

std::vector<int> ConfigFile::getIntList(const std::string& key, char separator) {
    std::vector<int> list;
    const auto found = values.find(key);
    if (found == values.end()) {
        status = 1;
        return list;
    }
    for (const std::string& piece : splitList(found->second, separator)) {
        list.push_back(parseDecimal(piece));
    }
    return list;
}

std::vector<float> ConfigFile::getFloatList(const std::string& key, char separator) {
    std::vector<float> list;
    const auto found = values.find(key);
    if (found == values.end()) {
        status = 1;
        return list;
    }
    for (const std::string& piece : splitList(found->second, separator)) {
        list.push_back(parseFloat(piece));
    }
    return list;
}

void ConfigFile::setInt(const std::string& key, int value, bool hex) {
    char text[16];
    if (hex) {
        std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(value));
    } else {
        std::snprintf(text, sizeof text, "%d", value);
    }
    values[key] = text;
}

void ConfigFile::setFloat(const std::string& key, float value) {
    // Huge magnitudes print long under "%f", so the text is sized by a first measuring pass.
    const int length = std::snprintf(nullptr, 0, "%f", double(value));
    std::string text(size_t(std::max(length, 0)), '\0');
    std::snprintf(text.data(), text.size() + 1, "%f", double(value));
    values[key] = text;
}

void ConfigFile::setString(const std::string& key, const std::string& valueText) {
    values[key] = valueText;
}

}  // namespace brx
