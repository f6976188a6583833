#include "tests/support/ArchiveBuilder.h"

#include <algorithm>
#include <cstdint>

#include "core/ArchiveFormat.h"
#include "core/ResourceArchive.h"

namespace testsupport {
namespace {

void putU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

std::string scrambled(std::string bytes) {
    brx::scrambleArchivePiece(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
    return bytes;
}

}  // namespace

ArchiveBuilder& ArchiveBuilder::add(const std::string& name, const std::string& bytes) {
    files_.emplace_back(name, bytes);
    return *this;
}

std::string ArchiveBuilder::build() const {
    std::string header(brx::kArchiveHeaderSize, '\0');
    std::copy(std::begin(brx::kArchiveMagic), std::end(brx::kArchiveMagic), header.begin());
    std::string count;
    putU32(count, uint32_t(files_.size()));
    header.replace(brx::kArchiveCountOffset, 4, count);

    size_t offset = brx::kArchiveHeaderSize;
    for (const auto& [name, bytes] : files_) offset += brx::kArchiveRecordFixedSize + name.size();
    std::string directory, data;
    for (const auto& [name, bytes] : files_) {
        putU32(directory, uint32_t(brx::kArchiveRecordFixedSize + name.size()));
        putU32(directory, uint32_t(bytes.size()));
        putU32(directory, uint32_t(offset));
        directory += scrambled(name);
        data += scrambled(bytes);
        offset += bytes.size();
    }
    return header + directory + data;
}

bool ArchiveBuilder::install(const TempDir& folder, const std::string& relative) const {
    folder.writeFile(relative, build());
    brx::ResourceArchive& archive = brx::ResourceArchive::instance();
    archive.close();
    return archive.open((folder.path() / relative).string());
}

}  // namespace testsupport
