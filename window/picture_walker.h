#pragma once
// A picture walked by keys and heard (views/walk.h) on a canvas of the
// window: the keys pressed while the canvas has the focus go to the walk,
// its texts are said through the window's announcer and its sound played.
// The walk of a new picture is made when a key first asks for it.

#include "views/walk.h"

#include <QObject>

#include <functional>
#include <optional>

class QWidget;

namespace viramont {

class Announcer;
class SoundPlayer;

class PictureWalker : public QObject {
public:
    PictureWalker(QWidget* canvas, Announcer& announcer, SoundPlayer& player);

    // The picture the canvas shows now, made by `make` when needed; none
    // when `make` is empty.
    void showPicture(std::function<view::WalkPicture()> make);
    // A key as the walk names it; false when there is no picture or the key
    // is not the walk's.
    bool press(view::WalkKey key);
    // The graphs' sound from the left to the right, as Space plays it.
    void listen();
    const view::Walk* walk() const { return walk_ ? &*walk_ : nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* canvas_;
    Announcer& announcer_;
    SoundPlayer& player_;
    std::function<view::WalkPicture()> make_;
    std::optional<view::Walk> walk_;
    bool toldNoSound_ = false;
};

} // namespace viramont
