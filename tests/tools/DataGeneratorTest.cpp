#include "tools/data/DataGenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <sstream>

#include "core/ConfigFile.h"
#include "core/DataManifest.h"
#include "core/ResourceArchive.h"
#include "engine/ClosedSpline.h"
#include "game/PuzzleSolver.h"
#include "tests/support/GeneratedOnce.h"
#include "tests/support/TempDir.h"
#include "tools/data/CreditsWriter.h"
#include "tools/data/LevelDesigner.h"
#include "tools/data/PathDesigner.h"
#include "tools/data/TuningWriter.h"

namespace brx::tools {
namespace {

// Generates the data once for the whole suite (the puzzle design takes a moment) and reads the
// files back through the game's own configuration reader.
class DataGeneratorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        folder = testsupport::generatedOnce(
            "data",
            [](const std::filesystem::path& to, std::string* message) {
                return DataGenerator(to.string()).generate(message);
            },
            &error);
        generated = !folder.empty();
        EXPECT_TRUE(generated) << error;
    }

    static std::string read(const std::string& name) {
        std::ifstream in(folder / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Parses a generated file; fails the test when it does not parse.
    static ConfigFile config(const std::string& name) {
        ConfigFile file;
        const std::string text = read(name);
        EXPECT_FALSE(text.empty()) << name;
        EXPECT_EQ(file.loadBuffer(text.data(), text.size()), 0) << name;
        return file;
    }

    static std::filesystem::path folder;
    static bool generated;
};

std::filesystem::path DataGeneratorTest::folder;
bool DataGeneratorTest::generated = false;

const char* const kDifficultyKeys[4] = {"Easy", "Normal", "Hard", "VeryHard"};

TEST_F(DataGeneratorTest, SpeedTablesGetFasterByLevelAndByDifficulty) {
    ConfigFile file = config("Data/Difficult.Cfg");
    std::vector<std::vector<int>> tables;
    for (const char* name : kDifficultyKeys) {
        const std::vector<int> table = file.getIntList(std::string(name) + "Speed", ' ');
        ASSERT_GE(table.size(), 10u) << name;
        for (size_t i = 1; i < table.size(); ++i) EXPECT_LT(table[i], table[i - 1]) << name << i;
        EXPECT_GT(table.back(), 50) << name;
        tables.push_back(table);
    }
    for (size_t d = 1; d < tables.size(); ++d)
        for (size_t i = 0; i < 10; ++i) EXPECT_LT(tables[d][i], tables[d - 1][i]);
    // Normal's first level: at least a second per block, over 12 s per line of 12.
    EXPECT_GE(tables[1][0], 1000);
}

TEST_F(DataGeneratorTest, BonusWeightsAndSpacingHoldTheirShapes) {
    ConfigFile file = config("Data/Difficult.Cfg");
    const std::vector<std::string> keys = {
        "ClassicRBonusEasy", "ClassicRBonusNormal", "ClassicRBonusHard", "ClassicRBonusVeryHard",
        "SrategyRBonusEasy", "SrategyRBonusNormal", "SrategyRBonusHard", "StrategyRBonusVeryHard"};
    for (const std::string& key : keys) {
        const std::vector<float> weights = file.getFloatList(key, ' ');
        ASSERT_EQ(weights.size(), 5u) << key;
        for (float w : weights) EXPECT_GE(w, 0.0f) << key;
        EXPECT_LE(std::accumulate(weights.begin(), weights.end(), 0.0f), 100.0f) << key;
    }
    for (const char* key : {"BrixelBonusRand", "StrategyBonusRand"}) {
        const std::vector<int> spacing = file.getIntList(key, ' ');
        ASSERT_EQ(spacing.size(), 4u) << key;
        // Classic draws the gap as value - 8 .. value + 8, Strategy from value - 8.
        for (int value : spacing) EXPECT_GT(value, 8) << key;
    }
    EXPECT_EQ(file.status, 0);
}

TEST_F(DataGeneratorTest, EffectsFileHoldsTheIntroAndTimings) {
    ConfigFile file = config("Data/Effects.Cfg");
    EXPECT_EQ(file.getFloatList("SourcePos", ' ').size(), 3u);
    const std::vector<float> destination = file.getFloatList("DestPos", ' ');
    ASSERT_EQ(destination.size(), 3u);
    for (float v : destination) EXPECT_EQ(v, 0.0f);  // the board ends where it is picked
    EXPECT_EQ(file.getFloat("DestAngle", 99.0f), 0.0f);
    EXPECT_LT(file.getFloat("SourceAngle", 0.0f), 0.0f);
    EXPECT_GT(file.getInt("MxATime", 0), 0);
    const int lower = file.getInt("RotatingATime", 0), upper = file.getInt("RotatingBTime", 0);
    EXPECT_GT(lower, 0);
    EXPECT_LE(lower, upper);
    EXPECT_GT(file.getInt("GameOverTime", 0), 0);
    EXPECT_EQ(file.status, 0);
}

TEST_F(DataGeneratorTest, EveryMaterialHasTenNumbersAndPlainColoursDiffer) {
    ConfigFile file = config("Data/Colors.Cfg");
    const std::vector<std::string> needed = {
        "Red", "Blue", "Green", "White", "Yellow", "FlyColor", "ScoreColor", "Black", "ArrowBonus"};
    std::vector<std::vector<float>> plain;
    for (const std::string& key : needed) {
        const std::vector<float> values = file.getFloatList(key, ',');
        ASSERT_EQ(values.size(), 10u) << key;
        for (float v : values) {
            EXPECT_GE(v, 0.0f) << key;
            EXPECT_LE(v, 1.0f) << key;
        }
        if (plain.size() < 5) plain.push_back(values);
    }
    for (size_t a = 0; a < plain.size(); ++a) {
        for (size_t b = a + 1; b < plain.size(); ++b) {
            const float dr = plain[a][3] - plain[b][3], dg = plain[a][4] - plain[b][4],
                        db = plain[a][5] - plain[b][5];
            EXPECT_GT(std::sqrt(dr * dr + dg * dg + db * db), 0.5f) << needed[a] << needed[b];
        }
    }
}

TEST_F(DataGeneratorTest, LevelCountsMatchTheFiles) {
    ConfigFile levels = config("Data/Levels/Levels.Cfg");
    const int puzzles = levels.getInt("Puzzle", 0), advanced = levels.getInt("Advanced", 0);
    EXPECT_GE(puzzles, 20);
    EXPECT_GE(advanced, 10);
    // The shared list of archive files names exactly these level files.
    EXPECT_EQ(puzzles, DataManifest::kPuzzleLevelCount);
    EXPECT_EQ(advanced, DataManifest::kAdvancedLevelCount);
    namespace fs = std::filesystem;
    const fs::path dir = folder / "Data/Levels";
    EXPECT_TRUE(fs::exists(dir / ("Puzzle." + std::to_string(puzzles) + ".Cfg")));
    EXPECT_FALSE(fs::exists(dir / ("Puzzle." + std::to_string(puzzles + 1) + ".Cfg")));
    EXPECT_TRUE(fs::exists(dir / ("Adv." + std::to_string(advanced) + ".Cfg")));
    EXPECT_FALSE(fs::exists(dir / ("Adv." + std::to_string(advanced + 1) + ".Cfg")));
}

TEST_F(DataGeneratorTest, EveryPuzzleIsSolvableAndUsesTheWholeCast) {
    const int count = config("Data/Levels/Levels.Cfg").getInt("Puzzle", 0);
    int seen[20] = {};
    for (int i = 1; i <= count; ++i) {
        const std::string name = "Data/Levels/Puzzle." + std::to_string(i) + ".Cfg";
        ConfigFile file = config(name);
        const std::vector<int> values = file.getIntList("Data", ',');
        ASSERT_EQ(values.size(), 192u) << name;
        for (int v : values) {
            ASSERT_TRUE(v == 0 || (v >= 1 && v <= 5) || v == 7 || (v >= 10 && v <= 19)) << name;
            ++seen[v];
        }
        const PuzzleBoard board(values);
        EXPECT_TRUE(board.isSettled()) << name;
        EXPECT_FALSE(board.isSolved()) << name;
        // The stored solution, and an independent search, both clear it.
        const auto stored = PuzzleSolver::unflatten(file.getIntList("Solution", ','));
        EXPECT_TRUE(PuzzleSolver::replay(board, stored)) << name;
        const PuzzleSolution found = PuzzleSolver(400000).solve(board);
        EXPECT_TRUE(found.solved) << name;
        EXPECT_TRUE(PuzzleSolver::replay(board, found.clicks)) << name;
    }
    EXPECT_GT(seen[7], 0);   // fixed blocks
    EXPECT_GT(seen[19], 0);  // unmovable blocks
    EXPECT_GT(seen[10], 0);  // big bombs
    EXPECT_GT(seen[11] + seen[12] + seen[13] + seen[14] + seen[15], 0);
    EXPECT_GT(seen[16], 0);
    EXPECT_GT(seen[17], 0);
    EXPECT_GT(seen[18], 0);
}

TEST_F(DataGeneratorTest, PuzzlesGrowHarderFromFirstToLast) {
    const int count = config("Data/Levels/Levels.Cfg").getInt("Puzzle", 0);
    ASSERT_GE(count, 20);
    auto blocksOf = [](int i) {
        ConfigFile file;
        const std::string text = read("Data/Levels/Puzzle." + std::to_string(i) + ".Cfg");
        file.loadBuffer(text.data(), text.size());
        return PuzzleBoard(file.getIntList("Data", ',')).countBlocks();
    };
    // Early puzzles are small; the last ones fill much more of the board.
    EXPECT_LT(blocksOf(1) * 2, blocksOf(count));
    EXPECT_LT(blocksOf(2), blocksOf(count - 1));
}

TEST_F(DataGeneratorTest, AdvancedLayoutsLeaveRoomToPlay) {
    const int count = config("Data/Levels/Levels.Cfg").getInt("Advanced", 0);
    ASSERT_GE(count, 2);
    for (int i = 1; i <= count; ++i) {
        const std::string name = "Data/Levels/Adv." + std::to_string(i) + ".Cfg";
        const std::vector<int> values = config(name).getIntList("Data", ',');
        ASSERT_EQ(values.size(), 192u) << name;
        int fixed = 0;
        for (int c = 0; c < 12; ++c) {
            int run = 0;
            EXPECT_NE(values[c], 7) << name << ": fixed block in row 0";
            for (int r = 0; r < 16; ++r) {
                const int v = values[r * 12 + c];
                EXPECT_TRUE(v == 0 || v == 7) << name;
                run = v == 7 ? run + 1 : 0;
                EXPECT_LE(run, 7) << name;
                if (v == 7) ++fixed;
            }
        }
        EXPECT_GT(fixed, 0) << name;
        EXPECT_LE(fixed, 24) << name;
    }
}

TEST_F(DataGeneratorTest, PathsAreClosedLoopsInFrontOfTheBoardAndInView) {
    for (int i = 1; i <= PathDesigner::kPathCount; ++i) {
        const std::string name = "Data/Splines/" + std::to_string(i) + ".Ase";
        const std::string text = read(name);
        ASSERT_EQ(text.find('\r'), std::string::npos) << name;
        const std::vector<PathPoint> points = PathDesigner::parse(text);
        ASSERT_GE(points.size(), 8u) << name;
        const PathPoint& a = points.front();
        const PathPoint& b = points.back();
        EXPECT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << name;
        const double length = PathDesigner::length(points);
        EXPECT_GT(length, 35.0) << name;
        EXPECT_LT(length, 160.0) << name;
        // Sample the closed spline the trail flies along, not only the points.
        const int n = static_cast<int>(points.size());
        std::vector<float> xs, ys, zs, ts(1, 0.0f);
        for (const PathPoint& p : points) {
            xs.push_back(static_cast<float>(p.x));
            ys.push_back(static_cast<float>(p.y));
            zs.push_back(static_cast<float>(p.z));
        }
        for (int k = 1; k < n; ++k) {
            const double step = std::hypot(xs[k] - xs[k - 1], ys[k] - ys[k - 1], zs[k] - zs[k - 1]);
            ts.push_back(ts.back() + static_cast<float>(step));
        }
        std::vector<float> c3[3], c2[3];
        const std::vector<float>* axes[3] = {&xs, &ys, &zs};
        for (int axis = 0; axis < 3; ++axis) {
            c3[axis].resize(n - 1);
            c2[axis].resize(n - 1);
            ASSERT_TRUE(closedSplineCoefficients(axes[axis]->data(), ts.data(), n, c3[axis].data(),
                                                 c2[axis].data()));
        }
        for (int k = 0; k + 1 < n; ++k) {
            for (float u = 0; u < 1.0f; u += 0.25f) {
                PathPoint p;
                double* out[3] = {&p.x, &p.y, &p.z};
                for (int axis = 0; axis < 3; ++axis)
                    *out[axis] = closedSplineValue(axes[axis]->data(), ts.data(), c3[axis].data(),
                                                   c2[axis].data(), k, u);
                EXPECT_GT(p.z, 0.75) << name << " dips behind the block faces";
                double sx = 0, sy = 0;
                PathDesigner::project(p, sx, sy);
                EXPECT_LT(std::abs(sx), 0.92) << name;
                EXPECT_LT(std::abs(sy), 0.92) << name;
            }
        }
    }
}

TEST_F(DataGeneratorTest, CreditsUseHeadingsAndNameTheLibraries) {
    const std::string text = read("Data/Credits.Kv");
    std::vector<std::string> lines;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    ASSERT_GT(lines.size(), 20u);
    int headings = 0;
    for (const std::string& line : lines) {
        // Every line keeps its carriage return and has a character before it.
        ASSERT_GE(line.size(), 2u);
        EXPECT_EQ(line.back(), '\r');
        if (line[line.size() - 2] == '#') ++headings;
    }
    EXPECT_GE(headings, 6);
    EXPECT_EQ(lines.front(), "Brixeler 3D version 1.3#\r");
    for (const char* needle : {"SDL2 - zlib", "SDL2_mixer - zlib", "Mesa 3D - MIT", "libjpeg-turbo",
                               "FreeType", "DejaVu", "LAME - GNU LGPL", "libvorbis - BSD",
                               "GoogleTest - BSD 3-Clause", "Google Benchmark - Apache"})
        EXPECT_NE(text.find(needle), std::string::npos) << needle;
}

TEST_F(DataGeneratorTest, GenerationIsReproducible) {
    testsupport::TempDir second;
    std::string error;
    ASSERT_TRUE(DataGenerator(second.path().string()).generate(&error)) << error;
    size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(second.path())) {
        if (!entry.is_regular_file()) continue;
        const std::string relative =
            std::filesystem::relative(entry.path(), second.path()).string();
        EXPECT_EQ(second.readFile(relative), read(relative)) << relative;
        ++files;
    }
    EXPECT_EQ(files, 23u + 3u + 1u + 1u + 24u + 12u);
}

TEST_F(DataGeneratorTest, BuiltArchiveCarriesTheSameFiles) {
    // Tests run in the built game folder; a build without the data has no archive to check.
    if (!std::filesystem::exists("Data/Resource.Kvr")) GTEST_SKIP() << "no archive built";
    ResourceArchive archive;
    ASSERT_TRUE(archive.open("Data/Resource.Kvr"));
    for (const char* name : {"Data/Difficult.Cfg", "Data/Effects.Cfg", "Data/Colors.Cfg",
                             "Data/Levels/Levels.Cfg", "Data/Levels/Puzzle.1.Cfg",
                             "Data/Levels/Adv.1.Cfg", "Data/Splines/23.Ase", "Data/Credits.Kv"}) {
        const ResourceBuffer buffer = archive.readFile(name);
        ASSERT_TRUE(buffer) << name;
        EXPECT_EQ(std::string(buffer.text(), buffer.size), read(name)) << name;
    }
}

}  // namespace
}  // namespace brx::tools
