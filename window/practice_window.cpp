#include "window/practice_window.h"

#include "toolkit/qt/canvas_widget.h"
#include "views/walk.h"
#include "window/motion_driver.h"
#include "window/picture_walker.h"
#include "window/sound_player.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <random>

namespace viramont {

PracticeWindow::PracticeWindow(QWidget* owner, Dialogs& dialogs)
    : PanelWindow(owner, view::practicePanel(), dialogs, [this](Canvas& canvas) { panel_.drawPicture(canvas); }),
      panel_([] { return std::uint64_t(std::random_device{}()); }) {
    picture()->setFocusPolicy(Qt::StrongFocus);  // walked by keys (picture_walker.h)
    walker_ = new PictureWalker(picture(), announcer(), *new SoundPlayer(this));
    motion_ = new MotionDriver(this, picture(), announcer(), [this] { return panel_.pictureWords(); });
    onCommand([this](view::Command c) { show(panel_.press(c, values())); });
    newRound();
}

void PracticeWindow::show(const view::PanelUpdate& update) {
    apply(update, panel_.pictureWords());
    if (update.redrawPicture) {
        walker_->showPicture([task = panel_.round().task()] { return view::taskPicture(task); });
    }
    if (update.playMotion) motion_->play(std::make_unique<view::Motion>(panel_.pictureState()));
}

void PracticeWindow::newRound(std::optional<std::uint64_t> seed) {
    if (seed) panel_.seedNextRound(*seed);
    show(panel_.start(values()));
}

QLineEdit* PracticeWindow::field(std::size_t i) const { return part<QLineEdit>(view::practice_part::field(i)); }
QPushButton* PracticeWindow::button(view::Command command) const {
    return part<QPushButton>(view::practice_part::button(command));
}
QLabel* PracticeWindow::text(const std::string& name) const { return part<QLabel>(name); }

} // namespace viramont
