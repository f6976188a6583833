#include "game/ResumeFile.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "core/DataPath.h"

namespace brx {
namespace {

constexpr size_t kWordSize = 4;
constexpr size_t kHeaderSize = ResumeFile::kMagicSize + kWordSize;
constexpr size_t kSectionHeaderSize = ResumeFile::kTagSize + kWordSize;
// Entries a snapshot may list: every cell of the largest board, a slot per column, the trail's
// paths.
constexpr uint32_t kMaxBlocks = 20 * 18;
constexpr uint32_t kMaxSlots = 20;
constexpr int32_t kBlockFields = 4;

void putWord(std::string& out, uint32_t value) {
    for (size_t i = 0; i < kWordSize; ++i) out.push_back(char((value >> (8 * i)) & 0xFFu));
}

void putInt(std::string& out, int32_t value) {
    putWord(out, uint32_t(value));
}

void putBlocks(std::string& out, const std::vector<GameSnapshot::Block>& blocks) {
    putWord(out, uint32_t(blocks.size()));
    for (const GameSnapshot::Block& block : blocks) {
        putInt(out, block.column);
        putInt(out, block.row);
        putInt(out, block.kind);
        putInt(out, block.colour);
    }
}

void putInts(std::string& out, const std::vector<int32_t>& values) {
    putWord(out, uint32_t(values.size()));
    for (int32_t value : values) putInt(out, value);
}

uint32_t wordAt(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < kWordSize; ++i) value |= uint32_t(uint8_t(bytes[at + i])) << (8 * i);
    return value;
}

// Reads little-endian words from a byte range, never past its end.
class WordReader {
public:
    explicit WordReader(std::string_view bytes) : bytes_(bytes) {}

    bool word(uint32_t& value) {
        if (bytes_.size() - at_ < kWordSize) return false;
        value = wordAt(bytes_, at_);
        at_ += kWordSize;
        return true;
    }
    bool integer(int32_t& value) {
        uint32_t raw = 0;
        if (!word(raw)) return false;
        value = int32_t(raw);
        return true;
    }
    bool flag(bool& value) {
        uint32_t raw = 0;
        if (!word(raw) || raw > 1) return false;
        value = raw == 1;
        return true;
    }
    // A count of entries of entryWords words each: at most limit, and no more than the bytes
    // left can hold.
    bool count(uint32_t& value, uint32_t limit, uint32_t entryWords) {
        if (!word(value) || value > limit) return false;
        return uint64_t(value) * entryWords * kWordSize <= bytes_.size() - at_;
    }
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

bool readBlocks(WordReader& in, std::vector<GameSnapshot::Block>& blocks, uint32_t limit) {
    uint32_t n = 0;
    if (!in.count(n, limit, kBlockFields)) return false;
    blocks.resize(n);
    for (GameSnapshot::Block& block : blocks)
        if (!in.integer(block.column) || !in.integer(block.row) || !in.integer(block.kind) ||
            !in.integer(block.colour))
            return false;
    return true;
}

bool readInts(WordReader& in, std::vector<int32_t>& values, uint32_t limit) {
    uint32_t n = 0;
    if (!in.count(n, limit, 1)) return false;
    values.resize(n);
    for (int32_t& value : values)
        if (!in.integer(value)) return false;
    return true;
}

// The scalar fields in file order; reading and writing walk the same list.
template <typename Snapshot>
auto scalarFields(Snapshot& s) {
    return std::array{&s.mode,
                      &s.difficulty,
                      &s.startLevel,
                      &s.columns,
                      &s.rows,
                      &s.levelIndex,
                      &s.score,
                      &s.linesLeft,
                      &s.linesTotal,
                      &s.gameState,
                      &s.linePhase,
                      &s.resumeState,
                      &s.puzzleNumber,
                      &s.lastPick,
                      &s.nextBlockTimer,
                      &s.speedPick,
                      &s.blocksSinceBonus,
                      &s.nextBonusAfter,
                      &s.lastBonusKind,
                      &s.spinTimer,
                      &s.fillTimer,
                      &s.gameOverTimer,
                      &s.trailElapsedMs,
                      &s.trailIntervalMs,
                      &s.pathCursor};
}

bool readSnapshot(WordReader& in, GameSnapshot& s) {
    for (int32_t* field : scalarFields(s))
        if (!in.integer(*field)) return false;
    return in.word(s.randomState) && in.flag(s.linePrepared) && in.flag(s.practice) &&
           readBlocks(in, s.blocks, kMaxBlocks) && readBlocks(in, s.nextLine, kMaxSlots) &&
           readInts(in, s.layoutOrder, uint32_t(GameSnapshot::kMaxLayouts)) &&
           readInts(in, s.pathOrder, uint32_t(GameSnapshot::kPathCount));
}

std::optional<GameSnapshot> refused(std::string* why, const std::string& reason) {
    if (why) *why = reason;
    return std::nullopt;
}

bool validTag(const std::string& tag) {
    return tag.size() == ResumeFile::kTagSize && tag != ResumeFile::kSnapshotTag;
}

void putSection(std::string& out, std::string_view tag, const std::string& bytes) {
    out.append(tag.data(), ResumeFile::kTagSize);
    putWord(out, uint32_t(bytes.size()));
    out += bytes;
}

}  // namespace

uint32_t ResumeFile::checksum(std::string_view bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (char byte : bytes) crc = table[(crc ^ uint8_t(byte)) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string ResumeFile::encodeSnapshot(const GameSnapshot& snapshot) {
    std::string out;
    for (const int32_t* field : scalarFields(snapshot)) putInt(out, *field);
    putWord(out, snapshot.randomState);
    putWord(out, snapshot.linePrepared ? 1u : 0u);
    putWord(out, snapshot.practice ? 1u : 0u);
    putBlocks(out, snapshot.blocks);
    putBlocks(out, snapshot.nextLine);
    putInts(out, snapshot.layoutOrder);
    putInts(out, snapshot.pathOrder);
    return out;
}

std::optional<GameSnapshot> ResumeFile::decodeSnapshot(std::string_view bytes, std::string* why) {
    GameSnapshot snapshot;
    WordReader in(bytes);
    if (!readSnapshot(in, snapshot)) return refused(why, "the game is cut short or overlong");
    if (!in.atEnd()) return refused(why, "the game is followed by stray bytes");
    std::string reason;
    if (!snapshot.check(&reason)) return refused(why, "impossible game: " + reason);
    return snapshot;
}

std::string ResumeFile::encode(const GameSnapshot& snapshot,
                               const std::vector<ResumeSection>& extra) {
    std::string out(kMagic, kMagicSize);
    putWord(out, kVersion);
    putSection(out, kSnapshotTag, encodeSnapshot(snapshot));
    for (const ResumeSection& section : extra)
        if (validTag(section.tag)) putSection(out, section.tag, section.bytes);
    putWord(out, checksum(out));
    return out;
}

std::optional<GameSnapshot> ResumeFile::decode(std::string_view bytes, std::string* why,
                                               std::vector<ResumeSection>* extra) {
    if (bytes.size() < kHeaderSize + kWordSize || bytes.substr(0, kMagicSize) != kMagic)
        return refused(why, "not a saved game");
    const uint32_t version = wordAt(bytes, kMagicSize);
    if (version != kVersion)
        return refused(why, "written by another version (" + std::to_string(version) + ")");
    const size_t end = bytes.size() - kWordSize;
    if (checksum(bytes.substr(0, end)) != wordAt(bytes, end))
        return refused(why, "damaged or truncated (checksum)");
    std::optional<std::string_view> body;
    std::vector<ResumeSection> others;
    for (size_t at = kHeaderSize; at < end;) {
        if (end - at < kSectionHeaderSize) return refused(why, "a section header is cut short");
        const std::string_view tag = bytes.substr(at, kTagSize);
        const uint32_t length = wordAt(bytes, at + kTagSize);
        at += kSectionHeaderSize;
        if (length > end - at) return refused(why, "a section runs past the end");
        const std::string_view content = bytes.substr(at, length);
        at += length;
        if (tag != kSnapshotTag) {
            others.push_back({std::string(tag), std::string(content)});
        } else if (body) {
            return refused(why, "two games in one file");
        } else {
            body = content;
        }
    }
    if (!body) return refused(why, "no game in the file");
    std::optional<GameSnapshot> snapshot = decodeSnapshot(*body, why);
    if (snapshot && extra) *extra = std::move(others);
    return snapshot;
}

bool saveResumeFile(const std::string& path, const GameSnapshot& snapshot,
                    const std::vector<ResumeSection>& extra) {
    return writeFileAtomically(path, ResumeFile::encode(snapshot, extra));
}

std::optional<GameSnapshot> loadResumeFile(const std::string& path, std::string* why,
                                           std::vector<ResumeSection>* extra) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return refused(why, "no saved game");
    std::string bytes;
    bool tooLarge = false;
    char buffer[8192];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes.size() + n > ResumeFile::kMaxFileBytes) {
            tooLarge = true;
            break;
        }
        bytes.append(buffer, n);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (tooLarge) return refused(why, "the file is too large");
    if (failed) return refused(why, "the file cannot be read");
    return ResumeFile::decode(bytes, why, extra);
}

}  // namespace brx
