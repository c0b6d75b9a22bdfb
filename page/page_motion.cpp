#include "page/page_motion.h"

#include "toolkit/web/web_page.h"
#include "views/motion.h"

#include <emscripten.h>

#include <cstddef>
#include <memory>
#include <optional>

// The toolkit's script, toolkit/web/toolkit.js.
// Starts the toolkit's frames; 1 where the browser asks for reduced motion.
EM_JS(int, tk_motion_begin, (const char* canvas), { return viramontToolkit.motionBegin(UTF8ToString(canvas)); });
EM_JS(void, tk_motion_end, (), { viramontToolkit.motionEnd(); });
EM_JS(double, tk_motion_now, (), { return performance.now(); });

namespace viramont {

namespace {

struct Playing {
    Playing(std::unique_ptr<view::Motion> played, bool reduced, double now, WebCanvas& canvas,
            std::function<std::string()> description)
        : motion(std::move(played)), player(*motion, reduced, now), picture(canvas),
          description(std::move(description)) {}
    std::unique_ptr<view::Motion> motion;
    view::MotionPlayer player;
    view::MotionFrame shown;
    WebCanvas& picture;
    std::function<std::string()> description;
    // The still part of the move under way, drawn once a move and kept.
    struct Still {
        std::size_t move;
        WebCanvas::Kept kept;
        WorldPoint corner;
    };
    std::optional<Still> still;
};
std::unique_ptr<Playing> playing;

// A frame on its picture: the still part of its move put back where it is
// kept, as the window does, and the moving part drawn over it.
void drawMotionFrame(Playing& p, const view::MotionFrame& frame) {
    if (frame.end) {
        p.still.reset();
        p.motion->draw(frame, p.picture);
        return;
    }
    if (!p.still || p.still->move != frame.move || !p.picture.restore(p.still->kept)) {
        const WorldPoint corner = p.motion->drawStill(frame, p.picture);
        p.still = Playing::Still{frame.move, p.picture.keep(), corner};
    }
    p.motion->drawMoving(frame, p.still->corner, p.picture);
}

// The frame of `nowMs` on the toolkit's clock, shown; false once it ended.
bool frame(double nowMs) {
    if (!playing) return false;
    const view::MotionPlayer::Tick t = playing->player.tick(nowMs / 1000);
    if (t.draw) {
        playing->shown = t.frame;
        drawMotionFrame(*playing, t.frame);
        playing->picture.present(t.finished ? playing->description() : t.frame.caption + ". " + t.frame.formula);
    }
    for (const std::string& said : t.said) web::announce(said);
    if (!t.finished) return true;
    playing.reset();
    tk_motion_end();
    return false;
}

} // namespace

void playMotion(std::unique_ptr<view::Motion> motion, WebCanvas& picture, std::function<std::string()> description) {
    stopMotion();
    const bool reduced = tk_motion_begin(picture.id().c_str()) != 0;
    const double now = tk_motion_now();
    playing = std::make_unique<Playing>(std::move(motion), reduced, now / 1000, picture, std::move(description));
    frame(now);
}

bool drawShownFrame(const WebCanvas& picture, Canvas& onto) {
    if (!playing || &playing->picture != &picture) return false;
    playing->motion->draw(playing->shown, onto);
    return true;
}

void stopMotion() {
    if (!playing) return;
    const double now = tk_motion_now();
    playing->player.press(view::MotionKey::Escape, now / 1000);
    frame(now);
}

} // namespace viramont

extern "C" {

// The frame at `nowMs` (the browser's frame time); 1 while the motion plays.
EMSCRIPTEN_KEEPALIVE int viramont_motion_frame(double nowMs) { return viramont::frame(nowMs) ? 1 : 0; }

// A key of the motion at `nowMs`: 0 Space, 1 Right, 2 Left, 3 Escape; any
// other number stops it, as any other input does. 1 while it plays on.
EMSCRIPTEN_KEEPALIVE int viramont_motion_key(int key, double nowMs) {
    using viramont::view::MotionKey;
    if (!viramont::playing) return 0;
    constexpr MotionKey keys[] = {MotionKey::Space, MotionKey::Right, MotionKey::Left, MotionKey::Escape};
    viramont::playing->player.press(key >= 0 && key < 4 ? keys[key] : MotionKey::Escape, nowMs / 1000);
    return viramont::frame(nowMs) ? 1 : 0;
}

} // extern "C"
