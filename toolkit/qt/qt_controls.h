#pragma once
// The control interfaces on Qt widgets.

#include "toolkit/controls.h"

class QLineEdit;
class QComboBox;

namespace viramont {

class LineEditField final : public TextField {
public:
    explicit LineEditField(QLineEdit* edit) : edit_(edit) {}
    std::string text() const override;
    void setText(const std::string& text) override;

private:
    QLineEdit* edit_;
};

class PickListControl final : public ListControl {
public:
    explicit PickListControl(QComboBox* combo) : combo_(combo) {}
    void append(const std::string& entry) override;
    std::string text() const override;

private:
    QComboBox* combo_;
};

} // namespace viramont
