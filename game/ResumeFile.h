// The file a game in progress is kept in between two runs: a small binary format of our own.
//
// Layout (integers little-endian):
//   magic "BRX3DSAV" (8 bytes), version (u32, 1),
//   sections: tag (4 bytes), length (u32), that many bytes,
//   checksum (u32, CRC-32 of every byte before it).
// Section "SNAP" (exactly one) holds the snapshot; sections with other tags are kept aside
// for whoever wrote them (an older reader skips them), so the file can grow without breaking.
//
// Design note: the file is read as carefully as the archive. Its size is checked before it
// is read, the version before anything else, then the checksum (a damaged file is refused as
// a whole rather than played with a changed block), then every count against its limit and
// against the bytes left, and last the decoded game against the rules (GameSnapshot::check).
// Whatever is refused comes back with a reason and never as a half-made game.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/GameSnapshot.h"

namespace brx {

// A section of the file beside the snapshot: a four-character tag and its bytes.
struct ResumeSection {
    std::string tag;
    std::string bytes;
    bool operator==(const ResumeSection&) const = default;
};

class ResumeFile {
public:
    static constexpr const char* kMagic = "BRX3DSAV";
    static constexpr size_t kMagicSize = 8;
    static constexpr uint32_t kVersion = 1;
    static constexpr const char* kSnapshotTag = "SNAP";
    static constexpr size_t kTagSize = 4;
    // Larger files are refused before they are read.
    static constexpr size_t kMaxFileBytes = size_t(16) << 20;
    // The player file's name as the game names it (DataPath::playerFile gives the path).
    static constexpr const char* kFileName = "Data/Resume.Kv";

    // One snapshot as bytes (the body of a "SNAP" section).
    static std::string encodeSnapshot(const GameSnapshot& snapshot);
    // The snapshot in bytes written by encodeSnapshot, checked against the rules; nothing (and
    // the reason in why) for bytes that are short, long, out of range or describe an
    // impossible game.
    static std::optional<GameSnapshot> decodeSnapshot(std::string_view bytes, std::string* why);
    // The whole file: header, the snapshot, the extra sections, the checksum.
    static std::string encode(const GameSnapshot& snapshot,
                              const std::vector<ResumeSection>& extra = {});
    // The snapshot of a whole file (and its other sections in extra, when given); nothing, with
    // the reason in why, for a file that is damaged, truncated, of another version or
    // describes an impossible game.
    static std::optional<GameSnapshot> decode(std::string_view bytes, std::string* why,
                                              std::vector<ResumeSection>* extra = nullptr);
    // CRC-32 (the zlib polynomial) of bytes.
    static uint32_t checksum(std::string_view bytes);
};

// Writes the file atomically (temporary file, then rename); false when it cannot be written.
// Extra sections must have four-character tags other than "SNAP" (others are left out).
bool saveResumeFile(const std::string& path, const GameSnapshot& snapshot,
                    const std::vector<ResumeSection>& extra = {});
// Reads and checks the file; nothing, with the reason in why, when it is missing, too large,
// unreadable or refused by ResumeFile::decode.
std::optional<GameSnapshot> loadResumeFile(const std::string& path, std::string* why,
                                           std::vector<ResumeSection>* extra = nullptr);

}  // namespace brx
