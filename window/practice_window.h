#pragma once
// Practice in a window of its own: the panel of views/practice_panel.h
// drawn by PanelWindow, its commands passed on to the round.

#include "views/practice_panel.h"
#include "window/panel_window.h"

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace viramont {

class MotionDriver;
class PictureWalker;

class PracticeWindow : public PanelWindow {
public:
    PracticeWindow(QWidget* owner, Dialogs& dialogs);

    // A new round of the level chosen, from `seed` (by default, one of its own).
    void newRound(std::optional<std::uint64_t> seed = {});

    const practice::Round& round() const { return panel_.round(); }
    QLineEdit* field(std::size_t i) const;
    QPushButton* button(view::Command command) const;
    QLabel* text(const std::string& name) const;
    // The moves of the task played on its picture, once its solution is shown.
    MotionDriver& motion() const { return *motion_; }

private:
    // Carries out `update`; a task drawn anew is walked anew by keys.
    void show(const view::PanelUpdate& update);

    view::PracticePanel panel_;
    PictureWalker* walker_;
    MotionDriver* motion_;
};

} // namespace viramont
