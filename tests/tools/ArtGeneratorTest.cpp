// The generated textures and models as the game will load them: every name the game asks for
// exists, every picture passes the game's own decoders, every model parses, is closed and sits
// where the board expects it.
#include "tools/art/ArtGenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "core/DataManifest.h"
#include "core/ResourceArchive.h"
#include "engine/JpegReader.h"
#include "engine/TgaReader.h"
#include "tests/support/GeneratedOnce.h"
#include "tests/support/TempDir.h"
#include "tools/art/AsvmReader.h"
#include "tools/art/FontArt.h"
#include "tools/art/MeshBuilder.h"
#include "tools/art/ModelArt.h"
#include "tools/art/SkinArt.h"

namespace brx::tools {
namespace {

bool isPowerOfTwo(uint32_t n) {
    return n != 0 && (n & (n - 1)) == 0;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

DecodedImage decodeTexture(const std::string& bytes, const std::string& name) {
    DecodedImage image;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const bool ok = name.find(".Jpg") != std::string::npos
                        ? JpegReader::decode(data, bytes.size(), &image)
                        : TgaReader::decode(data, bytes.size(), &image);
    EXPECT_TRUE(ok) << name;
    return image;
}

class GeneratedArt : public ::testing::Test {
protected:
    // The generator runs once for all the suite's test processes.
    static void SetUpTestSuite() {
        std::string error;
        folder = testsupport::generatedOnce(
            "art",
            [](const std::filesystem::path& to, std::string* message) {
                return ArtGenerator::writeAll(to.string(), 2, message);
            },
            &error);
        written = !folder.empty();
        EXPECT_TRUE(written) << error;
    }

    static std::string file(const std::string& archivePath) {
        return readFile(folder / archivePath);
    }
    static DecodedImage texture(const std::string& name) {
        return decodeTexture(file(DataManifest::kTextureFolder + name), name);
    }
    static Mesh model(const std::string& path) {
        Mesh mesh;
        std::string error;
        EXPECT_TRUE(AsvmReader::decode(file(path), &mesh, &error)) << path << ": " << error;
        return mesh;
    }

    static std::filesystem::path folder;
    static bool written;
};

std::filesystem::path GeneratedArt::folder;
bool GeneratedArt::written = false;

struct Bounds {
    Vec3 low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
};

Bounds boundsOf(const Mesh& mesh) {
    Bounds b;
    for (const auto& v : mesh.vertices) {
        b.low = {std::min(b.low.x, v.x), std::min(b.low.y, v.y), std::min(b.low.z, v.z)};
        b.high = {std::max(b.high.x, v.x), std::max(b.high.y, v.y), std::max(b.high.z, v.z)};
    }
    return b;
}

// Closed and consistently wound: every edge a -> b has a partner b -> a (positions rounded,
// since pieces share corners by position, not by vertex number).
int unmatchedEdges(const Mesh& mesh) {
    auto key = [&](int vertex) {
        const Vec3 p = mesh.vertices[size_t(vertex)];
        return std::make_tuple(std::lround(p.x * 1e4), std::lround(p.y * 1e4),
                               std::lround(p.z * 1e4));
    };
    std::map<std::pair<decltype(key(0)), decltype(key(0))>, int> balance;
    for (const auto& t : mesh.triangles)
        for (int c = 0; c < 3; ++c) {
            const auto a = key(t[size_t(c)].vertex), b = key(t[size_t((c + 1) % 3)].vertex);
            if (a < b)
                ++balance[{a, b}];
            else
                --balance[{b, a}];
        }
    int unmatched = 0;
    for (const auto& [edge, count] : balance) unmatched += std::abs(count);
    return unmatched;
}

TEST_F(GeneratedArt, WritesEveryTextureAndModelTheGameLoads) {
    ASSERT_TRUE(written);
    const auto jobs = ArtGenerator::jobs();
    for (const auto& path : DataManifest::textureFiles()) {
        EXPECT_NE(ArtGenerator::find(jobs, path), nullptr) << path;
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / path)) << path;
    }
    for (const auto& path : DataManifest::modelFiles())
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / path)) << path;
}

TEST_F(GeneratedArt, EveryTexturePassesTheGameDecodersWithPowerOfTwoSides) {
    for (const auto& name : DataManifest::textureNames()) {
        const DecodedImage image = texture(name);
        EXPECT_TRUE(isPowerOfTwo(image.width) && isPowerOfTwo(image.height))
            << name << " " << image.width << "x" << image.height;
        const bool jpeg = name.find(".Jpg") != std::string::npos;
        const bool skin = name.size() == 5 && name[1] == '.';
        // Everything drawn over something else carries alpha; skins and JPEGs are opaque.
        EXPECT_EQ(image.components, jpeg || skin ? 3 : 4) << name;
    }
}

TEST_F(GeneratedArt, PicturesHaveTheSizesTheScreensLayOut) {
    auto size = [](const DecodedImage& i) { return std::make_pair(i.width, i.height); };
    using P = std::pair<uint32_t, uint32_t>;
    EXPECT_EQ(size(texture("Font.Tga")), P(512, 512));
    EXPECT_EQ(size(texture("Interface/Info.Tga")), P(1024, 256));
    EXPECT_EQ(size(texture("Nature.Jpg")), P(1024, 1024));
    // Seven menu buttons stand 42 units apart: a state must be lower than that.
    EXPECT_LE(texture("MainMenu/Continue.Tga").height / 2, 42u);
    // Mode buttons stand 80 units apart (the last pair 64).
    EXPECT_LE(texture("Games/Puzzle.Tga").height / 2, 64u);
    // The check box stacks four states, the others two.
    EXPECT_EQ(texture("Interface/CheckBox.Tga").height,
              4 * texture("Interface/CheckBox.Tga").width);
    // The splash sits above the first menu button (top at 463) with its top 8 below the edge.
    EXPECT_LE(texture("Brixeler3D.Tga").height, 592u - 463u);
}

TEST_F(GeneratedArt, ButtonStatesLookClearlyDifferent) {
    for (const char* name :
         {"MainMenu/NewGame.Tga", "Games/Classic.Tga", "Interface/Done.Tga", "Interface/Button.Tga",
          "Interface/HArrow.Tga", "Interface/Thumb.Tga"}) {
        const DecodedImage image = texture(name);
        const size_t half = image.pixels.size() / 2;
        double difference = 0;
        for (size_t i = 0; i < half; ++i)
            difference += std::abs(int(image.pixels[i]) - int(image.pixels[half + i]));
        EXPECT_GT(difference / double(half), 8.0) << name;
    }
}

TEST_F(GeneratedArt, FontAdvancesAreProportionalAndPlausible) {
    const DecodedImage decoded = texture("Font.Tga");
    ASSERT_EQ(decoded.components, 4);
    // Back to a top-down picture, as FontArt::measuredAdvance reads it.
    Image font(512, 512);
    for (uint32_t y = 0; y < 512; ++y)
        for (uint32_t x = 0; x < 512; ++x)
            font.at(int(x), int(511 - y)).a = decoded.pixels[(y * 512 + x) * 4 + 3] / 255.0f;
    EXPECT_EQ(FontArt::measuredAdvance(font, ' '), 12);
    EXPECT_GT(FontArt::measuredAdvance(font, 'W'), FontArt::measuredAdvance(font, 'i') + 8);
    EXPECT_GT(FontArt::measuredAdvance(font, 'm'), FontArt::measuredAdvance(font, 'l'));
    for (int code = 33; code <= 126; ++code) {
        const int advance = FontArt::measuredAdvance(font, code);
        EXPECT_GE(advance, 4) << char(code);
        EXPECT_LE(advance, 24) << char(code);
        // The highlighted twin exists for every drawn code.
        const int cell = code - 32 + 128;
        float ink = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ink += font.at((cell % 16) * 32 + x, (cell / 16) * 32 + y).a;
        EXPECT_GT(ink, 5.0f) << char(code);
    }
    EXPECT_EQ(FontArt::measuredAdvance(font, 127), 12);  // beyond the drawn codes: empty
}

TEST_F(GeneratedArt, SkinsCarryTheFlatTonePatchesModelsPointAt) {
    for (int i = 0; i < DataManifest::kSkinCount; ++i) {
        const DecodedImage skin = texture(DataManifest::skinTexture(i));
        ASSERT_EQ(skin.width, 256u);
        // Upload rows run bottom-up, as texture v does.
        auto grey = [&](UV uv) {
            const size_t x = size_t(uv.u * 256), y = size_t(uv.v * 256);
            return skin.pixels[(y * 256 + x) * 3] / 255.0f;
        };
        EXPECT_NEAR(grey(MeshBuilder::toneUV(SkinTone::Light)), SkinArt::kLightTone, 0.01f);
        EXPECT_NEAR(grey(MeshBuilder::toneUV(SkinTone::Mid)), SkinArt::kMidTone, 0.01f);
        EXPECT_NEAR(grey(MeshBuilder::toneUV(SkinTone::Dark)), SkinArt::kDarkTone, 0.01f);
    }
}

TEST_F(GeneratedArt, EveryModelParsesClosedWithoutOwnTextures) {
    for (const auto& path : DataManifest::modelFiles()) {
        const Mesh mesh = model(path);
        EXPECT_GT(mesh.triangles.size(), 0u) << path;
        EXPECT_EQ(unmatchedEdges(mesh), 0) << path;
        // A texture bound by a model would stay bound for the blocks drawn after it.
        EXPECT_EQ(mesh.baseTexture, "") << path;
        EXPECT_EQ(mesh.detailTexture, "") << path;
        for (const auto& t : mesh.texCoords) {
            EXPECT_TRUE(t.u >= 0 && t.u <= 1 && t.v >= 0 && t.v <= 1) << path;
        }
    }
}

TEST_F(GeneratedArt, BlocksAndBonusesStayInsideTheirCell) {
    for (const auto& entry : DataManifest::models()) {
        const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
        if (digit(entry.name[0]) || (entry.name[0] == 'C' && digit(entry.name[1])))
            continue;  // boards and trays
        const std::string folder =
            entry.detailSwitched ? DataManifest::kLowDetailFolder : DataManifest::kModelFolder;
        const Bounds b = boundsOf(model(folder + entry.name));
        EXPECT_GE(b.low.x, -0.5f) << entry.name;
        EXPECT_LE(b.high.x, 0.5f) << entry.name;
        EXPECT_GE(b.low.y, -0.5f) << entry.name;
        EXPECT_LE(b.high.y, 0.5f) << entry.name;
        EXPECT_GT(b.high.x - b.low.x, 0.6f) << entry.name;  // big enough to read and to pick
    }
}

TEST_F(GeneratedArt, BoardsFrameTheCellsAndTheNextLineExactly) {
    for (const auto& [columns, rows] : {std::pair{12, 16}, {14, 16}, {16, 18}}) {
        const Mesh board =
            model(DataManifest::kModelFolder + DataManifest::boardModel(columns, rows));
        // The opening: every cell plus the quarter cell of the next line, centred on the
        // model's origin; nothing may stand in it in front of the back plate.
        const float w = float(columns) / 2, h = (float(rows) + 0.25f) / 2;
        const Bounds b = boundsOf(board);
        EXPECT_LT(b.low.x, -w);
        EXPECT_GT(b.high.x, w);
        EXPECT_LT(b.low.y, -h);
        EXPECT_GT(b.high.y, h);
        for (const auto& t : board.triangles) {
            Vec3 centre{};
            for (const auto& c : t) centre = centre + board.vertices[size_t(c.vertex)] * (1.0f / 3);
            const bool inOpening = std::abs(centre.x) < w - 1e-3f && std::abs(centre.y) < h - 1e-3f;
            EXPECT_FALSE(inOpening && centre.z > -0.5f) << columns << "x" << rows;
        }
        const Bounds tray =
            boundsOf(model(DataManifest::kModelFolder + DataManifest::trayModel(columns, rows)));
        EXPECT_LE(tray.low.x, -w);
        EXPECT_GE(tray.high.x, w);
        EXPECT_LE(tray.low.y, -0.5f);
        EXPECT_GE(tray.high.y, 0.5f);
    }
}

TEST_F(GeneratedArt, GeneratingTwiceGivesTheSameBytes) {
    const auto jobs = ArtGenerator::jobs();
    for (const char* path : {"Data/Textures/Font.Tga", "Data/Textures/DirtPuf.Tga",
                             "Data/Textures/FireFlash.Jpg", "Data/Models/Hi/Box.Asvm"}) {
        const auto* job = ArtGenerator::find(jobs, path);
        ASSERT_NE(job, nullptr) << path;
        EXPECT_EQ(job->make(), file(path)) << path;
    }
}

TEST(BuiltArchive, HoldsEveryFileTheGameLoads) {
    // Tests run in the built game folder; without a data build there is nothing to check.
    if (!std::filesystem::exists("Data/Resource.Kvr")) GTEST_SKIP() << "no Data/Resource.Kvr built";
    ResourceArchive archive;
    ASSERT_TRUE(archive.open("Data/Resource.Kvr"));
    for (const auto& name : DataManifest::allArchiveFiles())
        EXPECT_TRUE(archive.contains(name)) << name;
    archive.close();
}

}  // namespace
}  // namespace brx::tools
