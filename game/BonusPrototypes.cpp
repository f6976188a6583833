#include "game/BonusPrototypes.h"

#include "game/Bonus.h"
#include "game/BonusChooser.h"
#include "game/ColorBomb.h"
#include "game/RemoveHLine.h"
#include "game/RemoveHVLine.h"

namespace brx {

void BonusPrototypes::build(BlockPrototypes& prototypes, ColorTable& colours, Game* owner) {
    const Material dark = colours.material(kDarkMaterial);
    const Material arrow = colours.material(kArrowMaterial);
    add(prototypes, BonusChooser::kBigBomb, std::make_unique<Bonus>(), kBigBombModel, dark, owner);
    for (int32_t colour = Box::kRed; colour <= Box::kYellow; ++colour) {
        const Material own = colours.material(ColorTable::kPlainColourKeys[colour - 1]);
        auto bomb = std::make_unique<ColorBomb>(KvModel::kNoShadow, Box::kRed);
        bomb->colour = colour;
        add(prototypes, BonusChooser::kFirstColourBomb + colour - 1, std::move(bomb),
            kColourBombModels[colour - 1], own, owner);
    }
    for (const bool horizontal : {true, false}) {
        auto remover = std::make_unique<RemoveHLine>(KvModel::kNoShadow, Box::kRed);
        remover->horizontal = horizontal;
        remover->colour = Box::kNoColour;
        add(prototypes, horizontal ? BonusChooser::kRowRemover : BonusChooser::kColumnRemover,
            std::move(remover), horizontal ? kRowModel : kColumnModel, arrow, owner);
    }
    auto cross = std::make_unique<RemoveHVLine>(KvModel::kNoShadow, Box::kRed);
    cross->colour = Box::kNoColour;
    add(prototypes, BonusChooser::kCrossRemover, std::move(cross), kCrossModel, arrow, owner);

    // The unmovable block: a plain block of its own colour id, rounder in both details.
    auto unmovable = std::make_unique<Box>(KvModel::kNoShadow);
    BlockPrototypes::ModelSetUp setUp;
    setUp.detailSwitched = true;
    setUp.smoothNormals = true;
    setUp.ownMaterial = &dark;
    BlockPrototypes::prepareModel(*unmovable, kUnmovableModel, setUp);
    unmovable->colour = Box::kUnmovable;
    unmovable->game = owner;
    prototypes.addBonus(BonusChooser::kUnmovable, std::move(unmovable));
}

BlockPrototypes::BonusBuilder BonusPrototypes::builderFor(Game* owner) {
    return [owner](BlockPrototypes& prototypes, ColorTable& colours) {
        build(prototypes, colours, owner);
    };
}

void BonusPrototypes::add(BlockPrototypes& prototypes, int32_t key, std::unique_ptr<Box> block,
                          const char* model, const Material& material, Game* owner) {
    BlockPrototypes::ModelSetUp setUp;
    setUp.ownMaterial = &material;
    BlockPrototypes::prepareModel(*block, model, setUp);
    block->game = owner;
    prototypes.addBonus(key, std::move(block));
}

}  // namespace brx
