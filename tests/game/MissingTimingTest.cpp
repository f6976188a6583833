// Effect timings missing from the tuning read as 0 and the game copes with every one of them:
// the intro is over at once, a block may start to spin in every frame of play, and the
// game-over picture hands over to the high scores after the first frame.
#include <sstream>
#include <string>

#include "tests/game/ClassicTestKit.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

using testkit::OpenClassic;

constexpr const char* kTimingKeys[] = {"RotatingATime", "RotatingBTime", "GameOverTime", "MxATime"};

// The tuning text without the lines that set a timing key.
std::string withoutTimingKeys(const std::string& text) {
    std::istringstream lines(text);
    std::string kept, line;
    while (std::getline(lines, line)) {
        bool timing = false;
        for (const char* name : kTimingKeys) {
            const std::string key(name);
            timing = timing || (line.rfind(key, 0) == 0 && line.size() > key.size() &&
                                (line[key.size()] == '=' || line[key.size()] == ' '));
        }
        if (!timing) kept += line + "\n";
    }
    return kept;
}

class MissingTiming : public testkit::LineModeGL {
protected:
    // The game's archive (less its music) with the timing keys taken out of "Data/Effects.Cfg",
    // installed as the process-wide archive; false when a file could not be copied.
    bool installWithoutTimingKeys() {
        ResourceArchive& archive = ResourceArchive::instance();
        testsupport::ArchiveBuilder builder;
        bool cut = false;
        for (const auto& [lowerName, entry] : archive.directory()) {
            if (lowerName.rfind("data/music/", 0) == 0) continue;
            const ResourceBuffer buffer = archive.read(entry.storedName);
            if (!buffer) return false;
            std::string bytes(buffer.text(), buffer.size);
            if (lowerName == "data/effects.cfg") {
                const std::string shorter = withoutTimingKeys(bytes);
                cut = shorter.size() < bytes.size();
                bytes = shorter;
            }
            builder.add(entry.storedName, bytes);
        }
        return cut && builder.install(folder);
    }

    testsupport::TempDir folder;  // outlives the games, which TearDown deletes
};

bool anySpinning(const Game& game) {
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (const Box* block = game.blockAt(c, r); block && block->spinning) return true;
    return false;
}

TEST_F(MissingTiming, MissingTimingKeysReadAsZeroAndPlayGoesOn) {
    ASSERT_TRUE(installWithoutTimingKeys());
    OpenClassic& game = start<OpenClassic>(1, 5);
    game.speedTable = {testkit::kNeverMs};
    EXPECT_EQ(game.gameOverTime, 0);

    game.activate();
    ASSERT_EQ(gameState, GameState::Intro);
    game.update(1);
    EXPECT_EQ(gameState, GameState::Playing) << "an intro of no time is over at once";

    // No pause between two spins: a block turns within the first frames, and spins starting
    // in every frame of a long play harm nothing.
    bool turned = false;
    for (int frame = 0; frame < 20 && !turned; ++frame) {
        game.update(16);
        turned = anySpinning(game);
    }
    EXPECT_TRUE(turned);
    for (int frame = 0; frame < 300; ++frame) game.update(16);
    EXPECT_EQ(gameState, GameState::Playing);
    EXPECT_EQ(game.board.blockCount(), 4 * columns);

    // The game-over picture has no time of its own: the high scores follow the next frame.
    testkit::put(game, 3, 1, Box::kRed);
    game.fillNextLine();
    game.pushLine();
    ASSERT_EQ(gameState, GameState::GameOver);
    EXPECT_TRUE(host.requests.empty());
    game.update(1);
    EXPECT_EQ(host.requests, std::vector<ScreenId>{kScreenHighScores});
}

}  // namespace
}  // namespace brx
