#include "toolkit/qt/pick_list.h"

#include <QLineEdit>
#include <QWheelEvent>

namespace viramont {

PickList::PickList(QWidget* parent) : QComboBox(parent) {
    auto* edit = new QLineEdit(this);
    // Slots run in the order they were connected: the first of these two
    // runs before the list's own handler of editingFinished (connected by
    // setLineEdit), which is where a typed entry name becomes an activation,
    // and the second after it.
    connect(edit, &QLineEdit::editingFinished, this, [this] { finishingEdit_ = true; });
    setLineEdit(edit);
    connect(edit, &QLineEdit::editingFinished, this, [this] { finishingEdit_ = false; });
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!finishingEdit_ && onPick_) onPick_(index);
    });
}

void PickList::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace viramont
