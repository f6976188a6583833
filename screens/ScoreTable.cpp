#include "screens/ScoreTable.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "core/ConfigFile.h"
#include "core/DataPath.h"
#include "core/ErrorLog.h"

namespace brx {
namespace {

// Icon names shorter than this mean "no icon".
constexpr std::size_t kMinIconName = 5;
// The font draws the character codes from the space up; beyond '~' its cells are not text.
constexpr unsigned char kFirstPrintable = 32;
constexpr unsigned char kLastPrintable = 126;
constexpr const char* kDifficultyNames[] = {"Easy", "Normal", "Hard", "Impossible"};
constexpr int kNormalDifficulty = 1;

bool printable(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= kFirstPrintable && code <= kLastPrintable;
}

// Keeps the drawable characters, at most maxLength of them.
std::string drawableText(const std::string& text, std::size_t maxLength) {
    std::string kept;
    for (char c : text) {
        if (kept.size() == maxLength) break;
        if (printable(c)) kept.push_back(c);
    }
    return kept;
}

// A difficulty as one drawable token; never empty, so the file keeps three lines a row.
std::string difficultyText(const std::string& text) {
    std::string kept = drawableText(text, ScoreTable::kMaxNameLength);
    kept.erase(std::remove(kept.begin(), kept.end(), ' '), kept.end());
    return kept.empty() ? ScoreTable::kFreshText : kept;
}

// A whole token that is a decimal int; anything else (letters, overflow) fails.
bool readScore(const std::string& token, int* score) {
    const char* end = token.data() + token.size();
    const auto [last, error] = std::from_chars(token.data(), end, *score);
    return error == std::errc() && last == end;
}

}  // namespace

ScoreTable::ScoreTable(std::string iconName, std::string file, int size)
    : iconName_(std::move(iconName)), file_(std::move(file)), size_(size) {}

void ScoreTable::loadIcon() {
    if (iconName_.size() >= kMinIconName) icon_.load(iconName_, true);
}

bool ScoreTable::load() {
    std::string bytes;
    if (readPlayerFile(DataPath::playerFile(file_), bytes) != ReadOutcome::read) return false;
    scrambleRolling(bytes);
    parse(bytes);
    return true;
}

void ScoreTable::reset() {
    entries_.assign(static_cast<std::size_t>(std::max(size_, 0)),
                    ScoreEntry{kFreshText, kFreshText, 0});
    save();
}

bool ScoreTable::save() const {
    std::string bytes = serialize();
    scrambleRolling(bytes);
    if (writeFileAtomically(DataPath::playerFile(file_), bytes)) return true;
    BRX_LOG_ERROR("Score table %s could not be written", file_.c_str());
    return false;
}

bool ScoreTable::qualifies(int score) const {
    const auto atLeast = std::count_if(entries_.begin(), entries_.end(),
                                       [score](const ScoreEntry& e) { return e.score >= score; });
    return atLeast < size_;
}

int ScoreTable::rankFor(int score) const {
    if (!qualifies(score)) return 0;
    const auto atLeast = std::count_if(entries_.begin(), entries_.end(),
                                       [score](const ScoreEntry& e) { return e.score >= score; });
    return int(atLeast) + 1;
}

int ScoreTable::insert(const std::string& name, int score, const std::string& difficulty) {
    const std::size_t capacity = std::max(entries_.size(), static_cast<std::size_t>(size_));
    entries_.push_back(ScoreEntry{typedName(name), difficultyText(difficulty), score});
    sortEntries();
    // The new row sits below every equal or higher score, so it is found from the bottom up.
    std::size_t row = entries_.size() - 1;
    while (row > 0 && entries_[row].score != score) --row;
    while (entries_.size() > capacity) entries_.pop_back();
    save();
    return row < entries_.size() ? static_cast<int>(row) : -1;
}

std::string ScoreTable::serialize() const {
    std::string text;
    for (const ScoreEntry& e : entries_) {
        std::string name = e.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        text += name + "\n" + std::to_string(e.score) + "\n" + e.difficulty + "\n";
    }
    return text;
}

void ScoreTable::parse(const std::string& text) {
    entries_.clear();
    std::istringstream in(text);
    std::string name, number, difficulty;
    int score = 0;
    while (in >> name >> number >> difficulty) {
        if (!readScore(number, &score)) {
            BRX_LOG_ERROR("Score table %s: row %zu has the score \"%s\"; the rest is ignored",
                          file_.c_str(), entries_.size() + 1, drawableText(number, 16).c_str());
            break;
        }
        std::replace(name.begin(), name.end(), '_', ' ');
        entries_.push_back(ScoreEntry{typedName(name), difficultyText(difficulty), score});
    }
    sortEntries();
}

std::string ScoreTable::typedName(const std::string& text) {
    const std::string kept = drawableText(text, kMaxNameLength);
    if (kept.find_first_not_of(' ') == std::string::npos) return kUnknownPlayer;
    return kept;
}

std::string ScoreTable::difficultyName(int level) {
    if (level < 0 || level > 3) level = kNormalDifficulty;
    return kDifficultyNames[level];
}

void ScoreTable::sortEntries() {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
}

}  // namespace brx
