#include "window/motion_driver.h"

#include "toolkit/qt/accessible.h"
#include "toolkit/qt/canvas_widget.h"

#include <QAbstractAnimation>
#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>

namespace viramont {

// Qt's animation timer, which ticks at the screen's refresh and never
// queues a tick behind a late one: an animation without an end.
class MotionDriver::Ticks final : public QAbstractAnimation {
public:
    explicit Ticks(MotionDriver& driver) : driver_(driver) {}
    int duration() const override { return -1; }

protected:
    void updateCurrentTime(int) override { driver_.tick(); }

private:
    MotionDriver& driver_;
};

bool desktopAsksForReducedMotion() {
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gsettings.isEmpty()) return false;
    QProcess process;
    process.start(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                              QStringLiteral("enable-animations")});
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitCode() == 0 && QString::fromUtf8(process.readAllStandardOutput()).trimmed() == "false";
}

MotionDriver::MotionDriver(QWidget* window, CanvasWidget* picture1, Announcer& announcer,
                           std::function<std::string()> description)
    : QObject(window), window_(window), picture1_(picture1), announcer_(announcer),
      description_(std::move(description)), ticks_(std::make_unique<Ticks>(*this)) {
    clock_.start();
}

MotionDriver::~MotionDriver() {
    ticks_->stop();
    if (player_) qApp->removeEventFilter(this);
}

void MotionDriver::play(const FormState& plotted) { play(std::make_unique<view::Motion>(plotted)); }

void MotionDriver::play(std::unique_ptr<view::Motion> motion) {
    stop();
    if (!reduced_) reduced_ = desktopAsksForReducedMotion();
    still_.reset();
    motion_ = std::move(motion);
    player_ = std::make_unique<view::MotionPlayer>(*motion_, *reduced_, now());
    qApp->installEventFilter(this);
    tick();
    if (player_) ticks_->start();
}

std::function<void(Canvas&)> MotionDriver::shownFrame() const {
    if (!player_) return {};
    return [motion = motion_, frame = shown_](Canvas& graph) { motion->draw(frame, graph); };
}

void MotionDriver::stop() {
    if (!player_) return;
    player_->press(view::MotionKey::Escape, now());
    tick();
}

void MotionDriver::tick() {
    if (!player_) return;
    const view::MotionPlayer::Tick t = player_->tick(now());
    if (t.draw) {
        shown_ = t.frame;
        drawFrame(*motion_, t.frame);
        picture1_->refresh(t.finished ? description_() : t.frame.caption + ". " + t.frame.formula);
    }
    for (const std::string& said : t.said) announcer_.announce(QString::fromStdString(said));
    if (t.finished) {
        finish();
        return;
    }
    if (t.draw && onFrame) onFrame();
}

void MotionDriver::drawFrame(const view::Motion& motion, const view::MotionFrame& frame) {
    RasterCanvas& canvas = picture1_->canvas();
    if (frame.end) {
        still_.reset();
        motion.draw(frame, canvas);
        return;
    }
    if (still_ && still_->motion == &motion && still_->move == frame.move) {
        canvas.restore(still_->pixels);
    } else {
        const WorldPoint corner = motion.drawStill(frame, canvas);
        still_ = Still{&motion, frame.move, canvas.keep(), corner};
    }
    motion.drawMoving(frame, still_->corner, canvas);
}

void MotionDriver::finish() {
    ticks_->stop();
    qApp->removeEventFilter(this);
    player_.reset();
    if (onFinished) onFinished();
}

bool MotionDriver::eventFilter(QObject* watched, QEvent* event) {
    if (!player_) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_) return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & Qt::ControlModifier) return false;  // copy, save, print: the frame as it is
        std::optional<view::MotionKey> motionKey;
        switch (key->key()) {
        case Qt::Key_Space: motionKey = view::MotionKey::Space; break;
        case Qt::Key_Right: motionKey = view::MotionKey::Right; break;
        case Qt::Key_Left: motionKey = view::MotionKey::Left; break;
        case Qt::Key_Escape: motionKey = view::MotionKey::Escape; break;
        default: break;
        }
        if (motionKey) {
            player_->press(*motionKey, now());
            tick();
            return true;
        }
        stop();  // the key then does what it does
        return false;
    }
    if (type == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        stop();
    }
    return false;
}

} // namespace viramont
