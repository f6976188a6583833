#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ArchiveFormat.h"
#include "core/ResourceArchive.h"
#include "tests/support/TempDir.h"
#include "tools/pack/ArchiveWriter.h"

namespace brx::tools {
namespace {

uint32_t u32At(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | uint8_t(bytes[offset + size_t(i)]);
    return value;
}

TEST(Pack, ArchiveLayoutHasHeaderRecordsAndContiguousData) {
    const std::vector<ArchiveFile> files = {{"Data/One.Txt", "12345"}, {"Data/Two/X.Bin", ""}};
    const std::string image = buildArchive(files);
    EXPECT_EQ(image.substr(0, 8), std::string(kArchiveMagic, 8));
    EXPECT_EQ(u32At(image, kArchiveCountOffset), 2u);

    size_t position = kArchiveHeaderSize;
    size_t dataOffset = kArchiveHeaderSize + 12 + 12 + 12 + 14;
    for (const ArchiveFile& file : files) {
        EXPECT_EQ(u32At(image, position), 12 + file.name.size());
        EXPECT_EQ(u32At(image, position + 4), file.bytes.size());
        EXPECT_EQ(u32At(image, position + 8), dataOffset);
        std::string name = image.substr(position + 12, file.name.size());
        EXPECT_NE(name, file.name);  // names are stored scrambled
        scrambleArchivePiece(reinterpret_cast<uint8_t*>(name.data()), name.size());
        EXPECT_EQ(name, file.name);
        position += 12 + file.name.size();
        dataOffset += file.bytes.size();
    }
    EXPECT_EQ(image.size(), dataOffset);
}

TEST(Pack, CollectFolderSkipsTopLevelFilesAndSortsByName) {
    testsupport::TempDir dir;
    dir.writeFile("stamp.txt", "top level notes stay out");
    dir.writeFile("Data/Sounds/b.wav", "B");
    dir.writeFile("Data/Colors.Cfg", "C");
    dir.writeFile("Data/Sounds/a.wav", std::string("\0A\xff", 3));
    const std::vector<ArchiveFile> files = collectFolder(dir.path().string());
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].name, "Data/Colors.Cfg");
    EXPECT_EQ(files[1].name, "Data/Sounds/a.wav");
    EXPECT_EQ(files[1].bytes, std::string("\0A\xff", 3));
    EXPECT_EQ(files[2].name, "Data/Sounds/b.wav");
}

TEST(Pack, PackedFolderReadsBackThroughTheGamesReader) {
    testsupport::TempDir source, target;
    std::string big(100000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7 % 251);
    source.writeFile("Data/Music/Track.Ogg", big);
    source.writeFile("Data/Levels/Levels.Cfg", "Count=3\r\n");
    source.writeFile("Data/Empty.Txt", "");
    const std::string archivePath = (target.path() / "Resource.Kvr").string();
    std::string error;
    ASSERT_TRUE(packFolder(source.path().string(), archivePath, &error)) << error;

    ResourceArchive archive;
    ASSERT_TRUE(archive.open(archivePath));
    EXPECT_EQ(archive.entryCount(), 3u);
    for (const char* name : {"Data/Music/Track.Ogg", "Data/Levels/Levels.Cfg", "Data/Empty.Txt"}) {
        const ResourceBuffer buffer = archive.readFile(name);
        ASSERT_TRUE(buffer) << name;
        EXPECT_EQ(std::string(buffer.text(), buffer.size), source.readFile(name)) << name;
    }
}

TEST(Pack, EmptyFolderMakesAnEmptyArchive) {
    testsupport::TempDir source, target;
    const std::string archivePath = (target.path() / "Resource.Kvr").string();
    ASSERT_TRUE(packFolder(source.path().string(), archivePath, nullptr));
    EXPECT_EQ(target.readFile("Resource.Kvr").size(), kArchiveHeaderSize);
    ResourceArchive archive;
    EXPECT_TRUE(archive.open(archivePath));
    EXPECT_EQ(archive.entryCount(), 0u);
}

TEST(Pack, UnwritableTargetIsReported) {
    testsupport::TempDir source;
    source.writeFile("Data/A.Txt", "a");
    std::string error;
    const std::string path = (source.path() / "Missing" / "Resource.Kvr").string();
    EXPECT_FALSE(packFolder(source.path().string(), path, &error));
    EXPECT_EQ(error, "cannot write " + path);
}

}  // namespace
}  // namespace brx::tools
