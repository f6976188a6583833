// The bonus prototypes built from the real archive: every key has its class, colour, flag and
// own material, and a clone of each keeps class, colour and the bonus flag (a copied bonus that
// turned into a plain block would never fire).
#include <gtest/gtest.h>

#include "core/ResourceArchive.h"
#include "game/Bonus.h"
#include "game/BonusChooser.h"
#include "game/BonusPrototypes.h"
#include "game/ColorBomb.h"
#include "game/RemoveHLine.h"
#include "game/RemoveHVLine.h"
#include "objects/ColorMaterials.h"
#include "objects/ModelLibrary.h"
#include "tests/support/GLTestContext.h"

namespace brx {
namespace {

class BonusPrototypesGL : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(ResourceArchive::instance().open());
        ModelLibrary::instance().setDetail(ModelLibrary::kHighDetail);
    }
    void TearDown() override {
        prototypes.release();
        ColorMaterials::instance().clear();
        ResourceArchive::instance().close();
    }
    BlockPrototypes prototypes;
};

// The class a key must have, checked through a clone as well as the prototype.
bool hasKindClass(const Box& box, int32_t key) {
    if (key == BonusChooser::kBigBomb) return dynamic_cast<const Bonus*>(&box) != nullptr;
    if (key >= 11 && key <= 15) return dynamic_cast<const ColorBomb*>(&box) != nullptr;
    if (key == BonusChooser::kRowRemover || key == BonusChooser::kColumnRemover) {
        const auto* remover = dynamic_cast<const RemoveHLine*>(&box);
        return remover && remover->horizontal == (key == BonusChooser::kRowRemover);
    }
    if (key == BonusChooser::kCrossRemover) return dynamic_cast<const RemoveHVLine*>(&box);
    return typeid(box) == typeid(Box);
}

bool sameColour(const Rgba& a, const Rgba& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

int32_t expectedColour(int32_t key) {
    if (key >= 11 && key <= 15) return key - 10;
    return key == BonusChooser::kUnmovable ? Box::kUnmovable : Box::kNoColour;
}

TEST_F(BonusPrototypesGL, EveryKeyAndEveryCloneKeepsClassColourAndFlag) {
    Game* const owner = reinterpret_cast<Game*>(0x3000);
    prototypes.setUp(owner, BonusPrototypes::builderFor(owner));
    ASSERT_EQ(prototypes.bonuses().size(), 10u);
    for (int32_t key = 10; key <= 19; ++key) {
        SCOPED_TRACE(key);
        const Box* prototype = prototypes.bonus(key);
        ASSERT_NE(prototype, nullptr);
        const bool bonus = key != BonusChooser::kUnmovable;
        EXPECT_TRUE(hasKindClass(*prototype, key));
        EXPECT_EQ(prototype->colour, expectedColour(key));
        EXPECT_EQ(prototype->isBonus, bonus);
        EXPECT_EQ(prototype->game, owner);
        EXPECT_TRUE(prototype->data().ownMaterial);
        EXPECT_NE(prototype->data().displayList, 0u);
        EXPECT_EQ(prototype->data().detailSwitched, !bonus);

        std::unique_ptr<Box> clone = prototypes.cloneBonus(key);
        ASSERT_NE(clone, nullptr);
        EXPECT_TRUE(hasKindClass(*clone, key));
        EXPECT_EQ(clone->colour, expectedColour(key));
        EXPECT_EQ(clone->isBonus, bonus);
        EXPECT_EQ(clone->game, owner);
        // A clone of a clone, the way a board block may be copied again.
        const std::unique_ptr<Box> again = clone->cloneBox();
        EXPECT_TRUE(hasKindClass(*again, key));
        EXPECT_EQ(again->isBonus, bonus);
    }
    // Each colour bomb wears its colour's material, and the bursts differ from one another.
    EXPECT_EQ(prototypes.bonus(11)->data().material, ColorMaterials::instance().get(Box::kRed));
    EXPECT_EQ(prototypes.bonus(14)->data().material, ColorMaterials::instance().get(Box::kWhite));
    for (int32_t a = 1; a <= 5; ++a)
        for (int32_t b = a + 1; b <= 5; ++b)
            EXPECT_FALSE(sameColour(ColorBomb::burstTint(a), ColorBomb::burstTint(b))) << a << b;
}

TEST(BonusBurst, EachColourBurstsInItsListedTint) {
    // 8-bit components by colour id 1 to 5: the white bomb bursts gold, the yellow one silver.
    const int listed[5][3] = {
        {197, 10, 10}, {61, 61, 255}, {33, 196, 33}, {240, 194, 74}, {193, 193, 193}};
    for (int32_t colour = Box::kRed; colour <= Box::kYellow; ++colour) {
        const int* rgb = listed[colour - Box::kRed];
        const Rgba expected{rgb[0] / 255.0f, rgb[1] / 255.0f, rgb[2] / 255.0f, 1.0f};
        EXPECT_TRUE(sameColour(ColorBomb::burstTint(colour), expected)) << colour;
    }
    EXPECT_TRUE(sameColour(ColorBomb::burstTint(Box::kNoColour), Rgba{1, 1, 1, 1}));
}

}  // namespace
}  // namespace brx
