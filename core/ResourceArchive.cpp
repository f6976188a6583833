// Design note: the directory is trusted only as far as the file backs it. Every length, count
// and offset is checked against the archive's real size before it is used, so a cut-off or
// damaged archive loads the records that are sound and leaves the rest out (each logged once).
// A record whose length field is wrong loses the position of everything after it, so the
// directory stops there; a record whose data lies past the end is skipped alone.
#include "core/ResourceArchive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/ArchiveFormat.h"
#include "core/ErrorLog.h"

namespace brx {
namespace {

uint32_t readU32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

bool readExact(std::FILE* file, void* destination, size_t length) {
    return length == 0 || std::fread(destination, 1, length, file) == length;
}

uint64_t fileLength(std::FILE* file) {
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || info.st_size < 0) return 0;
    return uint64_t(info.st_size);
}

// Reads length bytes at offset into destination, riding out short reads; false when the file
// ends early or fails.
bool readAt(int fd, uint8_t* destination, size_t length, uint64_t offset) {
    while (length > 0) {
        const ssize_t got = pread(fd, destination, length, off_t(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        destination += got;
        length -= size_t(got);
        offset += uint64_t(got);
    }
    return true;
}

}  // namespace

ResourceArchive& ResourceArchive::instance() {
    static ResourceArchive archive;
    return archive;
}

bool ResourceArchive::open(const std::string& path) {
    close();
    path_ = path;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fputs("File was not opened\n", stdout);
        path_.clear();
        return false;
    }
    archiveSize_ = fileLength(file);
    const bool read = readDirectory(file);
    std::fclose(file);
    if (!read) path_.clear();  // nothing to read from: not open
    return read;
}

void ResourceArchive::close() {
    path_.clear();
    std::fill(std::begin(header_), std::end(header_), uint8_t(0));
    lastSize_ = 0;
    archiveSize_ = 0;
    directory_.clear();
}

bool ResourceArchive::readDirectory(std::FILE* file) {
    if (archiveSize_ < kArchiveHeaderSize || !readExact(file, header_, kArchiveHeaderSize)) {
        BRX_LOG_ERROR("%s: header shorter than %zu bytes", path_.c_str(), kArchiveHeaderSize);
        return false;
    }
    uint32_t count = readU32(header_ + kArchiveCountOffset);
    const uint64_t room = (archiveSize_ - kArchiveHeaderSize) / kArchiveRecordFixedSize;
    if (count > room) {
        BRX_LOG_ERROR("%s: directory claims %u entries, the file holds at most %llu", path_.c_str(),
                      count, static_cast<unsigned long long>(room));
        count = uint32_t(room);
    }
    uint64_t position = kArchiveHeaderSize;
    for (uint32_t index = 0; index < count; ++index) {
        if (!readRecord(file, index, position)) break;
    }
    return true;
}

bool ResourceArchive::readRecord(std::FILE* file, uint32_t index, uint64_t& position) {
    uint8_t fixed[kArchiveRecordFixedSize];
    if (archiveSize_ - position < kArchiveRecordFixedSize ||
        !readExact(file, fixed, sizeof fixed)) {
        BRX_LOG_ERROR("%s: record %u cut short", path_.c_str(), index);
        return false;
    }
    position += kArchiveRecordFixedSize;
    Entry entry;
    entry.recordLength = readU32(fixed);
    entry.size = readU32(fixed + 4);
    entry.offset = readU32(fixed + 8);
    if (entry.recordLength < kArchiveRecordFixedSize ||
        entry.recordLength - kArchiveRecordFixedSize > archiveSize_ - position) {
        BRX_LOG_ERROR("%s: record %u has length %u; the rest of the directory is lost",
                      path_.c_str(), index, entry.recordLength);
        return false;
    }
    std::string name(entry.recordLength - kArchiveRecordFixedSize, '\0');
    if (!readExact(file, name.data(), name.size())) {
        BRX_LOG_ERROR("%s: record %u cut short", path_.c_str(), index);
        return false;
    }
    position += name.size();
    scrambleArchivePiece(reinterpret_cast<uint8_t*>(name.data()), name.size());
    name.resize(std::char_traits<char>::length(name.c_str()));  // the name ends at a zero byte
    if (uint64_t(entry.offset) + entry.size > archiveSize_) {
        BRX_LOG_ERROR("%s: record %u (%.200s) points past the end of the file", path_.c_str(),
                      index, name.c_str());
        return true;
    }
    entry.storedName = name;
    directory_[entryKey(std::move(name))] = std::move(entry);
    return true;
}

ResourceBuffer ResourceArchive::readFile(const std::string& name) {
    std::string diagnostic;
    ResourceBuffer buffer = read(name, &diagnostic);
    if (!diagnostic.empty()) BRX_LOG_ERROR("%s: %s", path_.c_str(), diagnostic.c_str());
    if (buffer) lastSize_ = buffer.size;
    return buffer;
}

ResourceBuffer ResourceArchive::read(const std::string& name, std::string* diagnostic) const {
    const auto found = directory_.find(entryKey(name));
    if (found == directory_.end()) return {};
    const Entry& entry = found->second;
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    ResourceBuffer buffer;
    // The caller sees size bytes and a terminating zero; the bytes are all overwritten by the
    // read, so only the terminator needs setting.
    buffer.bytes.reset(new uint8_t[size_t(entry.size) + 1]);
    buffer.bytes[entry.size] = 0;
    const bool read = readAt(fd, buffer.bytes.get(), entry.size, entry.offset);
    ::close(fd);
    if (!read) {
        if (diagnostic) *diagnostic = entry.storedName + " is cut short";
        return {};
    }
    scrambleArchivePiece(buffer.bytes.get(), entry.size);
    buffer.size = entry.size;
    return buffer;
}

uint32_t ResourceArchive::fileSize(const std::string& name) const {
    const auto found = directory_.find(entryKey(name));
    return found == directory_.end() ? 0 : found->second.size;
}

std::string ResourceArchive::entryKey(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return name;
}

bool ResourceArchive::contains(const std::string& name) const {
    return directory_.count(entryKey(name)) != 0;
}

}  // namespace brx
