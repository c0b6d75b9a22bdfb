#include "window/picture_walker.h"

#include "toolkit/qt/accessible.h"
#include "window/sound_player.h"

#include <QKeyEvent>
#include <QWidget>

namespace viramont {

namespace {

// A key by its place on the keyboard, as the walk names it: the Russian
// layout's Х, Ъ and Ь are [, ] and M.
const char* codeOf(const QKeyEvent& e) {
    switch (e.key()) {
    case Qt::Key_Down: return "ArrowDown";
    case Qt::Key_Up: return "ArrowUp";
    case Qt::Key_Right: return "ArrowRight";
    case Qt::Key_Left: return "ArrowLeft";
    case Qt::Key_Home: return "Home";
    case Qt::Key_End: return "End";
    case Qt::Key_PageDown: return "PageDown";
    case Qt::Key_PageUp: return "PageUp";
    case Qt::Key_BracketRight: case 0x42A: return "BracketRight";
    case Qt::Key_BracketLeft: case 0x425: return "BracketLeft";
    case Qt::Key_Space: return "Space";
    case Qt::Key_Escape: return "Escape";
    case Qt::Key_M: case 0x42C: return "KeyM";
    default: return "";
    }
}

} // namespace

PictureWalker::PictureWalker(QWidget* canvas, Announcer& announcer, SoundPlayer& player)
    : QObject(canvas), canvas_(canvas), announcer_(announcer), player_(player) {
    canvas_->installEventFilter(this);
}

void PictureWalker::showPicture(std::function<view::WalkPicture()> make) {
    make_ = std::move(make);
    walk_.reset();
    player_.stop();
}

bool PictureWalker::press(view::WalkKey key) {
    if (!walk_) {
        if (!make_) return false;
        walk_.emplace(make_());
    }
    view::WalkReply reply = walk_->press(key);
    if (reply.text.empty() && reply.sound == view::WalkReply::Sound::None) return false;
    std::string text = reply.text;
    if (reply.sound == view::WalkReply::Sound::Stop) player_.stop();
    if (reply.sound == view::WalkReply::Sound::Play) {
        const bool sweep = reply.sweep;
        const bool played = player_.play(reply.samples, [this, sweep] {
            if (sweep && walk_) walk_->sweepEnded();
        });
        if (!played) {
            if (sweep) walk_->sweepEnded();
            if (!toldNoSound_) text += std::string(text.empty() ? "" : " ") + view::kNoSound;
            toldNoSound_ = true;
        }
    }
    announcer_.announce(QString::fromStdString(text));
    return true;
}

void PictureWalker::listen() {
    canvas_->setFocus();
    if (walk_ && walk_->playing()) return;
    press(view::WalkKey::Play);
}

bool PictureWalker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != canvas_ || event->type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    const std::optional<view::WalkKey> walkKey = view::walkKeyOf(codeOf(key));
    return walkKey && press(*walkKey);
}

} // namespace viramont
