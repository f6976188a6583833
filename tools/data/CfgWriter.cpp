#include "tools/data/CfgWriter.h"

#include <cstdio>
#include <string>

namespace brx::tools {

void CfgWriter::addComment(const std::string& text) {
    text_ += "// " + text + "\n";
}

void CfgWriter::addInt(const std::string& key, int value) {
    addLine(key, std::to_string(value));
}

void CfgWriter::addFloat(const std::string& key, double value) {
    addLine(key, formatNumber(value));
}

void CfgWriter::addIntList(const std::string& key, const std::vector<int>& values, char separator) {
    std::string list;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) list += separator;
        list += std::to_string(values[i]);
    }
    addLine(key, "\"" + list + "\"");
}

void CfgWriter::addFloatList(const std::string& key, const std::vector<double>& values,
                             char separator) {
    std::string list;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) list += separator;
        list += formatNumber(values[i]);
    }
    addLine(key, "\"" + list + "\"");
}

void CfgWriter::addBlankLine() {
    text_ += "\n";
}

std::string CfgWriter::formatNumber(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    std::string text = buffer;
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    if (text == "-0") text = "0";
    return text;
}

void CfgWriter::addLine(const std::string& key, const std::string& value) {
    text_ += key + "=" + value + "\n";
}

}  // namespace brx::tools
