#include "tools/data/TuningWriter.h"

#include "tools/data/CfgWriter.h"

namespace brx::tools {

namespace {

// Line speeds. A line of 12 (Easy, Normal), 14 (Hard) or 16 (Impossible) blocks builds up one
// block per interval, so the first Normal level brings a line about every 13 seconds: time to
// look around. Each level is roughly 8 to 10 % quicker; from the tenth level the game stays
// between entries 7 and 9. Impossible starts where Normal ends up and goes below a quarter of
// a second per block, on the widest board with all five colours.
const int kSpeeds[TuningWriter::kDifficulties][12] = {
    {1300, 1200, 1110, 1030, 960, 890, 830, 770, 720, 670, 630, 600},
    {1100, 1000, 910, 830, 760, 690, 630, 580, 530, 490, 460, 430},
    {850, 780, 710, 650, 590, 540, 490, 450, 410, 375, 350, 330},
    {560, 500, 450, 405, 365, 330, 300, 270, 245, 225, 210, 200},
};

// Bonus weights in percent. Easy hands out the most bombs and line removers; the share left
// over becomes unmovable blocks, which only a big bomb clears, so it grows with the
// difficulty (4 %, 14 %, 25 %, 40 %). Strategy, where every bonus costs a line like any move,
// gets slightly more helpful mixes.
const double kClassicWeights[TuningWriter::kDifficulties][5] = {
    {14, 32, 20, 20, 10},
    {11, 30, 18, 18, 9},
    {9, 26, 16, 16, 8},
    {7, 22, 12, 12, 7},
};
const double kStrategyWeights[TuningWriter::kDifficulties][5] = {
    {15, 30, 20, 20, 12},
    {12, 28, 18, 18, 10},
    {10, 24, 16, 16, 8},
    {8, 20, 14, 14, 6},
};

// Plain blocks between two bonuses. Classic draws the gap as this value +-8, so Normal
// brings a bonus every three to four lines; Strategy adds -8..+32 to it, and since every
// move there costs a whole line, its gaps start smaller.
const std::vector<int> kClassicSpacing = {30, 40, 52, 66};
const std::vector<int> kStrategySpacing = {16, 22, 30, 40};

const char* const kDifficultyNames[TuningWriter::kDifficulties] = {"Easy", "Normal", "Hard",
                                                                   "VeryHard"};

struct Material {
    const char* key;
    double values[10];  // ambient rgb, diffuse rgb, specular rgb, shininess / 128
};

// Glossy plastic: a dim ambient of the body colour, a saturated diffuse and a soft specular.
// The board light sits on the view axis, so every front face catches the highlight in full:
// a bright specular would wash the faces out to pastel, so it stays low and the bevels carry
// the gloss. The five plain colours sit far apart in hue and brightness so they read at a
// glance even at the small size of the Impossible board; white is kept a cool silver so that
// it never passes for yellow.
const Material kMaterials[] = {
    {"Red", {0.30, 0.03, 0.03, 0.88, 0.07, 0.05, 0.22, 0.18, 0.18, 0.55}},
    {"Blue", {0.04, 0.08, 0.32, 0.10, 0.26, 0.92, 0.18, 0.20, 0.24, 0.55}},
    {"Green", {0.03, 0.24, 0.05, 0.08, 0.72, 0.14, 0.18, 0.24, 0.18, 0.55}},
    {"White", {0.26, 0.26, 0.29, 0.74, 0.75, 0.80, 0.22, 0.22, 0.24, 0.60}},
    {"Yellow", {0.32, 0.26, 0.02, 0.95, 0.78, 0.05, 0.24, 0.22, 0.14, 0.55}},
    // Fixed blocks: dark brushed steel with a violet cast, unlike any plain colour.
    {"FlyColor", {0.14, 0.12, 0.18, 0.42, 0.38, 0.52, 0.30, 0.30, 0.34, 0.35}},
    // Score blocks of the finishing fill: polished gold.
    {"ScoreColor", {0.25, 0.20, 0.07, 0.75, 0.61, 0.23, 0.38, 0.33, 0.20, 0.40}},
    // Big bomb and unmovable blocks: glossy black, the highlight does the shaping.
    {"Black", {0.04, 0.04, 0.05, 0.10, 0.10, 0.12, 0.45, 0.45, 0.48, 0.70}},
    // Line removers: bright cyan so they stand out from every block colour.
    {"ArrowBonus", {0.04, 0.22, 0.28, 0.15, 0.80, 0.95, 0.30, 0.34, 0.34, 0.65}},
};

}  // namespace

std::vector<int> TuningWriter::speedTable(int difficulty) {
    const int* row = kSpeeds[difficulty];
    return {row, row + 12};
}

std::vector<double> TuningWriter::bonusWeights(bool strategy, int difficulty) {
    const double* row = strategy ? kStrategyWeights[difficulty] : kClassicWeights[difficulty];
    return {row, row + 5};
}

std::string TuningWriter::difficultFile() {
    CfgWriter writer;
    writer.addComment("Milliseconds between two blocks of the next line, by level");
    for (int d = 0; d < kDifficulties; ++d)
        writer.addIntList(std::string(kDifficultyNames[d]) + "Speed", speedTable(d), ' ');
    writer.addBlankLine();
    writer.addComment("Bonus weights in percent: big bomb, colour bombs, row, column, cross;");
    writer.addComment("what is left up to 100 becomes unmovable blocks");
    for (int d = 0; d < kDifficulties; ++d)
        writer.addFloatList(std::string("ClassicRBonus") + kDifficultyNames[d],
                            bonusWeights(false, d), ' ');
    // The game reads the first three Strategy keys with this spelling.
    const char* const strategyKeys[kDifficulties] = {"SrategyRBonusEasy", "SrategyRBonusNormal",
                                                     "SrategyRBonusHard", "StrategyRBonusVeryHard"};
    for (int d = 0; d < kDifficulties; ++d)
        writer.addFloatList(strategyKeys[d], bonusWeights(true, d), ' ');
    writer.addBlankLine();
    writer.addComment("Plain blocks between two bonuses: Easy, Normal, Hard, Impossible");
    writer.addIntList("BrixelBonusRand", kClassicSpacing, ' ');
    writer.addIntList("StrategyBonusRand", kStrategySpacing, ' ');
    return writer.text();
}

std::string TuningWriter::effectsFile() {
    CfgWriter writer;
    writer.addComment("The board flies in from far below, tipped back like a table top, and");
    writer.addComment("straightens up in front of the camera; the outro plays it backwards");
    writer.addFloatList("SourcePos", {0, -26, -60}, ' ');
    writer.addFloatList("DestPos", {0, 0, 0}, ' ');
    writer.addFloat("SourceAngle", -75);
    writer.addFloat("DestAngle", 0);
    writer.addInt("MxATime", 1400);
    writer.addComment("Pause between two random block spins, milliseconds");
    writer.addInt("RotatingATime", 1500);
    writer.addInt("RotatingBTime", 6000);
    writer.addComment("How long the game-over picture stays, milliseconds");
    writer.addInt("GameOverTime", 4000);
    return writer.text();
}

std::string TuningWriter::colorsFile() {
    CfgWriter writer;
    writer.addComment("Ambient rgb, diffuse rgb, specular rgb, shininess (times 128)");
    for (const Material& material : kMaterials)
        writer.addFloatList(material.key, {material.values, material.values + 10}, ',');
    return writer.text();
}

const std::vector<std::string>& TuningWriter::materialKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> list;
        for (const Material& material : kMaterials) list.push_back(material.key);
        return list;
    }();
    return keys;
}

}  // namespace brx::tools
