// The prototype blocks a game clones every block from: the block map (plain block, fixed block,
// score block) and the bonus map (keys 10 to 19), built once while the game is set up.
//
// Design note: the bonus classes live apart from the plain blocks; setUp() takes a builder
// that fills the bonus map with the same colour table, so that this unit needs no knowledge of
// them. Prototypes are loaded with their display lists compiled; clones share that data.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "objects/Box.h"
#include "objects/ColorTable.h"

namespace brx {

class Game;

class BlockPrototypes {
public:
    // Keys of the block map.
    static constexpr int32_t kPlainKey = 1;
    static constexpr int32_t kFixedKey = 7;
    static constexpr int32_t kScoreKey = 32;
    static constexpr const char* kPlainModel = "FastBox.Asvm";
    static constexpr const char* kPlainSecondModel = "Box.Asvm";
    static constexpr const char* kFixedModel = "FlyBox.Asvm";
    static constexpr const char* kScoreModel = "ScoreBox.Asvm";
    static constexpr const char* kFixedMaterial = "FlyColor";
    static constexpr const char* kScoreMaterial = "ScoreColor";

    // Fills the bonus map; called with the colour table of the set-up.
    using BonusBuilder = std::function<void(BlockPrototypes& prototypes, ColorTable& colours)>;

    // How a prototype's model is loaded.
    struct ModelSetUp {
        bool detailSwitched = false;
        bool smoothNormals = false;             // in both details
        const Material* ownMaterial = nullptr;  // null: drawn in the block colour's material
    };

    // Reads "Data/Colors.Cfg" into ColorMaterials 1 to 5, builds the plain, fixed and score
    // prototypes owned by game, then lets bonuses fill the bonus map. Throws OFileNotFound
    // when a model is missing.
    void setUp(Game* owner, const BonusBuilder& bonuses = {});
    // Deletes every prototype.
    void release();

    // The prototype under a key, or null.
    const Box* block(int32_t key) const;
    const Box* bonus(int32_t key) const;
    // A clone of the prototype under a key, or null when there is none.
    std::unique_ptr<Box> cloneBlock(int32_t key) const;
    std::unique_ptr<Box> cloneBonus(int32_t key) const;
    // Stores a bonus prototype (replacing one under the same key).
    void addBonus(int32_t key, std::unique_ptr<Box> prototype);

    // Loads a model into a prototype the way the set-up does: flags, file, material, list.
    static void prepareModel(KvModel& model, const std::string& fileName, const ModelSetUp& setUp);

    const std::map<int32_t, std::unique_ptr<Box>>& blocks() const { return blocks_; }
    const std::map<int32_t, std::unique_ptr<Box>>& bonuses() const { return bonuses_; }

private:
    void buildPlainBlock(Game* owner);
    void buildFixedBlock(Game* owner, ColorTable& colours);
    void buildScoreBlock(Game* owner, ColorTable& colours);

    std::map<int32_t, std::unique_ptr<Box>> blocks_;
    std::map<int32_t, std::unique_ptr<Box>> bonuses_;
};

}  // namespace brx
