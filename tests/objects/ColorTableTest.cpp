// "Data/Colors.Cfg" into materials: the mapping of the ten numbers, and keys that are missing
// or short keeping the default material.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/ErrorLog.h"
#include "objects/ColorMaterials.h"
#include "objects/ColorTable.h"

namespace brx {
namespace {

const char* const kFile =
    "Red=\"0.3,0.03,0.04,0.9,0.08,0.06,0.9,0.8,0.7,0.5\"\n"
    "Blue=\"0.1,0.2,0.3\"\n"
    "Green=[0.03,0.24,0.05,0.1,0.78,0.16,0.8,1,0.8,0.25]\n";

TEST(ColorTable, TenNumbersBecomeAmbientDiffuseSpecularAndShininess) {
    ColorTable table;
    ASSERT_TRUE(table.loadBuffer(kFile, std::strlen(kFile)));
    const Material red = table.material("Red");
    EXPECT_FLOAT_EQ(red.ambient[0], 0.3f);
    EXPECT_FLOAT_EQ(red.ambient[2], 0.04f);
    EXPECT_FLOAT_EQ(red.diffuse[1], 0.08f);
    EXPECT_FLOAT_EQ(red.specular[2], 0.7f);
    EXPECT_FLOAT_EQ(red.shininess, 64.0f);
    // Alphas and the emission keep their defaults.
    EXPECT_EQ(red.ambient[3], 1.0f);
    EXPECT_EQ(red.diffuse[3], 1.0f);
    EXPECT_EQ(red.specular[3], 1.0f);
    EXPECT_EQ(red.emission[0], 0.0f);
    EXPECT_EQ(red.emission[3], 1.0f);
    EXPECT_FLOAT_EQ(table.material("Green").shininess, 32.0f);
}

TEST(ColorTable, MissingOrShortKeysKeepTheDefaultAndAreLogged) {
    ColorTable table;
    ASSERT_TRUE(table.loadBuffer(kFile, std::strlen(kFile)));
    const int before = ErrorLog::instance().errorCount();
    EXPECT_EQ(table.material("Blue"), Material());
    EXPECT_EQ(table.material("Purple"), Material());
    EXPECT_EQ(ErrorLog::instance().errorCount(), before + 2);
}

TEST(ColorTable, PlainColoursFillIdsOneToFive) {
    ColorTable table;
    ASSERT_TRUE(table.loadBuffer(kFile, std::strlen(kFile)));
    ColorMaterials& materials = ColorMaterials::instance();
    materials.clear();
    table.fillPlainColours(materials);
    EXPECT_FLOAT_EQ(materials.get(1).ambient[0], 0.3f);
    EXPECT_EQ(materials.get(2), Material());  // Blue is short
    EXPECT_FLOAT_EQ(materials.get(3).diffuse[1], 0.78f);
    EXPECT_TRUE(materials.has(5));
    EXPECT_FALSE(materials.has(7));
    EXPECT_EQ(materials.get(7), Material());  // no entry: the default
    materials.clear();
}

}  // namespace
}  // namespace brx
