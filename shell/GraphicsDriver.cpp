#include "shell/GraphicsDriver.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace brx {
namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool containsAny(const std::string& text, std::initializer_list<const char*> words) {
    return std::any_of(words.begin(), words.end(),
                       [&](const char* word) { return text.find(word) != std::string::npos; });
}

// "ati" as a word of its own: inside words it would send "Intel Corporation" and "Mesa/X.org
// ... Accelerated" to the wrong vendor's page.
bool namesAti(const std::string& text) {
    for (size_t at = text.find("ati"); at != std::string::npos; at = text.find("ati", at + 1)) {
        const bool startsWord = at == 0 || !std::isalpha((unsigned char)text[at - 1]);
        const bool endsWord = at + 3 >= text.size() || !std::isalpha((unsigned char)text[at + 3]);
        if (startsWord && endsWord) return true;
    }
    return false;
}

}  // namespace

bool GraphicsDriver::isSoftwareRenderer(const std::string& renderer) {
    return containsAny(lowered(renderer), {"softpipe", "software rasterizer", "swrast"});
}

const char* GraphicsDriver::driverPage(const std::string& vendor, const std::string& renderer) {
    const std::string v = lowered(vendor);
    const std::string r = lowered(renderer);
    const auto either = [&](std::initializer_list<const char*> words) {
        return containsAny(v, words) || containsAny(r, words);
    };
    if (either({"nvidia", "tnt", "geforce"})) return kNvidiaPage;
    if (namesAti(v) || namesAti(r) || either({"radeon", "rage"})) return kAtiPage;
    if (r.find("815") != std::string::npos) return kIntel815Page;
    if (r.find("845") != std::string::npos) return kIntel845Page;
    return kGeneralPage;
}

}  // namespace brx
