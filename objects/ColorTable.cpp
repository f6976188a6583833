#include "objects/ColorTable.h"

#include "core/ErrorLog.h"
#include "core/ResourceArchive.h"
#include "objects/ColorMaterials.h"

namespace brx {

bool ColorTable::load() {
    const ResourceBuffer buffer = ResourceArchive::instance().readFile(kFileName);
    if (!buffer) {
        BRX_LOG_ERROR("%s is missing; blocks keep the default material", kFileName);
        config_ = ConfigFile();
        return false;
    }
    return loadBuffer(buffer.text(), buffer.size);
}

bool ColorTable::loadBuffer(const char* bytes, size_t length) {
    config_ = ConfigFile();
    if (config_.loadBuffer(bytes, length) == 0) return true;
    BRX_LOG_ERROR("%s cannot be read; blocks keep the default material", kFileName);
    return false;
}

Material ColorTable::material(const std::string& key) {
    Material result;
    const std::vector<float> numbers = config_.getFloatList(key, kSeparator);
    if (!result.setFromColorList(numbers)) {
        BRX_LOG_ERROR("%s key %s holds %zu of %zu numbers; the default material is used", kFileName,
                      key.c_str(), numbers.size(), Material::kColorListLength);
    }
    return result;
}

void ColorTable::fillPlainColours(ColorMaterials& materials) {
    int32_t colour = 1;
    for (const char* key : kPlainColourKeys) materials.set(colour++, material(key));
}

}  // namespace brx
