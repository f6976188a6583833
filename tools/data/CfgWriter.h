// Writes the .Cfg text the game's reader parses: one "Key=value" line per key, in the order added.
// Lists are written inside quotes, because the list look-ups drop the first and last character
// of a value and a bare value would end at the first blank. Everything stays on one line per key
// so no reader has to cope with line breaks inside a value.
#pragma once

#include <string>
#include <vector>

namespace brx::tools {

class CfgWriter {
public:
    // A comment line ("// text"), for the people who read the shipped files.
    void addComment(const std::string& text);
    // Key=value with an integer value.
    void addInt(const std::string& key, int value);
    // Key=value with a decimal value (up to six significant digits after the point).
    void addFloat(const std::string& key, double value);
    // Key="a<sep>b<sep>c" with integer entries.
    void addIntList(const std::string& key, const std::vector<int>& values, char separator);
    // Key="a<sep>b<sep>c" with decimal entries.
    void addFloatList(const std::string& key, const std::vector<double>& values, char separator);
    // A blank line between blocks of keys.
    void addBlankLine();

    // The whole file, every line ended by a line feed.
    const std::string& text() const { return text_; }

    // The shortest plain decimal text for a tuning number ("0.25", "-60", "1.5").
    static std::string formatNumber(double value);

private:
    void addLine(const std::string& key, const std::string& value);

    std::string text_;
};

}  // namespace brx::tools
