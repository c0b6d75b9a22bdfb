#include "toolkit/qt/qt_dialogs.h"

#include "toolkit/qt/field_edit.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace viramont {

namespace {
// A busy cursor set around a long handler must not hide the dialog's arrow.
class NormalCursor {
public:
    NormalCursor() : restore_(QApplication::overrideCursor() != nullptr) {
        if (restore_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor() {
        if (restore_) QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool restore_;
};
} // namespace

void QtDialogs::message(const std::string& text) {
    showCurrentDrawing();
    NormalCursor cursor;
    QMessageBox box(QMessageBox::NoIcon, title_, QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.setObjectName("MessageBox");
    box.exec();
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title) {
    showCurrentDrawing();
    NormalCursor cursor;
    QInputDialog dialog(parent_);
    dialog.setObjectName("InputBox");
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString());
    dialog.setInputMode(QInputDialog::TextInput);
    if (auto* field = dialog.findChild<QLineEdit*>()) field->setMaxLength(inputLimit_);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue().toStdString();
}

} // namespace viramont
