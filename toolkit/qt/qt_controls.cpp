#include "toolkit/qt/qt_controls.h"

#include <QComboBox>
#include <QLineEdit>

namespace viramont {

std::string LineEditField::text() const { return edit_->text().toStdString(); }

void LineEditField::setText(const std::string& text) {
    edit_->setText(QString::fromStdString(text));
    // A text wider than the field shows from its start, not its tail.
    edit_->home(false);
}

void PickListControl::append(const std::string& entry) {
    // Adding the first entry makes Qt select it; the text part keeps showing
    // what it showed before, as it does for every later entry.
    const QString shown = combo_->currentText();
    const int index = combo_->currentIndex();
    combo_->addItem(QString::fromStdString(entry));
    if (index < 0) {
        combo_->setCurrentIndex(-1);
        combo_->setEditText(shown);
    }
}

std::string PickListControl::text() const { return combo_->currentText().toStdString(); }

} // namespace viramont
