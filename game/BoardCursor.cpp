#include "game/BoardCursor.h"

#include <GL/gl.h>

#include <algorithm>

#include "engine/InputEvent.h"

namespace brx {
namespace {

// The dark band and the light band inside it (world units of width).
constexpr float kOuterBand = 0.16f;
constexpr float kInnerBand = 0.07f;

int clampCell(int value, int count) {
    return std::clamp(value, 0, std::max(count - 1, 0));
}

// A square ring between half sides `outer` and `outer - band`, centred on (x, y) at depth z.
void drawRing(float x, float y, float z, float outer, float band) {
    const float inner = outer - band;
    const float xs[4] = {x - outer, x + outer, x + outer, x - outer};
    const float ys[4] = {y - outer, y - outer, y + outer, y + outer};
    const float xi[4] = {x - inner, x + inner, x + inner, x - inner};
    const float yi[4] = {y - inner, y - inner, y + inner, y + inner};
    glBegin(GL_QUAD_STRIP);
    for (int corner = 0; corner <= 4; ++corner) {
        const int k = corner % 4;
        glVertex3f(xs[k], ys[k], z);
        glVertex3f(xi[k], yi[k], z);
    }
    glEnd();
}

}  // namespace

void BoardCursor::reset(int columns, int rows) {
    column_ = clampCell(columns / 2, columns);
    row_ = clampCell(rows / 2, rows);
    shown_ = false;
}

bool BoardCursor::move(int dColumn, int dRow, int columns, int rows) {
    const int column = clampCell(this->column(columns) + dColumn, columns);
    const int row = clampCell(this->row(rows) + dRow, rows);
    const bool changed = column != column_ || row != row_ || !shown_;
    column_ = column;
    row_ = row;
    shown_ = true;
    return changed;
}

bool BoardCursor::hide() {
    const bool was = shown_;
    shown_ = false;
    return was;
}

int BoardCursor::column(int columns) const {
    return clampCell(column_, columns);
}

int BoardCursor::row(int rows) const {
    return clampCell(row_, rows);
}

bool BoardCursor::arrowStep(uint16_t key, int* dColumn, int* dRow) {
    *dColumn = key == kKeyLeft ? -1 : key == kKeyRight ? 1 : 0;
    *dRow = key == kKeyUp ? -1 : key == kKeyDown ? 1 : 0;
    return *dColumn != 0 || *dRow != 0;
}

void BoardCursor::draw(const Vector3& cellCentre) const {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    const float z = cellCentre.z + kFrameDepth;
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    drawRing(cellCentre.x, cellCentre.y, z, kFrameHalfSide + kOuterBand / 2.0f, kOuterBand);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    drawRing(cellCentre.x, cellCentre.y, z,
             kFrameHalfSide + kOuterBand / 2.0f - (kOuterBand - kInnerBand) / 2.0f, kInnerBand);
    glPopAttrib();
}

}  // namespace brx
