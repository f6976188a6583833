#include "screens/BlockLighting.h"

#include <GL/gl.h>

#include "engine/Vector3.h"

namespace brx {
namespace {

constexpr GLfloat kAmbient[] = {0.5f, 0.5f, 0.5f, 1.0f};
constexpr GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};

}  // namespace

void lightBlocks(const Vector3& lightPosition) {
    const GLfloat position[] = {lightPosition.x, lightPosition.y, lightPosition.z, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, kAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kWhite);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kWhite);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHT2);
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glEnable(GL_TEXTURE_2D);
}

void unlightBlocks() {
    glDisable(GL_LIGHTING);
    glDisable(GL_NORMALIZE);
}

}  // namespace brx
