// One loaded model file, shared by every model placed from it and counted by reference: the
// mesh, up to two textures, a material and the display list compiled from them.
//
// Design note: the display list is the only form in which the game draws a model during play
// (one glCallList per block), so everything that changes the list's content - the material,
// the textures, the geometry - is settled before buildDisplayList(). `prepared` remembers that
// a list was wanted, so that a new rendering context can get it back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/KvOctreeAABB.h"
#include "engine/RCObject.h"
#include "engine/TextureRef.h"
#include "objects/KvMesh.h"
#include "objects/Material.h"

namespace brx {

class KvModelData : public RCObject {
public:
    // What "Wrong model format." is shown with.
    using FormatWarning = void (*)(const std::string& path);
    // The detail layer repeats this many times across the base layer.
    static constexpr float kDetailRepeat = 8.0f;
    // A base texture name shorter than this means the model has none.
    static constexpr size_t kMinTextureNameLength = 2;

    KvModelData();
    ~KvModelData() override;

    std::unique_ptr<KvMesh> mesh;
    TextureRef baseTexture;
    TextureRef detailTexture;
    uint32_t displayList = 0;  // 0 while none is compiled
    bool prepared = false;
    bool detailSwitched = false;
    bool smoothHigh = false;
    bool smoothLow = false;
    Material material;
    bool ownMaterial = false;
    bool buildOctree = false;
    std::unique_ptr<KvOctreeAABB> octree;

    // Reads a model file through the resource archive: geometry, and unless geometryOnly its
    // textures. False (mesh left as it was) when the file is missing, not a model file or
    // damaged; throws OFileNotFound when a texture it names is missing.
    bool loadFile(const std::string& path, bool geometryOnly);
    // Marks the data prepared and compiles its display list unless one exists.
    void buildDisplayList();
    // Deletes the display list (the rendering context is about to go); prepared stays.
    void deleteDisplayList();
    // Deletes the display list and replaces the mesh by an empty one.
    void resetGeometry();
    // True when the normals are averaged over shared vertices at the given detail level.
    bool smoothAt(int detail) const { return detail == 1 ? smoothHigh : smoothLow; }

    // Replaces the "Wrong model format." box (tests must not block on a modal box); null
    // restores the box.
    static void setFormatWarning(FormatWarning warning);

private:
    // Loads the textures the file names (mipmaps on the base only when it stands alone).
    void loadTextures(const std::string& baseName, const std::string& detailName);
    // The GL commands of the list: material, texture set-up and the triangles.
    void compileList() const;
    void compileTwoLayerTriangles() const;
};

}  // namespace brx
