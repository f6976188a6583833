// The rolling credits: reading the credits text (CR LF or LF line ends, headings, damaged and
// empty files), the roll and its fade, and the screen's way back to the menu, which is decided
// while updating and never while drawing.
#include "screens/Credits.h"

#include <gtest/gtest.h>

#include <string>

#include "screens/CreditsScroll.h"
#include "tests/screens/WindowlessShell.h"
#include "tests/support/ArchiveBuilder.h"

namespace brx {
namespace {

using screentest::ScreenTest;

// Ten units per character, so centring can be checked by hand.
float tenPerCharacter(const std::string& text) {
    return 10.0f * float(text.size());
}

bool isYellow(const CreditLine& line) {
    return line.colour.r == 1.0f && line.colour.g == 1.0f && line.colour.b == 0.0f;
}

TEST(CreditsScrollTest, HeadingsLoseTheirMarkAndCarriageReturnsNeverShow) {
    for (const std::string lineEnd : {"\r\n", "\n"}) {
        CreditsScroll scroll;
        scroll.load("Credits#" + lineEnd + "Ann Example" + lineEnd + " " + lineEnd + "Thanks#",
                    tenPerCharacter);
        const auto& lines = scroll.lines();
        ASSERT_EQ(lines.size(), 4u) << "line end " << int(lineEnd[0]);
        EXPECT_EQ(lines[0].text, "Credits");
        EXPECT_TRUE(isYellow(lines[0]));
        EXPECT_EQ(lines[1].text, "Ann Example");
        EXPECT_FALSE(isYellow(lines[1]));
        EXPECT_EQ(lines[2].text, " ");
        EXPECT_EQ(lines[3].text, "Thanks") << "the last line has no line end at all";
        EXPECT_TRUE(isYellow(lines[3]));
    }
}

TEST(CreditsScrollTest, LinesStartBelowTheScreenCentredAndEighteenApart) {
    CreditsScroll scroll;
    scroll.load("AB\r\nABCD\r\nABCDEF\r\n", tenPerCharacter);
    const auto& lines = scroll.lines();
    ASSERT_EQ(lines.size(), 3u) << "a final line feed starts no empty line";
    EXPECT_FLOAT_EQ(lines[0].y, 36.0f);
    EXPECT_FLOAT_EQ(lines[1].y, 18.0f);
    EXPECT_FLOAT_EQ(lines[2].y, 0.0f);
    EXPECT_FLOAT_EQ(lines[0].x, (800.0f - 20.0f * 0.75f) / 2.0f);
    EXPECT_FLOAT_EQ(lines[2].x, (800.0f - 60.0f * 0.75f) / 2.0f);
    EXPECT_FLOAT_EQ(lines[1].scale, 0.75f);
}

TEST(CreditsScrollTest, ShortEmptyAndOddLinesAreOrdinaryBlankOrShortLines) {
    CreditsScroll scroll;
    const std::string damaged("#\n\r\nx\n\n\n\r\r\n#\r\n\0\xff\xfe#", 18);
    scroll.load(damaged, tenPerCharacter);
    const auto& lines = scroll.lines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].text, "");
    EXPECT_TRUE(isYellow(lines[0]));
    EXPECT_EQ(lines[1].text, "");
    EXPECT_EQ(lines[2].text, "x");
    EXPECT_EQ(lines[5].text, "\r") << "only the carriage return before the line feed goes";
    EXPECT_EQ(lines[7].text, std::string("\0\xff\xfe", 3));
    EXPECT_TRUE(isYellow(lines[7]));
    EXPECT_FALSE(scroll.finished());
}

TEST(CreditsScrollTest, AnEmptyFileHasNothingToShow) {
    CreditsScroll scroll;
    scroll.load("", tenPerCharacter);
    EXPECT_TRUE(scroll.lines().empty());
    EXPECT_TRUE(scroll.finished());
    scroll.advance(1000);
    scroll.restart(tenPerCharacter);
    EXPECT_TRUE(scroll.finished());
}

TEST(CreditsScrollTest, TheRollEndsOnceTheLastLineIsPastTheTop) {
    CreditsScroll scroll;
    scroll.load("A\r\nB\r\nC", {});
    // The last line starts at y 0 and rises 0.05 units a millisecond: 600 after 12 s.
    scroll.advance(11000);
    scroll.advance(1000);
    EXPECT_FLOAT_EQ(scroll.lines().back().y, 600.0f);
    EXPECT_FALSE(scroll.finished()) << "exactly at the top edge it is still on screen";
    scroll.advance(20);
    EXPECT_TRUE(scroll.finished());
    scroll.restart({});
    EXPECT_FLOAT_EQ(scroll.lines().front().y, 36.0f);
    EXPECT_FALSE(scroll.finished());
}

TEST(CreditsScrollTest, LinesFadeInAtTheBottomAndOutAtTheTop) {
    EXPECT_FLOAT_EQ(CreditsScroll::fadeAt(25.0f), 0.25f);
    EXPECT_FLOAT_EQ(CreditsScroll::fadeAt(50.0f), 1.0f);
    EXPECT_FLOAT_EQ(CreditsScroll::fadeAt(300.0f), 1.0f);
    EXPECT_FLOAT_EQ(CreditsScroll::fadeAt(575.0f), 0.25f);
    EXPECT_FLOAT_EQ(CreditsScroll::fadeAt(600.0f), 0.0f);
    // Below the screen a line stays invisible however far down it starts.
    EXPECT_FLOAT_EQ(CreditsScroll::fadeAt(-20.0f), 0.0f);
    EXPECT_FLOAT_EQ(CreditsScroll::fadeAt(-200.0f), 0.0f);
    EXPECT_FLOAT_EQ(CreditsScroll::fadeAt(640.0f), 0.0f);
}

// --- the screen in the shell -------------------------------------------------------------------

class CreditsScreenTest : public ScreenTest {
protected:
    // An archive with the game's own art and the given credits text (none when null).
    void installArchive(const char* credits, std::size_t length) {
        testsupport::ArchiveBuilder archive;
        for (const char* name : {"Data/Textures/Font.Tga", "Data/Textures/Cursor.Tga",
                                 "Data/Textures/PLogo.Tga", "Data/Textures/Interface/Done.Tga"})
            archive.add(name, screentest::gameFile(name));
        if (credits) archive.add(Credits::kCreditsFile, std::string(credits, length));
        ASSERT_TRUE(archive.install(folder));
    }
    void startCredits() {
        startShell();
        credits = new Credits;
        shell->addScreen(credits);
        shell->setActiveScreen(kScreenCredits);
    }
    bool creditsActive() const { return OApplication::activeScreen() == credits; }

    Credits* credits = nullptr;  // owned by the shell
};

TEST_F(CreditsScreenTest, TheGameCreditsRollToTheEndAndReturnToTheMenu) {
    screentest::linkGameArchive(folder);
    startCredits();
    const auto& lines = credits->scroll().lines();
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[0].text, "Brixeler 3D version 1.3");
    EXPECT_TRUE(isYellow(lines[0]));
    EXPECT_EQ(lines[0].text.find('\r'), std::string::npos);
    EXPECT_GT(lines[0].x, 150.0f) << "centred with the font's widths";
    // 100 ms frames: the last line needs (600 - y0) / 0.05 ms to pass the top.
    const int framesToEnd = int((600.0f - lines.back().y) / 0.05f / 100.0f) + 1;
    for (int frame = 0; frame < framesToEnd - 1; ++frame) {
        shell->step(100, frame % 20 == 0);
        if (frame == 60) shell->saveScreenshot("credits");
    }
    EXPECT_TRUE(creditsActive());
    shell->step(100);
    EXPECT_FALSE(creditsActive());
    EXPECT_EQ(menu->activations, 1);
}

TEST_F(CreditsScreenTest, DrawingPastTheEndNeverLeavesOnlyUpdatingDoes) {
    installArchive("One#\r\nTwo\r\n", 11);
    startCredits();
    credits->ORenderWindow::update(0);
    for (int frame = 0; frame < 3; ++frame) credits->draw();
    EXPECT_TRUE(creditsActive());
    // Move the lines past the top by hand (an update would leave at once).
    const_cast<CreditsScroll&>(credits->scroll()).advance(20000);
    credits->draw();
    EXPECT_TRUE(creditsActive()) << "draw must not switch screens";
    credits->update(1);
    EXPECT_FALSE(creditsActive());
}

TEST_F(CreditsScreenTest, EmptyOrMissingCreditsGoBackToTheMenuAtTheFirstFrame) {
    for (const bool present : {true, false}) {
        installArchive(present ? "" : nullptr, 0);
        startCredits();
        EXPECT_TRUE(credits->scroll().lines().empty());
        credits->draw();  // nothing to draw, nothing to index
        EXPECT_TRUE(creditsActive());
        shell->step(16);
        EXPECT_FALSE(creditsActive()) << (present ? "empty file" : "missing file");
        shell.reset();
    }
}

TEST_F(CreditsScreenTest, DoneAndEscapeLeaveEarlyAndAReturnStartsTheRollOver) {
    screentest::linkGameArchive(folder);
    startCredits();
    shell->step(4000);
    EXPECT_GT(credits->scroll().lines().front().y, 36.0f);
    EXPECT_TRUE(shell->pressKey(kKeyEscape));
    EXPECT_FALSE(creditsActive());
    shell->setActiveScreen(kScreenCredits);
    EXPECT_FLOAT_EQ(credits->scroll().lines().front().y, 36.0f);
    shell->clickAt(475 + 20, 20 + 10);  // on Done
    EXPECT_FALSE(creditsActive());
    EXPECT_EQ(menu->activations, 2);
}

}  // namespace
}  // namespace brx
