// "Data/Credits.Kv": the scrolling credits. Lines end in carriage return and line feed; the
// credits screen draws a line whose text ends in "#" as a yellow heading (without the "#").
// Blank lines hold one space, so every line has a character before its carriage return, and
// the file ends with such a line instead of a final line feed, so no empty line follows it.
#pragma once

#include <string>
#include <vector>

namespace brx::tools {

class CreditsWriter {
public:
    // The lines as shown, headings marked with a trailing "#".
    static const std::vector<std::string>& lines();
    // The file text.
    static std::string creditsFile();
};

}  // namespace brx::tools
