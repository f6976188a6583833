// The process-wide cache of model data by file name, and the choice between the high and low
// detail folders.
//
// Design note: the map holds no reference of its own. An entry lives as long as some KvModel
// refers to its data; the model that drops the last reference removes the name, so a later
// load reads the file again.
#pragma once

#include <map>
#include <string>

#include "objects/KvModelData.h"

namespace brx {

class ModelLibrary {
public:
    static constexpr const char* kModelFolder = "Data/Models/";
    static constexpr const char* kHighDetailFolder = "Data/Models/Hi/";
    static constexpr const char* kLowDetailFolder = "Data/Models/Low/";
    static constexpr int kLowDetail = 0;
    static constexpr int kHighDetail = 1;

    // The library, created on first use with the detail of the "ModelDetail" setting.
    static ModelLibrary& instance();

    // The data cached under name, or null.
    KvModelData* find(const std::string& name) const;
    // Caches data under name (replacing an older entry).
    void insert(const std::string& name, KvModelData* data);
    // Forgets name; the data is not touched.
    void remove(const std::string& name);

    // Deletes every display list (before the rendering context is destroyed).
    void deleteAllLists();
    // Compiles the list of every prepared data again (once the new context is current).
    void rebuildAllLists();

    // 1 high, 0 low; any other value counts as high, the setting's default.
    void setDetail(int level);
    int detail() const { return detail_; }
    // The archive path of a model: the detail folder for detail-switched data, else the plain
    // model folder.
    std::string pathFor(const std::string& name, bool detailSwitched) const;
    // Reads the geometry of every detail-switched data again from the folder of the current
    // detail, textures kept, lists rebuilt where there were some. False at the first file that
    // fails, which is left empty; the data after it keep their old geometry.
    bool reloadDetailSwitched();

    size_t size() const { return models_.size(); }
    const std::map<std::string, KvModelData*>& entries() const { return models_; }

private:
    ModelLibrary();

    int detail_ = kHighDetail;
    std::map<std::string, KvModelData*> models_;
};

}  // namespace brx
