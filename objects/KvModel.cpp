#include "objects/KvModel.h"

#include <GL/gl.h>

#include <algorithm>

#include "engine/OException.h"
#include "objects/ModelLibrary.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

// A light closer to a triangle's plane than this does not light it.
constexpr float kLitTolerance = 1e-8f;

void vertexAtInfinity(const Vector3& v, const Vector3& light) {
    glVertex4f(v.x - light.x, v.y - light.y, v.z - light.z, 0.0f);
}

void vertex(const Vector3& v) {
    glVertex3f(v.x, v.y, v.z);
}

}  // namespace

KvModel::KvModel(int32_t mode) : shadowMode(mode), data_(new KvModelData()) {
    data_->addRef();
}

KvModel::KvModel(const KvModel& other)
    : O3D(), shadowMode(other.shadowMode), name_(other.name_), data_(other.data_) {
    data_->addRef();
    alpha = other.alpha;
    boundingRadius = other.boundingRadius;
    aabbHalfExtents = other.aabbHalfExtents;
    aabbMin = other.aabbMin;
    aabbMax = other.aabbMax;
    obbHalfExtents = other.obbHalfExtents;
    obbCentre = other.obbCentre;
    setPosition(other.position());
    if (other.altModel) altModel = other.altModel->clone();
    allocateShadowFlags();
}

KvModel::~KvModel() {
    SoundManager::forgetObject(this);
    releaseData();
}

void KvModel::releaseData() {
    if (data_ == nullptr) return;
    ModelLibrary& library = ModelLibrary::instance();
    const bool cached = !name_.empty() && library.find(name_) == data_;
    if (data_->release() && cached) library.remove(name_);
    data_ = nullptr;
}

std::unique_ptr<KvModel> KvModel::clone() const {
    return std::make_unique<KvModel>(*this);
}

void KvModel::replaceWithFreshData() {
    auto* fresh = new KvModelData();
    fresh->addRef();
    fresh->detailSwitched = data_->detailSwitched;
    fresh->smoothHigh = data_->smoothHigh;
    fresh->smoothLow = data_->smoothLow;
    fresh->ownMaterial = data_->ownMaterial;
    fresh->material = data_->material;
    fresh->buildOctree = data_->buildOctree;
    releaseData();
    data_ = fresh;
}

void KvModel::load(const std::string& fileName) {
    // A model that already holds loaded or shared data must not read another file into it.
    if (!name_.empty() || data_->referenceCount() > 1) replaceWithFreshData();
    name_ = fileName;
    ModelLibrary& library = ModelLibrary::instance();
    if (KvModelData* cached = library.find(fileName)) {
        // Flags set on the discarded data are lost; the cached data keeps its own.
        cached->addRef();
        releaseData();
        data_ = cached;
    } else {
        const std::string path = library.pathFor(fileName, data_->detailSwitched);
        if (!data_->loadFile(path, false)) throw OFileNotFound(path);
        library.insert(fileName, data_);
    }
    setUpShadows(fileName);
    computeBounds();
}

void KvModel::setUpShadows(const std::string& fileName) {
    if (shadowMode == kSeparateShadow) {
        altModel = std::make_unique<KvModel>(kNoShadow);
        altModel->data().loadFile(kShadowFolder + fileName, false);  // a shadow is optional
        altModel->allocateShadowFlags();
        altModel->buildShadowEdges();
    }
    if (shadowMode != kNoShadow) {
        allocateShadowFlags();
        buildShadowEdges();
    }
}

void KvModel::computeBounds() {
    Vector3 low(kBoundsLimit, kBoundsLimit, kBoundsLimit);
    Vector3 high(-kBoundsLimit, -kBoundsLimit, -kBoundsLimit);
    const KvMesh& m = mesh();
    for (uint32_t i = 0; i < m.vertexCount; ++i) {
        const Vector3 v = m.vertex(i);
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], v[axis]);
            high[axis] = std::max(high[axis], v[axis]);
        }
    }
    setBoxFromCorners(low, high);
}

void KvModel::allocateShadowFlags() {
    const size_t faces = mesh().faceCount;
    faceLit.assign(faces, 0);
    silhouette.assign(faces * 3, 0);
}

void KvModel::callList() const {
    if (data_->displayList != 0) {
        glCallList(data_->displayList);
        return;
    }
    if (data_->baseTexture) data_->baseTexture.bind();
    data_->mesh->drawTriangles();
}

void KvModel::draw() {
    if (!visible) return;
    glPushMatrix();
    glMultMatrixf(frame.data());
    if (data_->displayList != 0) {
        glColor4fv(tint);
        const bool translucent = alpha >= 0.0;
        if (translucent) {
            glDepthMask(GL_FALSE);
            glDisable(GL_LIGHTING);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        }
        glCallList(data_->displayList);
        if (translucent) {
            glDepthMask(GL_TRUE);
            glDisable(GL_BLEND);
            glEnable(GL_LIGHTING);
        }
    } else {
        callList();
    }
    glPopMatrix();
}

void KvModel::drawWireframe() {
    glPushMatrix();
    glMultMatrixf(frame.data());
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (data_->baseTexture) data_->baseTexture.bind();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    data_->mesh->drawTriangles();
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPopMatrix();
}

void KvModel::buildShadowEdges() {
    KvMesh& m = *shadowModel().data_->mesh;
    m.buildPlanes();
    m.buildNeighbours();
}

void KvModel::computeSilhouette(const Vector3& light) {
    KvModel& shadow = shadowModel();
    if (&shadow != this) shadow.frame = frame;
    const Vector3 local = frame.directionToLocal(light);
    const KvMesh& m = shadow.mesh();
    if (shadow.faceLit.size() != m.faceCount) shadow.allocateShadowFlags();
    for (uint32_t i = 0; i < m.faceCount; ++i)
        shadow.faceLit[i] = m.planes[i].distance(local) > kLitTolerance ? 1 : 0;
    for (uint32_t i = 0; i < m.faceCount; ++i) {
        for (uint32_t j = 0; j < 3; ++j) {
            const int32_t other = m.neighbours[3 * i + j];
            const bool open = other == KvMesh::kNoNeighbour || !shadow.faceLit[size_t(other)];
            shadow.silhouette[3 * i + j] = shadow.faceLit[i] && open ? 1 : 0;
        }
    }
}

void KvModel::drawShadowVolume(const Vector3& light, bool caps) {
    const KvModel& shadow = shadowModel();
    const KvMesh& m = shadow.mesh();
    if (shadow.faceLit.size() != m.faceCount || shadow.silhouette.size() != m.faceCount * 3)
        return;  // computeSilhouette has not run for this mesh
    const Vector3 local = frame.directionToLocal(light);
    glPushMatrix();
    glMultMatrixf(frame.data());
    glBegin(GL_QUADS);
    for (uint32_t i = 0; i < m.faceCount; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (!shadow.silhouette[3 * i + uint32_t(j)]) continue;
            const Vector3 a = m.faces[i].corner(j);
            const Vector3 b = m.faces[i].corner((j + 1) % 3);
            vertex(b);
            vertex(a);
            vertexAtInfinity(a, local);
            vertexAtInfinity(b, local);
        }
    }
    glEnd();
    if (caps) {
        glBegin(GL_TRIANGLES);
        for (uint32_t i = 0; i < m.faceCount; ++i) {
            for (int c = 0; c < 3; ++c) {
                const Vector3 v = m.faces[i].corner(c);
                shadow.faceLit[i] ? vertex(v) : vertexAtInfinity(v, local);
            }
        }
        glEnd();
    }
    glPopMatrix();
}

}  // namespace brx
