#include "engine/TexturePrefetch.h"

#include <pthread.h>

#include <algorithm>
#include <utility>

#include "engine/TextureFile.h"

namespace brx {

TexturePrefetch& TexturePrefetch::instance() {
    static TexturePrefetch prefetch;
    return prefetch;
}

TexturePrefetch::~TexturePrefetch() {
    stop();
}

void TexturePrefetch::start(const std::vector<std::string>& names) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (worker_.joinable()) return;
    items_.clear();
    for (const std::string& name : names) {
        const bool listed = std::any_of(items_.begin(), items_.end(),
                                        [&name](const Item& item) { return item.name == name; });
        if (!listed) items_.push_back(Item{name, State::waiting, {}});
    }
    stopping_ = false;
    worker_ = std::thread(&TexturePrefetch::work, this);
    // A name to tell the worker by in a debugger and in tests that check it has ended.
    pthread_setname_np(worker_.native_handle(), "brx-prefetch");
}

bool TexturePrefetch::running() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return worker_.joinable();
}

TexturePrefetch::Item* TexturePrefetch::nextItem() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_) return nullptr;
    const auto next = std::find_if(items_.begin(), items_.end(),
                                   [](const Item& item) { return item.state == State::waiting; });
    if (next == items_.end()) return nullptr;
    next->state = State::decoding;
    return &*next;
}

void TexturePrefetch::work() {
    // Items are never added or erased while the worker runs (take() empties a picture in place),
    // so the pointer stays valid.
    while (Item* item = nextItem()) {
        Picture picture;
        const bool decoded = TextureFile::decode(item->name, &picture.image, &picture.problem);
        if (decoded)
            picture.mipLevels = MipChain::build(picture.image.pixels, picture.image.width,
                                                picture.image.height, picture.image.components);
        std::lock_guard<std::mutex> lock(mutex_);
        item->picture = std::move(picture);
        item->state = decoded ? State::ready : State::failed;
        changed_.notify_all();
    }
}

bool TexturePrefetch::take(const std::string& name, Picture* picture) {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&name](const Item& item) { return item.name == name; });
    if (found == items_.end()) return false;
    Item& item = *found;
    if (item.state == State::waiting) {
        item.state = State::failed;  // the caller decodes it; the worker skips it
        return false;
    }
    changed_.wait(lock, [&item] { return item.state != State::decoding; });
    if (item.state != State::ready) return false;
    *picture = std::move(item.picture);
    item.picture = Picture{};
    item.state = State::failed;  // taken: a later load of the name decodes anew
    return true;
}

void TexturePrefetch::waitForWorker() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] {
        return stopping_ || std::none_of(items_.begin(), items_.end(), [](const Item& item) {
                   return item.state == State::waiting || item.state == State::decoding;
               });
    });
}

void TexturePrefetch::stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    if (worker_.joinable()) worker_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    items_.clear();
    items_.shrink_to_fit();
}

}  // namespace brx
