#include "objects/PathSet.h"

#include <cstdio>
#include <utility>

#include "core/Random.h"

namespace brx {

PathSet& PathSet::instance() {
    static PathSet set;
    return set;
}

std::string PathSet::fileName(int k) {
    char name[64];
    std::snprintf(name, sizeof name, kFileFormat, k + 1);
    return name;
}

void PathSet::loadAll() {
    for (int k = 0; k < kPathCount; ++k) {
        paths_[size_t(k)] = std::make_shared<OWayPoint>();
        paths_[size_t(k)]->load(fileName(k));  // a failure is logged and leaves the path empty
    }
    shuffle();
}

void PathSet::releaseAll() {
    for (auto& p : paths_) p.reset();
    cursor_ = 0;
}

void PathSet::shuffle() {
    for (int k = 0; k < kPathCount; ++k) order_[size_t(k)] = k;
    for (int q = kPathCount - 1; q >= 2; --q)
        std::swap(order_[size_t(q)], order_[size_t(random(0, q - 1))]);
    cursor_ = 0;
}

void PathSet::advance() {
    ++cursor_;
    if (cursor_ < kPathCount) return;
    shuffle();
    ++cursor_;
}

std::shared_ptr<OWayPoint> PathSet::nextSharedPath() {
    bool anyUsable = false;
    for (const auto& p : paths_) anyUsable = anyUsable || (p && p->isBuilt());
    if (!anyUsable) return nullptr;
    for (;;) {
        advance();
        const std::shared_ptr<OWayPoint>& candidate = paths_[size_t(order_[size_t(cursor_)])];
        if (candidate->isBuilt()) return candidate;
    }
}

bool PathSet::setOrder(const std::array<int, kPathCount>& order, int cursor) {
    if (cursor < 0 || cursor >= kPathCount) return false;
    for (int k : order)
        if (k < 0 || k >= kPathCount) return false;
    order_ = order;
    cursor_ = cursor;
    return true;
}

OWayPoint* PathSet::path(int k) const {
    if (k < 0 || k >= kPathCount) return nullptr;
    return paths_[size_t(k)].get();
}

}  // namespace brx
