// Every model of the game. One board cell is one unit and the board plane is z = 0, the camera
// looking down -z. None of the models names a texture of its own: the board binds the chosen
// skin before drawing blocks, bonuses, the board and the flying blocks in one go, and a model
// that bound its own texture would leave it bound for everything drawn after it. Blocks map
// the skin over each face; the other parts point at the skins' flat tone patches, so they show
// their material colour shaded light, mid or dark.
#pragma once

#include <string>

#include "tools/art/Mesh.h"

namespace brx::tools {

class ModelArt {
public:
    static constexpr float kBlockHalf = 0.46f;  // blocks leave a 0.08 gap between cells

    // The model stored under a name; highDetail chooses the "Hi/" variant of detail-switched
    // models. Unknown names give an empty mesh.
    static Mesh model(const std::string& name, bool highDetail);

    static Mesh fastBox(bool highDetail);
    static Mesh roundBox(bool highDetail);
    static Mesh fixedBox(bool highDetail);
    static Mesh scoreBox(bool highDetail);
    static Mesh unmovableBox(bool highDetail);
    static Mesh bigBomb();
    static Mesh colourBomb();
    // Line removers: horizontal, vertical or both.
    static Mesh lineArrows(bool horizontal, bool vertical);
    // The frame and back plate around a board of columns x rows cells.
    static Mesh board(int columns, int rows);
    // The trough that holds the next line under a board of that width.
    static Mesh tray(int columns);
};

}  // namespace brx::tools
