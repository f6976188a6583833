// The .Cfg text format shared by settings, tuning and level files: named values in nested
// sections, looked up by dotted key path ("Section.Sub.Value"), and written back sorted.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace brx {

// The rolling scramble of Data/System.Cfg and the score tables: byte j is combined with a key
// that starts at kScrambleStart, grows by one per byte and wraps after kScrambleLast.
constexpr uint8_t kScrambleStart = 0x21;
constexpr uint8_t kScrambleLast = 0xE7;
// Scrambles or unscrambles (the same operation) a whole file in place.
void scrambleRolling(std::string& bytes);

class ConfigFile {
public:
    // Reads, unscrambles and parses a file on disk (Data/System.Cfg); 0 on success, 1 on failure.
    // Each load starts from an empty set; after a failure the set holds what parsed before it.
    int loadFile(const std::string& path);
    // Parses a plain buffer (from the archive); 0 on success, 1 on failure.
    int loadBuffer(const char* bytes, size_t length);
    // Writes all values sorted by key, scrambled, through a temporary file; 0 or 1.
    int save(const std::string& path);
    // The text save() would scramble and write.
    std::string serialize() const;

    // Typed look-ups; a missing key sets status 1 and returns the default (or an empty list).
    // A found key leaves status as it was, so one check after a series of look-ups sees any miss.
    int getInt(const std::string& key, int fallback);
    float getFloat(const std::string& key, float fallback);
    std::vector<int> getIntList(const std::string& key, char separator);
    std::vector<float> getFloatList(const std::string& key, char separator);
    // The raw value text, or fallback with status 1.
    std::string getString(const std::string& key, const std::string& fallback);
    bool has(const std::string& key) const { return values.count(key) != 0; }

    // Inserts or replaces a value ("%d", or "%x" without prefix when hex; "%f").
    void setInt(const std::string& key, int value, bool hex = false);
    void setFloat(const std::string& key, float value);
    void setString(const std::string& key, const std::string& valueText);

    int status = 0;
    std::map<std::string, std::string> values;  // full key path -> raw value text
    std::vector<std::string> sections;          // section paths, in order of appearance
    std::vector<std::string> keys;              // key paths, in order of appearance

private:
    int parse(std::string text);
};

}  // namespace brx
