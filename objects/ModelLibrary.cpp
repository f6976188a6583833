#include "objects/ModelLibrary.h"

#include "core/SystemSettings.h"

namespace brx {

ModelLibrary& ModelLibrary::instance() {
    // Never destroyed: models in static storage may still let go of their data at exit.
    static ModelLibrary* const library = new ModelLibrary();
    return *library;
}

ModelLibrary::ModelLibrary() {
    setDetail(SystemSettings::instance().modelDetail);
}

KvModelData* ModelLibrary::find(const std::string& name) const {
    const auto found = models_.find(name);
    return found == models_.end() ? nullptr : found->second;
}

void ModelLibrary::insert(const std::string& name, KvModelData* data) {
    models_[name] = data;
}

void ModelLibrary::remove(const std::string& name) {
    models_.erase(name);
}

void ModelLibrary::deleteAllLists() {
    for (auto& [name, data] : models_) data->deleteDisplayList();
}

void ModelLibrary::rebuildAllLists() {
    for (auto& [name, data] : models_) {
        if (data->prepared) data->buildDisplayList();
    }
}

void ModelLibrary::setDetail(int level) {
    detail_ = level == kLowDetail ? kLowDetail : kHighDetail;
}

std::string ModelLibrary::pathFor(const std::string& name, bool detailSwitched) const {
    if (!detailSwitched) return kModelFolder + name;
    return (detail_ == kHighDetail ? kHighDetailFolder : kLowDetailFolder) + name;
}

bool ModelLibrary::reloadDetailSwitched() {
    for (auto& [name, data] : models_) {
        if (!data->detailSwitched) continue;
        data->resetGeometry();
        if (!data->loadFile(pathFor(name, true), true)) return false;
        if (data->prepared) data->buildDisplayList();
    }
    return true;
}

}  // namespace brx
