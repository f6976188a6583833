#include "objects/ColorMaterials.h"

namespace brx {

ColorMaterials& ColorMaterials::instance() {
    static ColorMaterials materials;
    return materials;
}

void ColorMaterials::set(int32_t colour, const Material& material) {
    materials_[colour] = material;
}

const Material& ColorMaterials::get(int32_t colour) const {
    const auto found = materials_.find(colour);
    return found == materials_.end() ? fallback_ : found->second;
}

}  // namespace brx
