#include "objects/Material.h"

#include <GL/gl.h>

namespace brx {

void Material::apply() const {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}

bool Material::setFromColorList(const std::vector<float>& numbers) {
    if (numbers.size() < kColorListLength) return false;
    for (int i = 0; i < 3; ++i) {
        ambient[i] = numbers[size_t(i)];
        diffuse[i] = numbers[size_t(3 + i)];
        specular[i] = numbers[size_t(6 + i)];
    }
    shininess = numbers[9] * kShininessScale;
    return true;
}

}  // namespace brx
