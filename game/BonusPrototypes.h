// The bonus half of the block prototypes (keys 10 to 19): the big bomb, the five colour bombs,
// the row, column and cross removers and the unmovable block, each with its own model and
// material. A line mode hands build() to the prototype set-up as its bonus builder.
#pragma once

#include <cstdint>

#include "objects/BlockPrototypes.h"
#include "objects/ColorTable.h"

namespace brx {

class Game;

class BonusPrototypes {
public:
    static constexpr const char* kBigBombModel = "Bonuses/BigBomb.Asvm";
    static constexpr const char* kColourBombModels[5] = {
        "Bonuses/RedBomb.Asvm", "Bonuses/BlueBomb.Asvm", "Bonuses/GreenBomb.Asvm",
        "Bonuses/WhiteBomb.Asvm", "Bonuses/YellowBomb.Asvm"};
    static constexpr const char* kRowModel = "Bonuses/hLine.Asvm";
    static constexpr const char* kColumnModel = "Bonuses/vLine.Asvm";
    static constexpr const char* kCrossModel = "Bonuses/hvLine.Asvm";
    static constexpr const char* kUnmovableModel = "UMoveBox.Asvm";
    static constexpr const char* kDarkMaterial = "Black";
    static constexpr const char* kArrowMaterial = "ArrowBonus";

    // Fills keys 10 to 19 of the bonus map, owned by owner; throws OFileNotFound when a model
    // is missing.
    static void build(BlockPrototypes& prototypes, ColorTable& colours, Game* owner);
    // The builder the prototype set-up takes, bound to its owner.
    static BlockPrototypes::BonusBuilder builderFor(Game* owner);

private:
    static void add(BlockPrototypes& prototypes, int32_t key, std::unique_ptr<Box> block,
                    const char* model, const Material& material, Game* owner);
};

}  // namespace brx
