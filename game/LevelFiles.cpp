#include "game/LevelFiles.h"

#include "core/ConfigFile.h"
#include "core/ErrorLog.h"
#include "core/ResourceArchive.h"

namespace brx {

namespace {

bool inside(int column, int row) {
    return column >= 0 && column < LevelFiles::kColumns && row >= 0 && row < LevelFiles::kRows;
}

// Parses an archive file into config; false (logged) when it is missing or unreadable.
bool loadArchiveConfig(const std::string& name, ConfigFile& config) {
    const ResourceBuffer buffer = ResourceArchive::instance().readFile(name);
    if (!buffer) {
        BRX_LOG_ERROR("%s is missing from the archive", name.c_str());
        return false;
    }
    if (config.loadBuffer(buffer.text(), buffer.size) != 0) {
        BRX_LOG_ERROR("%s cannot be read", name.c_str());
        return false;
    }
    return true;
}

int readCount(const std::string& name, ConfigFile& config, const char* key) {
    if (!config.has(key)) {
        BRX_LOG_ERROR("%s has no key %s; no such levels are played", name.c_str(), key);
        return 0;
    }
    const int count = config.getInt(key, 0);
    if (count >= 0) return count;
    BRX_LOG_ERROR("%s key %s holds %i; no such levels are played", name.c_str(), key, count);
    return 0;
}

}  // namespace

int LevelFiles::Layout::at(int column, int row) const {
    return inside(column, row) ? values_[row * kColumns + column] : kEmptyCell;
}

void LevelFiles::Layout::put(int column, int row, int value) {
    if (inside(column, row)) values_[row * kColumns + column] = value;
}

LevelFiles::Counts LevelFiles::readCounts() {
    const ResourceBuffer buffer = ResourceArchive::instance().readFile(kCountsFile);
    if (!buffer) {
        BRX_LOG_ERROR("%s is missing from the archive; no levels are played", kCountsFile);
        return {};
    }
    return parseCounts(kCountsFile, buffer.text(), buffer.size);
}

LevelFiles::Counts LevelFiles::parseCounts(const std::string& name, const char* bytes,
                                           size_t size) {
    ConfigFile config;
    if (config.loadBuffer(bytes, size) != 0) {
        BRX_LOG_ERROR("%s cannot be read", name.c_str());
        return {};
    }
    Counts counts;
    counts.puzzles = readCount(name, config, kPuzzleCountKey);
    counts.advanced = readCount(name, config, kAdvancedCountKey);
    return counts;
}

LevelFiles::Layout LevelFiles::readLayout(const std::string& name) {
    return tryReadLayout(name).value_or(Layout{});
}

std::optional<LevelFiles::Layout> LevelFiles::tryReadLayout(const std::string& name) {
    const ResourceBuffer buffer = ResourceArchive::instance().readFile(name);
    if (!buffer) {
        BRX_LOG_ERROR("%s is missing from the archive; the board stays empty", name.c_str());
        return std::nullopt;
    }
    return tryParseLayout(name, buffer.text(), buffer.size);
}

LevelFiles::Layout LevelFiles::parseLayout(const std::string& name, const char* bytes,
                                           size_t size) {
    return tryParseLayout(name, bytes, size).value_or(Layout{});
}

std::optional<LevelFiles::Layout> LevelFiles::tryParseLayout(const std::string& name,
                                                             const char* bytes, size_t size) {
    ConfigFile config;
    if (config.loadBuffer(bytes, size) != 0 || !config.has(kBoardKey)) {
        BRX_LOG_ERROR("%s has no readable key %s; the board stays empty", name.c_str(), kBoardKey);
        return std::nullopt;
    }
    return layoutFromValues(name, config.getIntList(kBoardKey, kSeparator));
}

LevelFiles::Layout LevelFiles::layoutFromValues(const std::string& name,
                                                const std::vector<int>& values) {
    const size_t count = values.size();
    if (count < kCells) {
        BRX_LOG_ERROR("%s key %s holds %zu of %i values; the remaining cells stay empty",
                      name.c_str(), kBoardKey, count, kCells);
    } else if (count > kCells) {
        BRX_LOG_ERROR("%s key %s holds %zu values; those past %i are ignored", name.c_str(),
                      kBoardKey, count, kCells);
    }
    Layout layout;
    for (size_t i = 0; i < count && i < static_cast<size_t>(kCells); ++i)
        layout.put(static_cast<int>(i) % kColumns, static_cast<int>(i) / kColumns, values[i]);
    return layout;
}

std::vector<int> LevelFiles::readSolution(const std::string& name) {
    ConfigFile config;
    if (!loadArchiveConfig(name, config)) return {};
    std::vector<int> flat = config.getIntList(kSolutionKey, kSeparator);
    if (flat.size() % 2 != 0) {
        BRX_LOG_ERROR("%s key %s holds an odd number of values; the last is dropped", name.c_str(),
                      kSolutionKey);
        flat.pop_back();
    }
    return flat;
}

}  // namespace brx
