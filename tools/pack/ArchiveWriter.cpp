#include "tools/pack/ArchiveWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/ArchiveFormat.h"
#include "core/DataPath.h"

namespace brx::tools {
namespace {

void putU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

std::string scrambled(std::string bytes) {
    scrambleArchivePiece(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
    return bytes;
}

}  // namespace

std::string buildArchive(const std::vector<ArchiveFile>& files) {
    std::string header(kArchiveHeaderSize, '\0');
    std::copy(std::begin(kArchiveMagic), std::end(kArchiveMagic), header.begin());
    std::string countBytes;
    putU32(countBytes, uint32_t(files.size()));
    header.replace(kArchiveCountOffset, 4, countBytes);

    size_t directorySize = 0;
    for (const ArchiveFile& file : files)
        directorySize += kArchiveRecordFixedSize + file.name.size();

    std::string directory, data;
    size_t offset = kArchiveHeaderSize + directorySize;
    for (const ArchiveFile& file : files) {
        putU32(directory, uint32_t(kArchiveRecordFixedSize + file.name.size()));
        putU32(directory, uint32_t(file.bytes.size()));
        putU32(directory, uint32_t(offset));
        directory += scrambled(file.name);
        data += scrambled(file.bytes);
        offset += file.bytes.size();
    }
    return header + directory + data;
}

std::vector<ArchiveFile> collectFolder(const std::string& root) {
    std::vector<ArchiveFile> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        if (!item.is_regular_file()) continue;
        const std::string relative = std::filesystem::relative(item.path(), root).generic_string();
        if (relative.find('/') == std::string::npos) continue;  // stamps and notes at the top
        std::ifstream in(item.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files.push_back({relative, bytes.str()});
    }
    std::sort(files.begin(), files.end(),
              [](const ArchiveFile& a, const ArchiveFile& b) { return a.name < b.name; });
    return files;
}

bool packFolder(const std::string& root, const std::string& path, std::string* error) {
    const std::vector<ArchiveFile> files = collectFolder(root);
    if (!writeFileAtomically(path, buildArchive(files))) {
        if (error) *error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace brx::tools
