// "Data/Colors.Cfg": one list of ten comma-separated numbers per material key (ambient RGB,
// diffuse RGB, specular RGB, shininess as a fraction of 128), read through the archive.
#pragma once

#include <cstddef>
#include <string>

#include "core/ConfigFile.h"
#include "objects/Material.h"

namespace brx {

class ColorMaterials;

class ColorTable {
public:
    static constexpr const char* kFileName = "Data/Colors.Cfg";
    static constexpr char kSeparator = ',';
    // The keys of the plain colours 1 to 5, in colour-id order.
    static constexpr const char* kPlainColourKeys[] = {"Red", "Blue", "Green", "White", "Yellow"};

    // Reads the file through the resource archive; false (logged) when it is missing.
    bool load();
    // Parses a file image; false when it is not a configuration file.
    bool loadBuffer(const char* bytes, size_t length);
    // The default material set from the key's numbers; the default alone (logged) when the
    // key is missing or holds fewer than ten numbers.
    Material material(const std::string& key);
    // Stores "Red" ... "Yellow" as colour ids 1 to 5.
    void fillPlainColours(ColorMaterials& materials);

private:
    ConfigFile config_;
};

}  // namespace brx
