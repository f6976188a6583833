#include "core/ResourceArchive.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/ArchiveFormat.h"
#include "core/ErrorLog.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

struct ArchiveFile {
    std::string name;
    std::string bytes;
};

std::string patternBytes(size_t length, int seed) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i) bytes[i] = char((i * 131 + size_t(seed) * 17) & 0xFF);
    return bytes;
}

std::vector<ArchiveFile> sampleFiles() {
    return {{"Data/Sounds/Select.Wav", patternBytes(3000, 1)},
            {"Data/Empty.Txt", ""},
            {"Data/Levels/Levels.Cfg", "Count=3\n"}};
}

std::string u32(uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(char((value >> (8 * i)) & 0xFF));
    return bytes;
}

std::string headerWithCount(uint32_t count) {
    std::string header(kArchiveHeaderSize, '\0');
    header.replace(kArchiveCountOffset, 4, u32(count));
    return header;
}

std::string scrambled(std::string bytes) {
    scrambleArchivePiece(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
    return bytes;
}

std::string record(uint32_t length, uint32_t size, uint32_t offset, const std::string& name) {
    return u32(length) + u32(size) + u32(offset) + scrambled(name);
}

// The archive image of the files, laid out by hand from the format's constants so the reader is
// checked against the layout itself (the packer has its own tests against this reader).
std::string imageOf(const std::vector<ArchiveFile>& files) {
    std::string directory, data;
    size_t directorySize = 0;
    for (const ArchiveFile& file : files)
        directorySize += kArchiveRecordFixedSize + file.name.size();
    for (const ArchiveFile& file : files) {
        const size_t offset = kArchiveHeaderSize + directorySize + data.size();
        directory += record(uint32_t(kArchiveRecordFixedSize + file.name.size()),
                            uint32_t(file.bytes.size()), uint32_t(offset), file.name);
        data += scrambled(file.bytes);
    }
    return headerWithCount(uint32_t(files.size())) + directory + data;
}

// Opens an archive image written to a temporary file.
class ArchiveImage {
public:
    explicit ArchiveImage(const std::string& bytes) {
        dir.writeFile("Resource.Kvr", bytes);
        opened = archive.open(path());
    }
    std::string path() const { return (dir.path() / "Resource.Kvr").string(); }

    testsupport::TempDir dir;
    ResourceArchive archive;
    bool opened = false;
};

void expectHolds(ResourceArchive& archive, const ArchiveFile& file) {
    SCOPED_TRACE(file.name);
    ASSERT_TRUE(archive.contains(file.name));
    EXPECT_EQ(archive.fileSize(file.name), file.bytes.size());
    const ResourceBuffer buffer = archive.readFile(file.name);
    ASSERT_TRUE(buffer);
    ASSERT_EQ(buffer.size, file.bytes.size());
    EXPECT_EQ(std::string(buffer.text(), buffer.size), file.bytes);
    EXPECT_EQ(buffer.bytes[buffer.size], 0) << "missing terminator";
    EXPECT_EQ(archive.lastSize(), file.bytes.size());
}

TEST(ResourceArchive, ReadsEveryPackedFileByCaseInsensitiveName) {
    testsupport::TempDir dir;
    dir.writeFile("Data/Resource.Kvr", imageOf(sampleFiles()));
    dir.enter();
    ResourceArchive archive;
    ASSERT_TRUE(archive.open());
    EXPECT_EQ(archive.entryCount(), 3u);
    for (const ArchiveFile& file : sampleFiles()) expectHolds(archive, file);

    const ResourceBuffer upper = archive.readFile("DATA/SOUNDS/SELECT.WAV");
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper.size, 3000u);
    EXPECT_EQ(archive.directory().at("data/sounds/select.wav").storedName,
              "Data/Sounds/Select.Wav");

    const ResourceBuffer empty = archive.readFile("data/empty.txt");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty.bytes[0], 0);
    EXPECT_EQ(archive.lastSize(), 0u);
}

TEST(ResourceArchive, UnknownNamesAnswerEmpty) {
    ArchiveImage image(imageOf(sampleFiles()));
    ASSERT_TRUE(image.opened);
    for (const char* name : {"Data/Missing.Wav", "Data\\Empty.Txt", "", "Data/Sounds"}) {
        EXPECT_FALSE(image.archive.readFile(name)) << name;
        EXPECT_EQ(image.archive.fileSize(name), 0u) << name;
        EXPECT_FALSE(image.archive.contains(name)) << name;
    }
    image.archive.close();
    EXPECT_EQ(image.archive.entryCount(), 0u);
    EXPECT_FALSE(image.archive.readFile("Data/Empty.Txt"));
}

TEST(ResourceArchive, OnlyTheFirst2048BytesAreScrambled) {
    const std::string plain = patternBytes(3000, 5);
    const std::string image = imageOf({{"Data/Big.Bin", plain}});
    const size_t dataOffset = kArchiveHeaderSize + kArchiveRecordFixedSize + 12;
    ASSERT_EQ(image.size(), dataOffset + plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        const uint8_t expected = uint8_t(plain[i]) ^ (i < 2048 ? kArchiveKey : 0);
        ASSERT_EQ(uint8_t(image[dataOffset + i]), expected) << "byte " << i;
    }
    ArchiveImage opened(image);
    expectHolds(opened.archive, {"Data/Big.Bin", plain});
}

TEST(ResourceArchive, LaterRecordWithTheSameNameWins) {
    ArchiveImage image(imageOf({{"Data/A.Txt", "first"}, {"DATA/a.txt", "second"}}));
    EXPECT_EQ(image.archive.entryCount(), 1u);
    EXPECT_EQ(std::string(image.archive.readFile("data/a.txt").text()), "second");
    EXPECT_EQ(image.archive.directory().begin()->second.storedName, "DATA/a.txt");
}

TEST(ResourceArchive, MissingArchiveIsReportedAndLeavesTheDirectoryEmpty) {
    testsupport::TempDir dir;
    ResourceArchive archive;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(archive.open((dir.path() / "Data/Resource.Kvr").string()));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File was not opened\n");
    EXPECT_EQ(archive.entryCount(), 0u);
    EXPECT_FALSE(archive.readFile("Data/Empty.Txt"));
}

struct DamagedCase {
    std::string what;
    std::string bytes;
    std::vector<ArchiveFile> sound;  // the files that must still load intact
};

std::vector<DamagedCase> damagedCorpus() {
    std::vector<DamagedCase> corpus;
    const std::string good = imageOf(sampleFiles());
    const std::string a = "Data/A.Txt", b = "Data/B.Txt", c = "Data/C.Txt";
    const uint32_t directoryEnd = uint32_t(kArchiveHeaderSize + 3 * (12 + a.size()));
    // Three records A, B, C with three bytes each; second replaces B's record.
    auto threeRecords = [&](const std::string& second, uint32_t count = 3) {
        return headerWithCount(count) + record(22, 3, directoryEnd, a) + second +
               record(22, 3, directoryEnd + 6, c) + scrambled("aaabbbccc");
    };
    const std::string recordB = record(22, 3, directoryEnd + 3, b);
    for (size_t cut : {0, 1, 8, 12, 31}) {
        corpus.push_back({"header of " + std::to_string(cut) + " bytes", good.substr(0, cut), {}});
    }
    corpus.push_back({"count larger than the file holds",
                      threeRecords(recordB, 1000),
                      {{a, "aaa"}, {b, "bbb"}, {c, "ccc"}}});
    corpus.push_back({"count of 0xFFFFFFFF", headerWithCount(0xFFFFFFFFu), {}});
    corpus.push_back(
        {"record length below 12", threeRecords(record(5, 3, directoryEnd, b)), {{a, "aaa"}}});
    corpus.push_back({"record length beyond the file",
                      threeRecords(record(0x7FFFFFF0u, 3, directoryEnd, b)),
                      {{a, "aaa"}}});
    corpus.push_back({"offset past the end",
                      threeRecords(record(22, 3, 0x10000000u, b)),
                      {{a, "aaa"}, {c, "ccc"}}});
    corpus.push_back({"size past the end",
                      threeRecords(record(22, 0x00FFFFFFu, directoryEnd, b)),
                      {{a, "aaa"}, {c, "ccc"}}});
    corpus.push_back({"offset plus size wraps 32 bits",
                      threeRecords(record(22, 0x20, 0xFFFFFFF0u, b)),
                      {{a, "aaa"}, {c, "ccc"}}});
    corpus.push_back(
        {"name with a zero byte",
         headerWithCount(1) + record(22, 2, 54, std::string("Data/Z\0xx.T", 10)) + scrambled("zz"),
         {{"Data/Z", "zz"}}});
    return corpus;
}

TEST(ResourceArchiveDamaged, LoadsWhatIsSoundAndLogsTheRest) {
    for (const DamagedCase& damaged : damagedCorpus()) {
        SCOPED_TRACE(damaged.what);
        const int errorsBefore = ErrorLog::instance().errorCount();
        ArchiveImage image(damaged.bytes);
        EXPECT_EQ(image.archive.entryCount(), damaged.sound.size());
        for (const ArchiveFile& file : damaged.sound) expectHolds(image.archive, file);
        if (damaged.what != "name with a zero byte") {
            EXPECT_GT(ErrorLog::instance().errorCount(), errorsBefore) << "not logged";
        }
    }
}

TEST(ResourceArchiveDamaged, EveryTruncationLoadsOnlyIntactFiles) {
    const std::vector<ArchiveFile> files = sampleFiles();
    const std::string good = imageOf(files);
    for (size_t cut = 0; cut <= good.size(); cut += cut < 200 ? 1 : 37) {
        ArchiveImage image(good.substr(0, cut));
        EXPECT_EQ(image.opened, cut >= kArchiveHeaderSize) << cut;
        for (const ArchiveFile& file : files) {
            if (image.archive.contains(file.name)) expectHolds(image.archive, file);
        }
    }
    ArchiveImage whole(good);
    EXPECT_EQ(whole.archive.entryCount(), files.size());
}

TEST(ResourceArchiveDamaged, FileShrunkAfterOpeningReadsAsMissing) {
    ArchiveImage image(imageOf(sampleFiles()));
    ASSERT_TRUE(image.archive.contains("Data/Sounds/Select.Wav"));
    std::filesystem::resize_file(image.path(), 100);
    const int errorsBefore = ErrorLog::instance().errorCount();
    EXPECT_FALSE(image.archive.readFile("Data/Sounds/Select.Wav"));
    EXPECT_GT(ErrorLog::instance().errorCount(), errorsBefore);
    std::filesystem::remove(image.path());
    EXPECT_FALSE(image.archive.readFile("Data/Levels/Levels.Cfg"));
}

TEST(ResourceArchive, BuiltGameArchiveReadsCompletely) {
    const std::string path = "Data/Resource.Kvr";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "game data not built";
    ResourceArchive archive;
    ASSERT_TRUE(archive.open(path));
    const int errorsBefore = ErrorLog::instance().errorCount();
    for (const auto& [lowerName, entry] : archive.directory()) {
        const ResourceBuffer buffer = archive.readFile(entry.storedName);
        ASSERT_TRUE(buffer) << entry.storedName;
        EXPECT_EQ(buffer.size, entry.size) << entry.storedName;
    }
    EXPECT_EQ(ErrorLog::instance().errorCount(), errorsBefore);
}

// The start-up worker reads textures while the main thread reads other files: reads from
// several threads at once each get their own file's bytes.
TEST(ResourceArchive, ThreadsReadAtOnceAndEachGetsItsOwnBytes) {
    std::vector<ArchiveFile> files;
    for (int i = 0; i < 8; ++i)
        files.push_back({"Data/File" + std::to_string(i) + ".Bin", patternBytes(5000 + 97 * i, i)});
    ArchiveImage image(imageOf(files));
    ASSERT_TRUE(image.opened);
    std::vector<std::thread> readers;
    std::atomic<int> mismatches{0};
    for (int reader = 0; reader < 4; ++reader) {
        readers.emplace_back([&image, &files, &mismatches, reader] {
            for (int round = 0; round < 50; ++round) {
                const ArchiveFile& file = files[size_t((round + reader) % 8)];
                const ResourceBuffer buffer = image.archive.read(file.name);
                if (!buffer || std::string(buffer.text(), buffer.size) != file.bytes) ++mismatches;
            }
        });
    }
    for (std::thread& reader : readers) reader.join();
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(image.archive.lastSize(), 0u) << "read() records nothing";
}

TEST(ResourceArchive, IsOpenOnlyAfterADirectoryWasRead) {
    ArchiveImage image(imageOf(sampleFiles()));
    ASSERT_TRUE(image.opened);
    EXPECT_TRUE(image.archive.isOpen());
    EXPECT_EQ(image.archive.path(), image.path());
    EXPECT_FALSE(image.archive.open(image.path() + ".missing"));
    EXPECT_FALSE(image.archive.isOpen()) << "a failed open leaves nothing open";
    EXPECT_TRUE(image.archive.path().empty());
    image.dir.writeFile("Short.Kvr", "BRX");
    EXPECT_FALSE(image.archive.open((image.dir.path() / "Short.Kvr").string()));
    EXPECT_FALSE(image.archive.isOpen());
    EXPECT_FALSE(image.archive.read("Data/Empty.Txt"));
}

}  // namespace
}  // namespace brx
