#include "engine/BitmapFont.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "core/ErrorLog.h"

namespace brx {
namespace {

constexpr int kCellsPerRow = 16;
constexpr float kCellSpan = 1.0f / kCellsPerRow;  // one cell in texture coordinates
constexpr int kFontTextureSide = 512;
constexpr int kMeasuredRows = 256;  // the first glyph set: the top eight rows of cells
// A glyph's advance is its rightmost opaque column (0-based in the cell) less this margin.
constexpr int kAdvanceMargin = 7;
constexpr float kGlyphExtent = 31.0f;  // quad side in units

}  // namespace

BitmapFont::BitmapFont(std::string textureName) : textureName_(std::move(textureName)) {
    advances_.fill(kDefaultAdvance);
}

BitmapFont::~BitmapFont() {
    if (listBase_ != 0) glDeleteLists(listBase_, kGlyphCount);
}

bool BitmapFont::build() {
    if (!texture_) {
        advances_.fill(kDefaultAdvance);
        texture_.load(textureName_, true);
        measureAdvances();
    }
    if (listBase_ != 0) glDeleteLists(listBase_, kGlyphCount);
    listBase_ = glGenLists(kGlyphCount);
    if (listBase_ == 0) return false;
    compileLists();
    listsReleased_ = false;
    return true;
}

void BitmapFont::releaseLists() {
    if (listBase_ != 0) glDeleteLists(listBase_, kGlyphCount);
    listBase_ = 0;
    listsReleased_ = true;
}

void BitmapFont::setColour(float r, float g, float b, float a) {
    colour_ = {r, g, b, a};
}

float BitmapFont::advance(unsigned char code) const {
    if (code < kFirstCode) return 0.0f;
    return advances_[size_t((code - kFirstCode) % kSetSize)];
}

uint16_t BitmapFont::textWidth(const std::string& text) const {
    float width = 0.0f;
    for (const char c : text) width += advance(static_cast<unsigned char>(c));
    return uint16_t(std::clamp(width, 0.0f, float(std::numeric_limits<uint16_t>::max())));
}

int16_t BitmapFont::charsFitting(const std::string& text, int maxWidth) const {
    float width = 0.0f;
    size_t count = 0;
    for (const char c : text) {
        width += advance(static_cast<unsigned char>(c));
        if (width > float(maxWidth)) break;
        ++count;
    }
    return int16_t(std::min<size_t>(count, size_t(std::numeric_limits<int16_t>::max())));
}

void BitmapFont::drawText(float x, float y, const std::string& text, bool shadow, float scale,
                          int set) const {
    if (listBase_ == 0 || text.empty()) return;
    const std::string offsets = listOffsets(text, set);
    texture_.bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (shadow) {
        glColor4f(0.0f, 0.0f, 0.0f, colour_[3]);
        drawRun(x + 1.0f, y - 1.0f, offsets, scale);
    }
    glColor4fv(colour_.data());
    drawRun(x, y, offsets, scale);
    glDisable(GL_BLEND);
}

// Offsets from the list base, one byte per drawn character: codes below 32 draw nothing, and
// every other code lands inside its set, advancing like textWidth counts it.
std::string BitmapFont::listOffsets(const std::string& text, int set) const {
    std::string offsets;
    offsets.reserve(text.size());
    for (const char c : text) {
        const int code = static_cast<unsigned char>(c);
        if (code < kFirstCode) continue;
        const int cell = set == 0 ? code - kFirstCode : kSetSize + (code - kFirstCode) % kSetSize;
        offsets.push_back(char(cell));
    }
    return offsets;
}

void BitmapFont::drawRun(float x, float y, const std::string& offsets, float scale) const {
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glPushMatrix();
    glScalef(scale, scale, scale);
    glListBase(listBase_);
    glCallLists(GLsizei(offsets.size()), GL_UNSIGNED_BYTE, offsets.data());
    glListBase(0);
    glPopMatrix();
    glPopMatrix();
}

void BitmapFont::compileLists() const {
    for (int i = 0; i < kGlyphCount; ++i) {
        const float u = float(i % kCellsPerRow) * kCellSpan;
        const float top = 1.0f - float(i / kCellsPerRow) * kCellSpan;
        const float bottom = top - kCellSpan;
        glNewList(listBase_ + GLuint(i), GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2f(u, bottom);
        glVertex2f(0.0f, 0.0f);
        glTexCoord2f(u + kCellSpan, bottom);
        glVertex2f(kGlyphExtent, 0.0f);
        glTexCoord2f(u + kCellSpan, top);
        glVertex2f(kGlyphExtent, kGlyphExtent);
        glTexCoord2f(u, top);
        glVertex2f(0.0f, kGlyphExtent);
        glEnd();
        glTranslatef(advances_[size_t(i % kSetSize)], 0.0f, 0.0f);
        glEndList();
    }
}

// Reads the alpha of the top 256 rows (the first glyph set) as a top-down bitmap; each cell's
// advance comes from its rightmost column holding any opaque pixel.
void BitmapFont::measureAdvances() {
    const OBaseImage* image = texture_.image();
    if (image == nullptr || image->components() != 4 || image->width() != kFontTextureSide ||
        image->height() < kMeasuredRows) {
        BRX_LOG_ERROR("Font texture %s is not a 512 pixel wide RGBA image; widths stay %g",
                      textureName_.c_str(), double(kDefaultAdvance));
        return;
    }
    for (int cell = 0; cell < kSetSize; ++cell) {
        const int column = rightmostOpaqueColumn(*image, cell);
        advances_[size_t(cell)] = column < 0 ? kEmptyCellAdvance : float(column - kAdvanceMargin);
    }
}

// The 0-based column within the cell of its rightmost pixel with non-zero alpha; -1 when the
// cell is empty. Rows are counted from the top of the image (the pixels are stored bottom-up).
int BitmapFont::rightmostOpaqueColumn(const OBaseImage& image, int cell) const {
    const std::vector<uint8_t>& pixels = image.pixels();
    const size_t width = size_t(image.width());
    const int left = (cell % kCellsPerRow) * cellWidth_;
    const int top = (cell / kCellsPerRow) * cellWidth_;
    for (int column = cellWidth_ - 1; column >= 0; --column) {
        for (int row = 0; row < cellWidth_; ++row) {
            const size_t storedRow = size_t(image.height() - 1 - (top + row));
            if (pixels[(storedRow * width + size_t(left + column)) * 4 + 3] != 0) return column;
        }
    }
    return -1;
}

}  // namespace brx
