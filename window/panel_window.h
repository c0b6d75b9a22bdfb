#pragma once
// Any panel of views/panel.h in a window of its own, drawn with Qt
// widgets: texts as labels, fields with their captions, whole numbers as
// spin boxes, choices as lists, the picture as a canvas, the buttons in a
// row. The window passes the pupil's commands on to `pressed` and carries
// out the updates it is given; the parts are found by their names, which
// are their widgets' object names. The content scrolls where the screen
// is lower than the panel, so that the part an update brings into view is
// on screen.

#include "views/panel.h"

#include <QWidget>

#include <functional>
#include <map>
#include <string>

class QScrollArea;

namespace viramont {

class Announcer;
class CanvasWidget;
class Dialogs;

class PanelWindow : public QWidget {
public:
    // The panel `panel` (which outlives the window) over `owner`, kept above it and closed with it;
    // boxes through `dialogs`; its picture drawn by `draw`.
    PanelWindow(QWidget* owner, const view::Panel& panel, Dialogs& dialogs,
                std::function<void(Canvas&)> draw = {});

    // What the pupil's commands do.
    void onCommand(std::function<void(view::Command)> pressed) { pressed_ = std::move(pressed); }
    // What the fields, numbers and choices hold.
    view::PanelValues values() const;
    // Carries out `update`; `pictureWords` is the picture in words.
    void apply(const view::PanelUpdate& update, const std::string& pictureWords = {});

    // The part named `name` as its widget.
    template <typename W>
    W* part(const std::string& name) const {
        return findChild<W*>(QString::fromStdString(name));
    }
    CanvasWidget* picture() const { return picture_; }
    Announcer& announcer() const { return *announcer_; }

private:
    QWidget* build(const view::PanelPart& part, QWidget* parent);
    void command(view::Command command);

    const view::Panel& panel_;
    Dialogs& dialogs_;
    std::function<void(Canvas&)> draw_;
    std::function<void(view::Command)> pressed_;
    QScrollArea* scroll_;
    CanvasWidget* picture_ = nullptr;
    Announcer* announcer_;
};

} // namespace viramont
