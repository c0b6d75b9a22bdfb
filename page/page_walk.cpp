#include "page/page_walk.h"

#include "toolkit/web/web_page.h"
#include "views/sound.h"

#include <emscripten.h>

// The toolkit's side: the canvas made a slider that takes the walk's keys,
// its value text, and the samples played or stopped.
EM_JS(void, page_walkable, (const char* id, const char* codes), {
    viramontToolkit.walkable(UTF8ToString(id), UTF8ToString(codes).split(','));
});
EM_JS(void, page_walk_value, (const char* id, const char* text, double x), {
    viramontToolkit.walkValue(UTF8ToString(id), UTF8ToString(text), x);
});
EM_JS(int, page_play_sound, (const char* id, const float* samples, int count, int rate, int sweep), {
    return viramontToolkit.playSound(UTF8ToString(id), HEAPF32.subarray(samples >> 2, (samples >> 2) + count), rate,
                                     sweep !== 0) ? 1 : 0;
});
EM_JS(void, page_stop_sound, (), { viramontToolkit.stopSound(); });

namespace viramont::pagewalk {

namespace {
// The page has one sound output: it is said once that there is none.
bool toldNoSound = false;
} // namespace

void CanvasWalk::showPicture(std::function<view::WalkPicture()> make) {
    make_ = std::move(make);
    walk_.reset();
    page_stop_sound();
    std::string codes;
    for (const view::WalkKeyCode& k : view::kWalkKeys) codes += (codes.empty() ? "" : ",") + std::string(k.code);
    page_walkable(canvas_.c_str(), codes.c_str());
}

void CanvasWalk::act(std::string_view name) {
    if (!make_) return;
    if (!walk_) walk_.emplace(make_());
    if (name == "ended") {
        walk_->sweepEnded();
        return;
    }
    const std::optional<view::WalkKey> key = name == "listen" ? view::WalkKey::Play : view::walkKeyOf(name);
    if (!key || (name == "listen" && walk_->playing())) return;
    const std::optional<double> x = walk_->x();
    view::WalkReply reply = walk_->press(*key);
    if (reply.sound == view::WalkReply::Sound::Stop) page_stop_sound();
    if (reply.sound == view::WalkReply::Sound::Play) {
        const bool played = page_play_sound(canvas_.c_str(), reply.samples.data(),
                                            static_cast<int>(reply.samples.size()), view::kSampleRate,
                                            reply.sweep) != 0;
        if (!played) {
            if (reply.sweep) walk_->sweepEnded();
            if (!toldNoSound) reply.text += std::string(reply.text.empty() ? "" : " ") + view::kNoSound;
            toldNoSound = true;
        }
    }
    if (reply.text.empty()) return;
    // A step's line is the canvas's value; the rest is said.
    const bool stepped = walk_->x() && (!x || *walk_->x() != *x || *key == view::WalkKey::NextPoint ||
                                        *key == view::WalkKey::PreviousPoint || *key == view::WalkKey::Home ||
                                        *key == view::WalkKey::End);
    if (stepped) page_walk_value(canvas_.c_str(), reply.text.c_str(), *walk_->x());
    else web::announce(reply.text);
}

std::optional<std::string_view> codeFor(const CanvasWalk& walk, std::string_view action) {
    const std::size_t slash = action.find('/');
    if (slash == std::string_view::npos || action.substr(0, slash) != walk.canvas()) return std::nullopt;
    return action.substr(slash + 1);
}

} // namespace viramont::pagewalk
