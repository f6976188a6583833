// The process-wide materials of the five block colours, by colour id, filled from
// "Data/Colors.Cfg" when a game builds its prototypes.
#pragma once

#include <cstdint>
#include <map>

#include "objects/Material.h"

namespace brx {

class ColorMaterials {
public:
    // The process-wide table.
    static ColorMaterials& instance();

    // Stores the material of a colour id.
    void set(int32_t colour, const Material& material);
    // The material of a colour id; the default material for an id without one.
    const Material& get(int32_t colour) const;
    bool has(int32_t colour) const { return materials_.count(colour) != 0; }
    // Forgets every colour.
    void clear() { materials_.clear(); }

private:
    ColorMaterials() = default;

    std::map<int32_t, Material> materials_;
    Material fallback_;
};

}  // namespace brx
