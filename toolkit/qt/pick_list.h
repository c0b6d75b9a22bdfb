#pragma once
// An editable drop-down list that tells apart an entry picked from the list
// (a click in the open list, Enter there, the arrow keys or the wheel on the
// closed list that has the focus) from text typed into its text part. QComboBox reports both
// as activated: when the typed text equals an entry, finishing the edit
// (Enter, or leaving the field) selects that entry and activates it. Only the
// first kind reaches the pick handler; typed text stays text. No completer
// fills in entries and Enter adds nothing to the list.

#include <QComboBox>

#include <functional>

namespace viramont {

class PickList : public QComboBox {
public:
    explicit PickList(QWidget* parent);

    // Called with the entry's index each time the user picks one, also when
    // it is the entry already shown.
    void setPickHandler(std::function<void(int)> handler) { onPick_ = std::move(handler); }

protected:
    // The wheel picks entries only while the list has the focus, as the
    // arrow keys do; over an unfocused list it scrolls nothing.
    void wheelEvent(QWheelEvent* event) override;

private:
    std::function<void(int)> onPick_;
    bool finishingEdit_ = false;  // inside the line edit's editingFinished
};

} // namespace viramont
