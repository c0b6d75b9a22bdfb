#include "window/practice_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <random>

namespace viramont {

PracticeWindow::PracticeWindow(QWidget* owner, Dialogs& dialogs)
    : PanelWindow(owner, view::practicePanel(), dialogs, [this](Canvas& canvas) { panel_.drawPicture(canvas); }),
      panel_([] { return std::uint64_t(std::random_device{}()); }) {
    onCommand([this](view::Command c) { apply(panel_.press(c, values()), panel_.pictureWords()); });
    newRound();
}

void PracticeWindow::newRound(std::optional<std::uint64_t> seed) {
    if (seed) panel_.seedNextRound(*seed);
    apply(panel_.start(values()), panel_.pictureWords());
}

QLineEdit* PracticeWindow::field(std::size_t i) const { return part<QLineEdit>(view::practice_part::field(i)); }
QPushButton* PracticeWindow::button(view::Command command) const {
    return part<QPushButton>(view::practice_part::button(command));
}
QLabel* PracticeWindow::text(const std::string& name) const { return part<QLabel>(name); }

} // namespace viramont
