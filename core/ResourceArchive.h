// The read-only archive of all game data, Data/Resource.Kvr. The directory is read once at
// start-up; every readFile() opens the archive anew and returns a fresh buffer. Once open, the
// archive may be read from several threads at once (read()); opening and closing are for one
// thread while no other reads.
//
// A damaged archive never reads out of bounds: records that do not fit the file are skipped and
// logged to Report.html, and their names answer like missing ones.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace brx {

// An owned file buffer: size bytes followed by one zero byte, so text can be used as a string.
struct ResourceBuffer {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;

    explicit operator bool() const { return bytes != nullptr; }
    const char* text() const { return reinterpret_cast<const char*>(bytes.get()); }
};

class ResourceArchive {
public:
    struct Entry {
        uint32_t recordLength = 0;
        uint32_t size = 0;
        uint32_t offset = 0;
        std::string storedName;  // unscrambled, in its stored case
    };

    // The process-wide archive, created on first use.
    static ResourceArchive& instance();

    // Reads the header and directory of the archive at path (default "Data/Resource.Kvr");
    // false when the file cannot be opened (prints "File was not opened\n") or its header is
    // cut short.
    bool open(const std::string& path = "Data/Resource.Kvr");
    // Forgets the directory (tests re-open other archives).
    void close();
    // True once a directory has been read (open() succeeded) and until close().
    bool isOpen() const { return !path_.empty(); }
    // The path of the open archive; empty when none is open.
    const std::string& path() const { return path_; }

    // The named file (case-insensitive, "/" separators), or an empty buffer when the name is
    // not stored or its bytes cannot be read. Records its size as lastSize().
    ResourceBuffer readFile(const std::string& name);
    // As readFile, for any thread: records nothing and logs nothing; diagnostic (when given)
    // says why a stored file could not be read.
    ResourceBuffer read(const std::string& name, std::string* diagnostic = nullptr) const;
    // The stored size of the named file without reading it; 0 for an unknown name.
    uint32_t fileSize(const std::string& name) const;
    // True when the name is in the directory.
    bool contains(const std::string& name) const;
    // The key an entry is found by: its name with ASCII letters in lower case, so two
    // spellings that differ only in case name one file.
    static std::string entryKey(std::string name);

    // Size of the file returned by the latest successful readFile.
    size_t lastSize() const { return lastSize_; }
    size_t entryCount() const { return directory_.size(); }
    const std::map<std::string, Entry>& directory() const { return directory_; }

private:
    // Reads the header and every sound record of the open archive; false when the header is
    // cut short.
    bool readDirectory(std::FILE* file);
    // Reads record index at the current position; false when the rest of the directory cannot
    // be located any more.
    bool readRecord(std::FILE* file, uint32_t index, uint64_t& position);

    std::string path_;
    uint8_t header_[32] = {};
    size_t lastSize_ = 0;
    uint64_t archiveSize_ = 0;
    std::map<std::string, Entry> directory_;  // lower-cased name -> entry
};

}  // namespace brx
