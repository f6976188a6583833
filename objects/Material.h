// The surface of a model as the fixed-function lighting sees it: seventeen floats laid out the
// way glMaterialfv takes them.
#pragma once

#include <cstddef>
#include <vector>

namespace brx {

class Material {
public:
    // Numbers a "Data/Colors.Cfg" entry must hold: ambient, diffuse, specular RGB, shininess.
    static constexpr size_t kColorListLength = 10;
    // The list stores shininess as a fraction of the largest exponent OpenGL accepts.
    static constexpr float kShininessScale = 128.0f;

    // The OpenGL defaults.
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;

    // Sets ambient, diffuse, specular and shininess on GL_FRONT_AND_BACK, in that order.
    void apply() const;
    // Takes ambient, diffuse and specular RGB and shininess / 128 from a colour list; alphas
    // and emission keep their values. False, changing nothing, when fewer than ten numbers.
    bool setFromColorList(const std::vector<float>& numbers);

    bool operator==(const Material&) const = default;
};

}  // namespace brx
