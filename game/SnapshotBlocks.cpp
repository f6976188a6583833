#include "game/SnapshotBlocks.h"

#include "game/Bonus.h"
#include "game/BonusChooser.h"
#include "game/ColorBomb.h"
#include "game/RemoveHLine.h"
#include "game/RemoveHVLine.h"
#include "objects/BlockPrototypes.h"

namespace brx {

int32_t SnapshotBlocks::kindOf(const Box& block) {
    if (dynamic_cast<const Bonus*>(&block)) return BonusChooser::kBigBomb;
    if (dynamic_cast<const ColorBomb*>(&block))
        return BonusChooser::kFirstColourBomb + block.colour - Box::kRed;
    if (const auto* remover = dynamic_cast<const RemoveHLine*>(&block))
        return remover->horizontal ? BonusChooser::kRowRemover : BonusChooser::kColumnRemover;
    if (dynamic_cast<const RemoveHVLine*>(&block)) return BonusChooser::kCrossRemover;
    switch (block.colour) {
        case Box::kUnmovable:
            return BonusChooser::kUnmovable;
        case Box::kFixed:
            return BlockPrototypes::kFixedKey;
        case Box::kNoColour:
            return BlockPrototypes::kScoreKey;
        default:
            return BlockPrototypes::kPlainKey;
    }
}

std::unique_ptr<Box> SnapshotBlocks::make(const BlockPrototypes& prototypes, int32_t kind,
                                          int32_t colour) {
    if (!GameSnapshot::kindFits(kind, colour)) return nullptr;
    if (kind >= GameSnapshot::kFirstBonusKind && kind <= GameSnapshot::kLastBonusKind)
        return prototypes.cloneBonus(kind);
    std::unique_ptr<Box> block = prototypes.cloneBlock(kind);
    if (block && kind == BlockPrototypes::kPlainKey) block->colour = colour;
    return block;
}

}  // namespace brx
