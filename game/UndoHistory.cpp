#include "game/UndoHistory.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "game/ResumeFile.h"

namespace brx {
namespace {

constexpr size_t kWordSize = 4;
// A step never unpacks to more than this (the largest board with every field filled is a few
// kilobytes); more is a damaged step.
constexpr size_t kMaxUnpackedBytes = size_t(1) << 16;
// Distinct (kind, colour) pairs one board may hold; a byte per cell indexes them from 1.
constexpr size_t kMaxPalette = 254;
constexpr size_t kMaxRunLength = 255;

void putWord(std::string& out, uint32_t value) {
    for (size_t i = 0; i < kWordSize; ++i) out.push_back(char((value >> (8 * i)) & 0xFFu));
}

// Reads little-endian words and byte runs, never past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
    bool word(uint32_t& value) {
        if (left() < kWordSize) return false;
        value = 0;
        for (size_t i = 0; i < kWordSize; ++i)
            value |= uint32_t(uint8_t(bytes_[at_ + i])) << (8 * i);
        at_ += kWordSize;
        return true;
    }
    bool byte(uint8_t& value) {
        if (left() < 1) return false;
        value = uint8_t(bytes_[at_++]);
        return true;
    }
    bool run(size_t length, std::string_view& out) {
        if (left() < length) return false;
        out = bytes_.substr(at_, length);
        at_ += length;
        return true;
    }
    std::string_view rest() const { return bytes_.substr(at_); }
    size_t left() const { return bytes_.size() - at_; }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

// Every run of zero bytes becomes a zero and the run's length (1 to 255).
std::string shortenZeros(const std::string& raw) {
    std::string out;
    out.reserve(raw.size() / 2);
    for (size_t i = 0; i < raw.size();) {
        if (raw[i] != 0) {
            out.push_back(raw[i++]);
            continue;
        }
        size_t run = 0;
        while (i < raw.size() && raw[i] == 0 && run < kMaxRunLength) ++i, ++run;
        out.push_back(0);
        out.push_back(char(run));
    }
    return out;
}

std::optional<std::string> expandZeros(std::string_view packed) {
    std::string out;
    for (size_t i = 0; i < packed.size(); ++i) {
        if (packed[i] != 0) {
            out.push_back(packed[i]);
        } else {
            if (i + 1 >= packed.size() || packed[i + 1] == 0) return std::nullopt;
            out.append(uint8_t(packed[++i]), '\0');
        }
        if (out.size() > kMaxUnpackedBytes) return std::nullopt;
    }
    return out;
}

std::optional<GameSnapshot> refused(std::string* why, const std::string& reason) {
    if (why) *why = reason;
    return std::nullopt;
}

// The board of a snapshot as one byte a cell, column by column and top row first (the order
// in which the snapshot lists its blocks), indexing the palette of (kind, colour) from 1.
struct PackedBoard {
    std::vector<std::pair<int32_t, int32_t>> palette;
    std::string cells;
};

std::optional<PackedBoard> packBoard(const GameSnapshot& s) {
    if (s.columns <= 0 || s.rows <= 0 || s.columns > 255 || s.rows > 255) return std::nullopt;
    PackedBoard board;
    board.cells.assign(size_t(s.columns) * size_t(s.rows), '\0');
    for (const GameSnapshot::Block& block : s.blocks) {
        if (block.column < 0 || block.column >= s.columns || block.row < 0 || block.row >= s.rows)
            return std::nullopt;
        const std::pair<int32_t, int32_t> look{block.kind, block.colour};
        auto found = std::find(board.palette.begin(), board.palette.end(), look);
        if (found == board.palette.end()) {
            if (board.palette.size() >= kMaxPalette) return std::nullopt;
            board.palette.push_back(look);
            found = board.palette.end() - 1;
        }
        char& cell = board.cells[size_t(block.column) * size_t(s.rows) + size_t(block.row)];
        if (cell != 0) return std::nullopt;  // two blocks in one cell
        cell = char(found - board.palette.begin() + 1);
    }
    return board;
}

}  // namespace

// Layout before the zero runs are shortened: a flag (1: packed board, 0: the snapshot as it
// is), then for a packed board the palette size, its (kind, colour) words, the columns and
// rows (a byte each), the cells, and the snapshot without its blocks as the resume file
// encodes it.
std::string UndoHistory::pack(const GameSnapshot& snapshot) {
    std::string raw;
    const std::optional<PackedBoard> board = packBoard(snapshot);
    if (!board) {
        raw.push_back(0);
        raw += ResumeFile::encodeSnapshot(snapshot);
        return shortenZeros(raw);
    }
    raw.push_back(1);
    raw.push_back(char(board->palette.size()));
    for (const auto& [kind, colour] : board->palette) {
        putWord(raw, uint32_t(kind));
        putWord(raw, uint32_t(colour));
    }
    raw.push_back(char(snapshot.columns));
    raw.push_back(char(snapshot.rows));
    raw += board->cells;
    GameSnapshot rest = snapshot;
    rest.blocks.clear();
    raw += ResumeFile::encodeSnapshot(rest);
    return shortenZeros(raw);
}

std::optional<GameSnapshot> UndoHistory::unpack(std::string_view packed, std::string* why) {
    const std::optional<std::string> raw = expandZeros(packed);
    if (!raw) return refused(why, "a step is damaged");
    ByteReader in(*raw);
    uint8_t packedBoard = 0, paletteSize = 0;
    if (!in.byte(packedBoard) || packedBoard > 1) return refused(why, "a step is damaged");
    if (packedBoard == 0) return ResumeFile::decodeSnapshot(in.rest(), why);
    if (!in.byte(paletteSize) || paletteSize > kMaxPalette) return refused(why, "bad palette");
    std::vector<std::pair<int32_t, int32_t>> palette(paletteSize);
    for (auto& [kind, colour] : palette) {
        uint32_t k = 0, c = 0;
        if (!in.word(k) || !in.word(c)) return refused(why, "a step is cut short");
        kind = int32_t(k);
        colour = int32_t(c);
    }
    uint8_t columnCount = 0, rowCount = 0;
    std::string_view cells;
    if (!in.byte(columnCount) || !in.byte(rowCount) ||
        !in.run(size_t(columnCount) * rowCount, cells))
        return refused(why, "a step is cut short");
    std::optional<GameSnapshot> snapshot = ResumeFile::decodeSnapshot(in.rest(), why);
    if (!snapshot) return snapshot;
    if (snapshot->columns != columnCount || snapshot->rows != rowCount)
        return refused(why, "a step's board has another size than its game");
    for (int32_t c = 0; c < columnCount; ++c) {
        for (int32_t r = 0; r < rowCount; ++r) {
            const uint8_t index = uint8_t(cells[size_t(c) * rowCount + size_t(r)]);
            if (index == 0) continue;
            if (index > palette.size()) return refused(why, "a cell names no block");
            const auto& [kind, colour] = palette[index - 1];
            snapshot->blocks.push_back({c, r, kind, colour});
        }
    }
    std::string reason;
    if (!snapshot->check(&reason)) return refused(why, "impossible game: " + reason);
    return snapshot;
}

void UndoHistory::record(const GameSnapshot& before) {
    redo_.clear();
    undo_.push_back(pack(before));
}

std::optional<GameSnapshot> UndoHistory::undo(const GameSnapshot& current) {
    if (undo_.empty()) return std::nullopt;
    std::optional<GameSnapshot> back = unpack(undo_.back(), nullptr);
    undo_.pop_back();
    if (back) redo_.push_back(pack(current));
    return back;
}

std::optional<GameSnapshot> UndoHistory::redo(const GameSnapshot& current) {
    if (redo_.empty()) return std::nullopt;
    std::optional<GameSnapshot> forward = unpack(redo_.back(), nullptr);
    redo_.pop_back();
    if (forward) undo_.push_back(pack(current));
    return forward;
}

void UndoHistory::clear() {
    undo_.clear();
    redo_.clear();
}

size_t UndoHistory::packedBytes() const {
    size_t bytes = 0;
    for (const std::string& step : undo_) bytes += step.size();
    for (const std::string& step : redo_) bytes += step.size();
    return bytes;
}

// Layout: the undo count and the redo count (words), then every undo step, oldest first, and
// every redo step, the next one last, each as its length (a word) and its packed bytes.
std::string UndoHistory::encode() const {
    std::string out;
    putWord(out, uint32_t(undo_.size()));
    putWord(out, uint32_t(redo_.size()));
    for (const auto* steps : {&undo_, &redo_}) {
        for (const std::string& step : *steps) {
            putWord(out, uint32_t(step.size()));
            out += step;
        }
    }
    return out;
}

std::optional<UndoHistory> UndoHistory::decode(std::string_view bytes, std::string* why) {
    const auto fail = [why](const char* reason) -> std::optional<UndoHistory> {
        if (why) *why = reason;
        return std::nullopt;
    };
    ByteReader in(bytes);
    uint32_t undoCount = 0, redoCount = 0;
    if (!in.word(undoCount) || !in.word(redoCount)) return fail("the history is cut short");
    // Every step takes at least its length word.
    if (undoCount > kMaxSteps || redoCount > kMaxSteps ||
        (uint64_t(undoCount) + redoCount) * kWordSize > in.left())
        return fail("the history lists more steps than it holds");
    UndoHistory history;
    const std::pair<std::vector<std::string>*, uint32_t> sides[] = {{&history.undo_, undoCount},
                                                                    {&history.redo_, redoCount}};
    for (const auto& [steps, count] : sides) {
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t length = 0;
            std::string_view step;
            if (!in.word(length) || !in.run(length, step)) return fail("a step is cut short");
            if (!unpack(step, nullptr)) return fail("a step does not hold a game");
            steps->emplace_back(step);
        }
    }
    if (in.left() != 0) return fail("the history is followed by stray bytes");
    return history;
}

}  // namespace brx
