#pragma once
// A text field in the classic look: a sunken 3-D border two pixels wide, as
// the picture boxes have, drawn around Qt's line edit, and no limit on the
// length of the text (Qt cuts at 32,767 characters unless told otherwise).

#include <QLineEdit>

namespace viramont {

class FieldEdit : public QLineEdit {
public:
    FieldEdit(const QString& text, QWidget* parent);

    static constexpr int kBorder = 2;

    // A field that shows the program's output is read-only to screen
    // readers (toolkit/qt/accessible.h); typing into it stays possible.
    void setOutput(bool output);
    bool isOutput() const { return output_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool output_ = false;
};

} // namespace viramont
