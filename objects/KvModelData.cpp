#include "objects/KvModelData.h"

#include <GL/gl.h>

#include "core/ErrorLog.h"
#include "core/ResourceArchive.h"
#include "engine/GLExtensions.h"
#include "objects/ModelFile.h"
#include "objects/ModelLibrary.h"
#include "platform/Platform.h"

namespace brx {
namespace {

constexpr const char* kWrongFormatText = "Wrong model format.";
constexpr const char* kErrorCaption = "Error";

void showWrongFormatBox(const std::string&) {
    platform::showMessageBox(kErrorCaption, kWrongFormatText, platform::BoxIcon::error);
}

KvModelData::FormatWarning formatWarning = showWrongFormatBox;

}  // namespace

KvModelData::KvModelData() : mesh(std::make_unique<KvMesh>()) {}

KvModelData::~KvModelData() {
    deleteDisplayList();
}

void KvModelData::setFormatWarning(FormatWarning warning) {
    formatWarning = warning ? warning : showWrongFormatBox;
}

bool KvModelData::loadFile(const std::string& path, bool geometryOnly) {
    const ResourceBuffer buffer = ResourceArchive::instance().readFile(path);
    if (!buffer) {
        BRX_LOG_ERROR("Model file %s is missing from the archive", path.c_str());
        return false;
    }
    ModelFile::Header header;
    auto loaded = std::make_unique<KvMesh>();
    std::string reason;
    switch (ModelFile::read(buffer.bytes.get(), buffer.size, &header, loaded.get(), &reason)) {
        case ModelFile::Result::ok:
            break;
        case ModelFile::Result::wrongFormat:
            BRX_LOG_ERROR("Model file %s: %s", path.c_str(), kWrongFormatText);
            formatWarning(path);
            return false;
        case ModelFile::Result::damaged:
            BRX_LOG_ERROR("Model file %s is damaged: %s", path.c_str(), reason.c_str());
            return false;
    }
    if (!geometryOnly) loadTextures(header.baseTexture, header.detailTexture);
    loaded->computeNormals(smoothAt(ModelLibrary::instance().detail()));
    loaded->buildPlanes();
    octree.reset();  // it points into the mesh being replaced
    mesh = std::move(loaded);
    return true;
}

void KvModelData::loadTextures(const std::string& baseName, const std::string& detailName) {
    baseTexture.release();
    detailTexture.release();
    if (baseName.size() >= kMinTextureNameLength) baseTexture.load(baseName, detailName.empty());
    if (!detailName.empty()) detailTexture.load(detailName, true);
}

void KvModelData::buildDisplayList() {
    prepared = true;
    if (displayList != 0) return;
    displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    compileList();
    glEndList();
    if (buildOctree) {
        octree = std::make_unique<KvOctreeAABB>();
        octree->build(mesh->faces.data(), mesh->faces.size());
    }
}

void KvModelData::compileList() const {
    if (ownMaterial) material.apply();
    // Without the multitexture entry points only the first layer is drawn.
    if (detailTexture && hasMultitexture()) {
        glActiveTextureARB(GL_TEXTURE0_ARB);
        glEnable(GL_TEXTURE_2D);
        baseTexture.bind();
        glActiveTextureARB(GL_TEXTURE1_ARB);
        glEnable(GL_TEXTURE_2D);
        detailTexture.bind();
        compileTwoLayerTriangles();
        glActiveTextureARB(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        glActiveTextureARB(GL_TEXTURE0_ARB);
        return;
    }
    if (baseTexture) baseTexture.bind();
    mesh->drawTriangles();
}

void KvModelData::compileTwoLayerTriangles() const {
    glBegin(GL_TRIANGLES);
    for (const FaceRecord& face : mesh->faces) {
        for (int c = 0; c < 3; ++c) {
            const float* uv = face.texCoords[c];
            glMultiTexCoord2fvARB(GL_TEXTURE0_ARB, uv);
            glMultiTexCoord2fARB(GL_TEXTURE1_ARB, uv[0] * kDetailRepeat, uv[1] * kDetailRepeat);
            glNormal3fv(face.normals[c]);
            glVertex3fv(face.vertices[c]);
        }
    }
    glEnd();
}

void KvModelData::deleteDisplayList() {
    if (displayList == 0) return;
    glDeleteLists(displayList, 1);
    displayList = 0;
}

void KvModelData::resetGeometry() {
    deleteDisplayList();
    octree.reset();
    mesh = std::make_unique<KvMesh>();
}

}  // namespace brx
