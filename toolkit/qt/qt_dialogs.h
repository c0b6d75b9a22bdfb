#pragma once
// The message box and the input box as Qt dialogs, both modal to the window.

#include "toolkit/controls.h"

#include <QString>

class QWidget;

namespace viramont {

class QtDialogs final : public Dialogs {
public:
    QtDialogs(QWidget* parent, QString title) : parent_(parent), title_(std::move(title)) {}
    void message(const std::string& text) override;
    std::string input(const std::string& prompt, const std::string& title) override;

private:
    QWidget* parent_;
    QString title_;
};

} // namespace viramont
