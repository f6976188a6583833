// The help screen: pages the player turns with Prev and Next (or Left/Right, PageUp/PageDown):
// the rules beside live 3D models of the bonus blocks, the six modes, the special blocks beside
// their models, scoring, and the keys. Models are drawn in their own materials over the block
// skin the player chose. Done and Escape return to the menu.
#pragma once

#include <memory>
#include <vector>

#include "engine/TextureRef.h"
#include "objects/SymbolDecal.h"
#include "screens/TextLayout.h"
#include "shell/ORenderWindow.h"

namespace brx {

class BlockPrototypes;
class Box;
class OCamera;

class Help : public ORenderWindow {
public:
    static constexpr int kDoneCommand = 100;
    static constexpr int kPrevCommand = 110;
    static constexpr int kNextCommand = 111;
    static constexpr int kDemoBlockCount = 9;

    Help();
    ~Help() override;

    // Back to the first page.
    void activate() override;
    // The page's blocks in 3D, then the red side lines and the page's text.
    void draw() override;
    // Creates Done, Prev, Next, the help camera and the demonstration blocks. Throws
    // OFileNotFound when a block model is missing.
    bool init() override;
    // Escape leaves for the menu; Left/PageUp and Right/PageDown turn the page.
    bool onEvent(const InputEvent& event) override;
    // Done leaves for the menu; Prev and Next turn the page.
    bool onCommand(int controlId, int value) override;
    // The page stands still: drawn again only after input.
    bool isAnimating() const override;
    // The page's blocks and text stand still between page turns.
    bool changesOnlyOnInput() const override { return true; }

    int page() const { return page_; }
    // Shows a page, kept within 1 and the last.
    void showPage(int page);
    // The bonus blocks of the first page.
    const std::vector<std::unique_ptr<Box>>& blocks() const { return blocks_; }
    // The blocks of the special-blocks page, top to bottom.
    const std::vector<std::unique_ptr<Box>>& specialBlocks() const { return specialBlocks_; }
    // The text of a page as it is drawn, with the page number last.
    std::vector<TextLine> pageLines(int page) const;

private:
    void createBlocks();
    void createSpecialBlocks();
    void drawBlocks(const std::vector<std::unique_ptr<Box>>& blocks);
    void drawPageText() const;

    int page_ = 1;
    std::unique_ptr<OCamera> helpCamera_;
    std::vector<std::unique_ptr<Box>> blocks_;
    std::vector<std::unique_ptr<Box>> specialBlocks_;
    std::unique_ptr<BlockPrototypes> prototypes_;  // the special blocks are cloned from these
    std::vector<TextureRef> skins_;
    SymbolDecal symbols_;
};

}  // namespace brx
