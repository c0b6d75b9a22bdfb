#include "page/page_walk.h"

#include "toolkit/web/web_page.h"
#include "views/sound.h"
#include "views/walk.h"

#include <emscripten.h>

#include <optional>

// The toolkit's side: the canvas made a slider that takes the walk's keys,
// its value text, and the samples played or stopped.
EM_JS(void, page_walkable, (const char* id, const char* codes), {
    viramontToolkit.walkable(UTF8ToString(id), UTF8ToString(codes).split(','));
});
EM_JS(void, page_walk_value, (const char* id, const char* text, double x), {
    viramontToolkit.walkValue(UTF8ToString(id), UTF8ToString(text), x);
});
EM_JS(int, page_play_sound, (const float* samples, int count, int rate, int sweep), {
    return viramontToolkit.playSound(HEAPF32.subarray(samples >> 2, (samples >> 2) + count), rate, sweep !== 0) ? 1 : 0;
});
EM_JS(void, page_stop_sound, (), { viramontToolkit.stopSound(); });

namespace viramont::pagewalk {

namespace {

constexpr const char* kCanvas = "Picture1";

struct Walking {
    std::optional<FormState> inputs;
    std::string words;
    std::optional<view::Walk> walk;
    bool toldNoSound = false;
};
Walking& walking() {
    static Walking w;
    return w;
}

} // namespace

void plotDrawn(const LastPlot& lastPlot, const std::string& words) {
    if (!lastPlot.inputs()) return;
    Walking& w = walking();
    w.inputs = lastPlot.inputs();
    w.words = words;
    w.walk.reset();
    page_stop_sound();
    std::string codes;
    for (const view::WalkKeyCode& k : view::kWalkKeys) codes += (codes.empty() ? "" : ",") + std::string(k.code);
    page_walkable(kCanvas, codes.c_str());
}

void act(std::string_view name) {
    Walking& w = walking();
    if (!w.inputs) return;
    if (!w.walk) w.walk.emplace(view::plotPicture(*w.inputs, w.words));
    if (name == "ended") {
        w.walk->sweepEnded();
        return;
    }
    const std::optional<view::WalkKey> key = name == "listen" ? view::WalkKey::Play : view::walkKeyOf(name);
    if (!key || (name == "listen" && w.walk->playing())) return;
    const std::optional<double> x = w.walk->x();
    view::WalkReply reply = w.walk->press(*key);
    if (reply.sound == view::WalkReply::Sound::Stop) page_stop_sound();
    if (reply.sound == view::WalkReply::Sound::Play) {
        const bool played = page_play_sound(reply.samples.data(), static_cast<int>(reply.samples.size()),
                                            view::kSampleRate, reply.sweep) != 0;
        if (!played) {
            if (reply.sweep) w.walk->sweepEnded();
            if (!w.toldNoSound) reply.text += std::string(reply.text.empty() ? "" : " ") + view::kNoSound;
            w.toldNoSound = true;
        }
    }
    if (reply.text.empty()) return;
    // A step's line is the canvas's value; the rest is said.
    const bool stepped = w.walk->x() && (!x || *w.walk->x() != *x || *key == view::WalkKey::NextPoint ||
                                         *key == view::WalkKey::PreviousPoint || *key == view::WalkKey::Home ||
                                         *key == view::WalkKey::End);
    if (stepped) page_walk_value(kCanvas, reply.text.c_str(), *w.walk->x());
    else web::announce(reply.text);
}

} // namespace viramont::pagewalk
