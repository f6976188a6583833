#include "core/ErrorLog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include "tests/support/StuckReaderGuard.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

const std::string kStartLines =
    "<HTML>\n<HEAD>  <TITLE> Log file  </TITLE>  </HEAD>\n<BODY>\n"
    "<FONT  STYLE='FONT-SIZE: 10pt'>\n<PRE>\n<B><FONT color= '0000ff'>Log file opened: "
    "\\d{4}/\\d\\d/\\d\\d - \\d\\d:\\d\\d:\\d\\d </FONT></B>\n\n";

std::string endLines(int errors) {
    return "\n<B><FONT color= '0000ff'>Total Errors = " + std::to_string(errors) +
           "\nLog file closed: \\d{4}/\\d\\d/\\d\\d - \\d\\d:\\d\\d:\\d\\d </FONT></B>\n\n";
}

std::string errorLine(const std::string& message) {
    return " *\\d{1,7}> <B><FONT color= 'ff0000'>Error:</FONT></B> " + message + "\n";
}

TEST(ErrorLog, RunWithoutErrorsHasStartAndEndLines) {
    testsupport::TempDir dir;
    const std::string path = (dir.path() / "Report.html").string();
    ErrorLog log;
    log.start(path);
    log.finish();
    EXPECT_TRUE(
        std::regex_match(dir.readFile("Report.html"), std::regex(kStartLines + endLines(0))))
        << dir.readFile("Report.html");
}

TEST(ErrorLog, ErrorsAreNumberedRightAlignedAndCounted) {
    testsupport::TempDir dir;
    ErrorLog log;
    log.start((dir.path() / "Report.html").string());
    EXPECT_EQ(log.error("missing %s in %s", "Speed", "Data/Difficult.Cfg"), 1);
    log.line("plain %d", 42);
    EXPECT_EQ(log.error("second"), 2);
    log.finish();
    const std::string text = dir.readFile("Report.html");
    EXPECT_TRUE(std::regex_match(
        text, std::regex(kStartLines + errorLine("missing Speed in Data/Difficult.Cfg") +
                         "plain 42\n" + errorLine("second") + endLines(2))))
        << text;
    // The clock column is at least seven characters wide.
    const size_t lineStart = text.find("\n\n", text.find("Log file opened")) + 2;
    EXPECT_GE(text.find('>', lineStart) - lineStart, 7u);
}

// The clock column counts wall-clock milliseconds from the start of the log: time spent
// waiting (a modal box, a sleeping loop) counts, CPU time alone would not.
TEST(ErrorLog, ClockColumnCountsMillisecondsSinceStart) {
    testsupport::TempDir dir;
    ErrorLog log;
    log.start((dir.path() / "Report.html").string());
    log.error("first");
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    log.error("second");
    log.finish();
    const std::string text = dir.readFile("Report.html");
    std::smatch first, second;
    ASSERT_TRUE(std::regex_search(text, first, std::regex(R"(\n *(\d+)> .*first)")));
    ASSERT_TRUE(std::regex_search(text, second, std::regex(R"(\n *(\d+)> .*second)")));
    EXPECT_LT(std::stoll(first[1]), 1000) << "stamped right after the start";
    EXPECT_GE(std::stoll(second[1]), 250) << "the wait counts";
}

TEST(ErrorLog, SecondStartReplacesThePreviousLog) {
    testsupport::TempDir dir;
    const std::string path = (dir.path() / "Report.html").string();
    ErrorLog first;
    first.start(path);
    first.error("old run");
    first.finish();
    ErrorLog second;
    second.start(path);
    EXPECT_EQ(second.errorCount(), 0);
    EXPECT_TRUE(std::regex_match(dir.readFile("Report.html"), std::regex(kStartLines)));
}

TEST(ErrorLog, WithoutStartOnlyCounts) {
    testsupport::TempDir dir;
    dir.enter();
    ErrorLog log;
    EXPECT_EQ(log.error("counted"), 1);
    log.line("dropped");
    log.finish();
    EXPECT_EQ(log.errorCount(), 1);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ErrorLog, UnwritableFileLosesEntriesButCarriesOn) {
    testsupport::TempDir dir;
    ErrorLog log;
    log.start((dir.path() / "NoFolder" / "Report.html").string());
    EXPECT_EQ(log.error("lost"), 1);
    log.finish();
    EXPECT_EQ(log.errorCount(), 1);
}

TEST(ErrorLog, ALogThatIsAFifoOrAFolderIsRefusedWithoutWaiting) {
    testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::makeFifo(dir.path() / "Report.html"));
    std::filesystem::create_directory(dir.path() / "Folder.html");
    for (const char* name : {"Report.html", "Folder.html"}) {
        const auto path = dir.path() / name;
        ErrorLog log;
        EXPECT_TRUE(testsupport::endsWithoutWaitingOn(path, [&] {
            log.start(path.string());
            log.error("nowhere to go");
            log.finish();
        })) << name;
        EXPECT_EQ(log.errorCount(), 1) << name;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(dir.path() / "Report.html"));
}

TEST(ErrorLog, LongMessagesAreCutNotOverrun) {
    testsupport::TempDir dir;
    ErrorLog log;
    log.start((dir.path() / "Report.html").string());
    const std::string huge(100000, 'x');
    log.error("%s", huge.c_str());
    log.line("%s", huge.c_str());
    const std::string text = dir.readFile("Report.html");
    EXPECT_GT(text.size(), 1000u);
    EXPECT_LT(text.size(), 4000u);
}

TEST(ErrorLog, ProcessLogIsFinishedAtExit) {
    testsupport::TempDir dir;
    const std::string path = (dir.path() / "Report.html").string();
    EXPECT_EXIT(
        {
            ErrorLog::startForProcess(path);
            BRX_LOG_ERROR("one");
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    const std::string text = dir.readFile("Report.html");
    EXPECT_TRUE(std::regex_match(text, std::regex(kStartLines + errorLine("one") + endLines(1))))
        << text;
}

}  // namespace
}  // namespace brx
