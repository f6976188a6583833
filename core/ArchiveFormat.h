// The layout of Data/Resource.Kvr, shared by the game's reader and the build's packer so the
// two can never disagree.
//
//   header    32 bytes; entry count at offset 8, the rest is ours (magic and version)
//   directory count records: u32 recordLength (12 + name length), u32 size, u32 offset, name
//   data      file bytes at the offsets the records give
// All integers are little-endian. Names and the first 2048 bytes of every file are combined by
// exclusive-or with kArchiveKey; the rest of a file is stored plain.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace brx {

constexpr size_t kArchiveHeaderSize = 32;
constexpr size_t kArchiveCountOffset = 8;
constexpr size_t kArchiveRecordFixedSize = 12;
constexpr size_t kArchiveScrambledBytes = 2048;
constexpr uint8_t kArchiveKey = 0xA7;
constexpr char kArchiveMagic[8] = {'B', 'R', 'X', 'K', 'V', 'R', '1', '3'};

// Scrambles or unscrambles (the same operation) the first 2048 bytes of a piece in place.
inline void scrambleArchivePiece(uint8_t* bytes, size_t length) {
    const size_t n = std::min(length, kArchiveScrambledBytes);
    for (size_t i = 0; i < n; ++i) bytes[i] ^= kArchiveKey;
}

}  // namespace brx
