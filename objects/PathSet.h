// The 23 flight paths of the glowing trail, loaded once at start-up and handed out one after
// another in a shuffled order.
//
// Design note: each shuffle draws from the process-wide generator in a fixed order (22 draws),
// so a seeded run deals the same paths. The first entry of every order is passed over: the
// cursor is advanced before it is read. Paths whose file made no spline stay in the order, so
// the draws do not depend on the data, but are never handed out.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "objects/OWayPoint.h"

namespace brx {

class PathSet {
public:
    static constexpr int kPathCount = 23;
    // printf format of the file names; paths are numbered from 1.
    static constexpr const char* kFileFormat = "Data/Splines/%i.Ase";

    // The process-wide set, created on first use (empty until loadAll).
    static PathSet& instance();

    // Loads every path file (a path that fails is logged and kept empty), then shuffles.
    void loadAll();
    // Forgets every path and the order.
    void releaseAll();
    // The next usable path of the shuffled order, reshuffling when the order is used up; null
    // when no path is usable.
    OWayPoint* nextPath() { return nextSharedPath().get(); }
    // The same, shared: a trail flying along it keeps it alive through releaseAll or loadAll.
    std::shared_ptr<OWayPoint> nextSharedPath();

    // Path k (0..22) as loaded, or null.
    OWayPoint* path(int k) const;
    // The current order as path indices, and the cursor into it.
    const std::array<int, kPathCount>& order() const { return order_; }
    int cursor() const { return cursor_; }
    // Puts back an order and cursor read from order() and cursor(); entries and the cursor
    // outside 0..kPathCount - 1 are refused (false, nothing changed).
    bool setOrder(const std::array<int, kPathCount>& order, int cursor);
    // The file name of path k (0..22).
    static std::string fileName(int k);

private:
    // A fresh shuffled order; the cursor goes back to its first entry.
    void shuffle();
    // Advances the cursor, reshuffling when it reaches the end.
    void advance();

    std::array<std::shared_ptr<OWayPoint>, kPathCount> paths_;
    std::array<int, kPathCount> order_{};
    int cursor_ = 0;
};

}  // namespace brx
