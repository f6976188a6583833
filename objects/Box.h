// A block of the board: a model with a colour, a board cell, a target it slides or falls to,
// a quarter-turn animation and the flight off the board when it is destroyed.
//
// Design note: the game decides the rules (which blocks go, where they fall); a block only
// carries out its motion, one explicit Euler step per frame, snapping exactly onto its target
// so that no error accumulates over a game. Bonus blocks derive from Box and replace
// activate() and cloneBox().
#pragma once

#include <cstdint>
#include <memory>

#include "objects/KvModel.h"

namespace brx {

class Game;

class Box : public KvModel {
public:
    // Values of motion.
    static constexpr int32_t kResting = 1;
    static constexpr int32_t kFalling = 2;
    static constexpr int32_t kSlidingRight = 3;  // towards +x
    static constexpr int32_t kSlidingLeft = 4;   // towards -x
    static constexpr int32_t kFlyingAway = 5;

    // Colour ids.
    static constexpr int32_t kRed = 1;
    static constexpr int32_t kBlue = 2;
    static constexpr int32_t kGreen = 3;
    static constexpr int32_t kWhite = 4;
    static constexpr int32_t kYellow = 5;
    static constexpr int32_t kFixed = 7;
    static constexpr int32_t kNoColour = 8;
    static constexpr int32_t kUnmovable = 19;

    // A quarter turn takes 512 ms: pi / 1024 radians per millisecond.
    static constexpr double kSpinSpeed = 0.0030679615757712793;
    static constexpr double kQuarterTurn = 1.570796326794895;
    // Falls and slides, units per millisecond.
    static constexpr float kMoveSpeed = 0.0125f;
    // A flying block is gone once below this height or beyond this depth (units).
    static constexpr float kFlyAwayFloorY = -16.0f;
    static constexpr float kFlyAwayFarZ = 32.0f;
    static constexpr float kTumbleSpeed = 0.005f;  // rad per ms
    // Selected blocks with the zooming effect are drawn at this size.
    static constexpr float kSelectedScale = 0.85f;
    static constexpr float kSelectedAlpha = 0.5f;

    struct Cell {
        int32_t column = 0;
        int32_t row = 0;
        bool operator==(const Cell&) const = default;
    };

    explicit Box(int32_t shadowMode = kNoShadow);
    // The clone: shares the model, keeps colour, game, position and bounds; everything that
    // moves starts at rest.
    Box(const Box& other);

    // Clones through cloneBox(), so every block class copies itself.
    std::unique_ptr<KvModel> clone() const final { return cloneBox(); }
    // A new block of the same class (slot used by the board to make blocks from prototypes).
    virtual std::unique_ptr<Box> cloneBox() const;
    // Draws in the colour's material: highlighted when selected, the second model while it
    // turns or flies; as a plain model when the data brings its own material.
    void draw() override;
    // One motion step of dtMs milliseconds; true exactly when a slide ended in this step.
    virtual bool move(int32_t dtMs);
    // Starts a quarter turn about one of the six axes, chosen at random.
    virtual void startSpin();
    // Draws the second model in the colour's material (intro and outro).
    virtual void drawDetailed();
    // What clicking a bonus alone does; nothing for plain blocks.
    virtual void activate();

    // Sets off a fall (kFalling) or slide (kSlidingRight, kSlidingLeft) that ends at target.
    void startMove(int32_t newMotion, const Vector3& newTarget);
    // The flight of a destroyed block: random upward launch, gravity and tumbling.
    void flyAway();
    // The flight of the blocks left at the end of a Classic level: down and towards the viewer.
    void leaveBoard();

    double tumbleSpeed = 0.0;  // rad per ms while flying away
    double frameTime = 0.0;    // ms of the current frame (drives the ScoreBox shrink)
    Game* game = nullptr;      // the owning game, not owned
    int32_t colour = 0;
    bool selected = false;
    Cell cell;
    Vector3 target;
    int32_t motion = kResting;
    bool spinning = false;
    double spinAngle = 0.0;   // rad turned so far
    double spinTarget = 0.0;  // rad at which the turn ends
    Vector3 spinAxis;
    bool isBonus = false;
    Vector3 tumbleAxis;

private:
    void stepSpin(int32_t dtMs);
    void stepFlight(int32_t dtMs);
    bool stepTowardsTarget(int32_t dtMs);
    void arrive();
    void drawSelected() const;
    // A random tumbling axis, each component in [-1, 1].
    void pickTumbleAxis();
};

}  // namespace brx
