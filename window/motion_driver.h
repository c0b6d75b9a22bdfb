#pragma once
// "Показать движение" in the window: the motion of views/motion.h played on
// Picture1 itself, a frame at each tick of Qt's animation timer (the
// screen's refresh). A frame that took long is not made up for: the next
// tick shows the time it is then. While it plays, Space, Right, Left and
// Escape are the motion's; any other key or click in the window stops it
// first (on the press's picture) and then takes effect, so no input is
// lost; Ctrl with a letter (copy, save, print) takes the frame as it is.
// Where the desktop asks for reduced motion (GNOME's enable-animations off)
// each move's end stands for two seconds instead.

#include "form/form.h"
#include "toolkit/qt/raster_canvas.h"
#include "views/motion.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace viramont {

class Announcer;
class CanvasWidget;

class MotionDriver : public QObject {
public:
    // Plays on `picture1` of `window` (or on practice's picture); `description`
    // gives the picture's words once the motion has ended on its own picture.
    MotionDriver(QWidget* window, CanvasWidget* picture1, Announcer& announcer,
                 std::function<std::string()> description);
    ~MotionDriver() override;

    // Plays the motion of the plot drawn from `plotted`, from its start.
    void play(const FormState& plotted);
    // Plays `motion` (practice's task on its picture), from its start.
    void play(std::unique_ptr<view::Motion> motion);
    // Ends a motion under way on the press's picture; nothing otherwise.
    void stop();
    bool playing() const { return player_ != nullptr; }
    bool paused() const { return player_ && player_->paused(); }
    // Draws the frame shown now anew on a canvas of the picture's size at
    // any resolution, for copy, save and print; the frame is kept, so that
    // a drawing made later shows it still. Empty when none plays.
    std::function<void(Canvas&)> shownFrame() const;
    // Each frame shown, and the end, for those who wait on them.
    std::function<void()> onFrame, onFinished;
    // Reduced motion as the desktop asks for it, read once; set by hand here.
    void setReducedMotion(bool reduced) { reduced_ = reduced; }

    // One tick of the clock: the frame of the time it is now.
    void tick();
    // Draws a frame of `motion` on Picture1 (not yet shown): the part that
    // stays through its move is drawn once and kept, each later frame of
    // the move puts it back and draws only what moves.
    void drawFrame(const view::Motion& motion, const view::MotionFrame& frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double now() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }
    void finish();

    QWidget* window_;
    CanvasWidget* picture1_;
    Announcer& announcer_;
    std::function<std::string()> description_;
    std::optional<bool> reduced_;
    std::shared_ptr<const view::Motion> motion_;
    view::MotionFrame shown_;
    std::unique_ptr<view::MotionPlayer> player_;
    class Ticks;
    std::unique_ptr<Ticks> ticks_;
    QElapsedTimer clock_;
    struct Still {
        const view::Motion* motion;
        std::size_t move;
        RasterCanvas::Kept pixels;
        WorldPoint corner;
    };
    std::optional<Still> still_;
};

// Whether the desktop asks for reduced motion: GNOME's
// org.gnome.desktop.interface enable-animations set to false. Absent: no.
bool desktopAsksForReducedMotion();

} // namespace viramont
