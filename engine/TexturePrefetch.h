// Decoding textures ahead, on a worker thread, while the main thread does something else: at
// start-up the window and its rendering context take a good while to make, and the textures
// the loading bar then loads are read, decoded and given their mipmap levels meanwhile. The
// main thread only uploads what is ready (and waits for a texture the worker is at this
// moment; one the worker has not begun it decodes itself).
//
// Design note: only the names handed to start() and add() are decoded, each at most once; a
// picture is given to the first taker, and whatever nobody took is freed by stop(). The worker
// reads the archive concurrently with the main thread, so the archive must stay open until
// stop(). Start-up hands over the first screen's pictures before the window opens and the rest
// once that screen is shown; the worker waits for more names until stop(). Pictures decoded and
// not yet taken are held to a byte budget, so running ahead of the loader never piles up every
// texture of the game in memory at once (the peak the process is measured by).
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/DecodedImage.h"
#include "engine/MipChain.h"

namespace brx {

class TexturePrefetch {
public:
    // Decoded pictures not yet taken, in bytes, beyond which the worker waits for a taker.
    static constexpr size_t kAheadBudgetBytes = size_t(12) << 20;

    // A decoded texture with its mipmap levels (none where they cannot be made ahead).
    struct Picture {
        DecodedImage image;
        std::vector<MipChain::Level> mipLevels;
        std::string problem;  // a damaged JPEG that still decoded says so here
    };

    // The process-wide prefetcher.
    static TexturePrefetch& instance();
    // Stops the worker.
    ~TexturePrefetch();

    // Starts decoding these texture names (as TextureRef::load gets them), in order, on a
    // worker thread; nothing when one is already running.
    void start(const std::vector<std::string>& names);
    // Queues more names behind those given (names listed already are skipped); nothing when
    // the worker is not running.
    void add(const std::vector<std::string>& names);
    // Hands over the picture of a name given to start(), waiting while the worker decodes it.
    // False when the name was not given, was taken already, has not been begun (the caller
    // decodes it faster itself) or could not be decoded (the caller finds out why).
    bool take(const std::string& name, Picture* picture);
    // Waits until the worker has been through every name, or holds as much as its budget
    // allows (the game never waits for it; a test wants to know what is ready).
    void waitForWorker();
    // Stops the worker after the texture at hand and frees every picture nobody took.
    void stop();
    bool running() const;
    // Bytes of decoded pictures waiting for their taker.
    size_t bytesAhead() const;

private:
    enum class State { waiting, decoding, ready, failed };
    struct Item {
        std::string name;
        State state = State::waiting;
        Picture picture;
    };

    TexturePrefetch() = default;
    void work();
    // The next waiting item, marked as being decoded, once the budget allows; null on stop.
    Item* nextItem();
    // Queues the names not listed yet; the caller holds the lock.
    void queueNames(const std::vector<std::string>& names);
    bool hasWaitingItem() const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> items_;  // grows at the back only: the worker's item stays in place
    size_t bytesAhead_ = 0;
    std::thread worker_;
    bool stopping_ = false;
};

}  // namespace brx
