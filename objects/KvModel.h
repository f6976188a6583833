// A placed, drawable model: an O3D frame that points at shared model data from the library.
//
// Design note: copies share the data (one more reference) and start from the identity
// orientation at the source's position; the last model to let go of a data deletes it and
// takes its name out of the library. The shadow-volume operations work for every model but the
// game builds all models without shadows (kNoShadow).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/O3D.h"
#include "objects/KvModelData.h"

namespace brx {

class KvModel : public O3D {
public:
    // Shadow modes: a separate shadow model from "Data/Models/Shadows/", none, or (any other
    // value) the model's own mesh.
    static constexpr int32_t kSeparateShadow = 0;
    static constexpr int32_t kNoShadow = 1;
    static constexpr int32_t kOwnShadow = 2;
    static constexpr int32_t kInitialLife = 1000;
    static constexpr const char* kShadowFolder = "Data/Models/Shadows/";
    // Starting corners of the bounds; geometry beyond them is clamped (units).
    static constexpr float kBoundsLimit = 1024.0f;

    explicit KvModel(int32_t shadowMode = kNoShadow);
    KvModel(const KvModel& other);
    KvModel& operator=(const KvModel&) = delete;
    ~KvModel() override;

    // Draws through the display list in the tint colour (translucent when alpha >= 0), or the
    // mesh directly when no list is compiled; nothing when not visible.
    void draw() override;
    // A new model copied from this one (shares the data).
    virtual std::unique_ptr<KvModel> clone() const;
    // Takes the data cached under name, or reads it from the folder the data's detailSwitched
    // flag selects and caches it. Throws OFileNotFound when the file cannot be loaded.
    virtual void load(const std::string& fileName);
    // The mesh as white lines.
    virtual void drawWireframe();
    // Triangle planes and edge neighbours of the shadow mesh.
    virtual void buildShadowEdges();
    // Lit triangles and silhouette edges of the shadow mesh for a light position (world).
    virtual void computeSilhouette(const Vector3& light);
    // The shadow volume of the silhouette, extruded to infinity away from the light, with the
    // caps when asked.
    virtual void drawShadowVolume(const Vector3& light, bool caps);

    // Model-space bounds of the vertices into the axis-aligned and picking boxes.
    void computeBounds();
    // Zeroed shadow flags for the current triangle count.
    void allocateShadowFlags();
    // Compiles the data's display list (the data is marked prepared).
    void buildDisplayList() { data_->buildDisplayList(); }
    // Calls the display list, or draws the mesh directly when none is compiled.
    void callList() const;

    KvModelData& data() const { return *data_; }
    // The file the model was loaded from: also its key in the model library, so it is set by
    // load() only.
    const std::string& name() const { return name_; }
    const KvMesh& mesh() const { return *data_->mesh; }

    int32_t life = kInitialLife;
    std::unique_ptr<KvModel> altModel;
    double alpha = -1.0;              // >= 0 draws translucent
    std::vector<uint8_t> faceLit;     // per triangle, from computeSilhouette
    std::vector<int32_t> silhouette;  // per triangle edge, from computeSilhouette
    int32_t shadowMode = kNoShadow;
    bool visible = true;
    float tint[4] = {1.0f, 1.0f, 1.0f, -1.0f};

private:
    // Drops the reference to the data; the last holder takes the name out of the library.
    void releaseData();
    // The model whose mesh and flags the shadow operations use.
    KvModel& shadowModel() { return altModel ? *altModel : *this; }
    // A fresh data carrying the caller-set flags of the current one (a model loaded twice).
    void replaceWithFreshData();
    // Creates the separate shadow model and prepares the shadow meshes the mode asks for.
    void setUpShadows(const std::string& fileName);

    std::string name_;
    KvModelData* data_;
};

}  // namespace brx
