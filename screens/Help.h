// The help screen: one page of rules text beside live 3D models of the bonus blocks, each drawn
// in its own material over the block skin the player chose. Done and Escape return to the menu.
#pragma once

#include <memory>
#include <vector>

#include "engine/TextureRef.h"
#include "objects/SymbolDecal.h"
#include "shell/ORenderWindow.h"

namespace brx {

class Box;
class OCamera;

class Help : public ORenderWindow {
public:
    static constexpr int kDoneCommand = 100;
    static constexpr int kDemoBlockCount = 9;

    Help();
    ~Help() override;

    // Back to the first (and only) page.
    void activate() override;
    // The bonus blocks in 3D, then the red side lines and the page's text.
    void draw() override;
    // Creates Done, the help camera and the demonstration blocks. Throws OFileNotFound when
    // a bonus model is missing.
    bool init() override;
    // Escape leaves for the menu.
    bool onEvent(const InputEvent& event) override;
    // Done leaves for the menu.
    bool onCommand(int controlId, int value) override;
    // The page stands still: drawn again only after input.
    bool isAnimating() const override;

    int page() const { return page_; }
    const std::vector<std::unique_ptr<Box>>& blocks() const { return blocks_; }

private:
    void createBlocks();
    void drawBlocks();
    void drawPageText() const;

    int page_ = 1;
    std::unique_ptr<OCamera> helpCamera_;
    std::vector<std::unique_ptr<Box>> blocks_;
    std::vector<TextureRef> skins_;
    SymbolDecal symbols_;
};

}  // namespace brx
