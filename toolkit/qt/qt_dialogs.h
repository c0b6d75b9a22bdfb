#pragma once
// The message box and the input box as Qt dialogs, both modal to the window.
// Before a box opens, the window is told to show its drawing as it stands,
// so the box never covers a picture that is out of date.

#include "toolkit/controls.h"

#include <QString>

#include <functional>

class QWidget;

namespace viramont {

class QtDialogs final : public Dialogs {
public:
    // `title` heads the messages; `inputLimit` is the longest answer the
    // input box takes.
    QtDialogs(QWidget* parent, QString title, int inputLimit)
        : parent_(parent), title_(std::move(title)), inputLimit_(inputLimit) {}
    void message(const std::string& text) override;
    std::string input(const std::string& prompt, const std::string& title) override;

    void setBeforeModal(std::function<void()> beforeModal) { beforeModal_ = std::move(beforeModal); }

private:
    void showCurrentDrawing() const {
        if (beforeModal_) beforeModal_();
    }

    QWidget* parent_;
    QString title_;
    int inputLimit_;
    std::function<void()> beforeModal_;
};

} // namespace viramont
