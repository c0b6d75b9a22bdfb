#include "toolkit/qt/accessible.h"

#include "toolkit/qt/canvas_widget.h"
#include "toolkit/qt/field_edit.h"
#include "toolkit/qt/pick_list.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>

namespace viramont {

namespace {

// A text to read and nothing to change in it: the caret is the reader's own.
class ReadableText : public QAccessibleTextInterface {
public:
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return cursor_; }
    void setCursorPosition(int position) override { cursor_ = std::clamp(position, 0, characterCount()); }
    QString text(int startOffset, int endOffset) const override {
        return readable().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(readable().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

protected:
    virtual QString readable() const = 0;

private:
    int cursor_ = 0;
};

// A picture box: an image whose text is what it shows.
class CanvasAccessible final : public QAccessibleWidget, public ReadableText {
public:
    explicit CanvasAccessible(CanvasWidget* canvas) : QAccessibleWidget(canvas, QAccessible::Graphic) {}
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

private:
    QString readable() const override { return static_cast<const CanvasWidget*>(widget())->spokenText(); }
};

// The editable list: named by its caption, valued by its text; its
// children, as Qt's own combo box has them, the list and the text part.
class PickListAccessible final : public QAccessibleWidget {
public:
    explicit PickListAccessible(PickList* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return list()->currentText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = list()->isEditable();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        s.collapsed = !s.expanded;
        return s;
    }
    int childCount() const override { return list()->lineEdit() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1 && list()->lineEdit()) return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        if (child->object() == list()->view()) return 0;
        if (list()->lineEdit() && child->object() == list()->lineEdit()) return 1;
        return -1;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction()) {
            list()->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    PickList* list() const { return static_cast<PickList*>(widget()); }
};

// A field that shows output: its text can be read, not edited, and it says
// it is read-only. (The user may still type into it, as into every field.)
class OutputFieldAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit OutputFieldAccessible(FieldEdit* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return edit()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.editable = false;
        s.selectableText = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (edit()->hasSelectedText()) {
            *startOffset = edit()->selectionStart();
            *endOffset = *startOffset + static_cast<int>(edit()->selectedText().size());
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { edit()->deselect(); }
    void setSelection(int, int startOffset, int endOffset) override {
        edit()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override {
        return edit()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(edit()->text().size()); }
    // The field is left-aligned: a character stands where the text before
    // it ends.
    QRect characterRect(int offset) const override {
        const QFontMetrics metrics(edit()->font());
        const QString text = edit()->text();
        const int left = edit()->contentsRect().left() + edit()->textMargins().left() +
                         metrics.horizontalAdvance(text.left(offset));
        const QPoint at = edit()->mapToGlobal(QPoint(left, 0));
        return {at, QSize(metrics.horizontalAdvance(text.mid(offset, 1)), edit()->height())};
    }
    int offsetAtPoint(const QPoint& point) const override { return edit()->cursorPositionAt(edit()->mapFromGlobal(point)); }
    void scrollToSubstring(int startIndex, int) override { edit()->setCursorPosition(startIndex); }
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
};

// The announcer: a notification named by the last text said.
class AnnouncerAccessible final : public QAccessibleObject {
public:
    explicit AnnouncerAccessible(Announcer* announcer) : QAccessibleObject(announcer) {}

    QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(announcer()->parent());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name || t == QAccessible::Description ? announcer()->text() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        return s;
    }

private:
    Announcer* announcer() const { return static_cast<Announcer*>(object()); }
};

Announcer* announcerOf(const QWidget* window) {
    for (QObject* child : window->children()) {
        if (auto* announcer = dynamic_cast<Announcer*>(child)) return announcer;
    }
    return nullptr;
}

// A window with an announcer: Qt's own interface, the announcer after its
// widgets.
class WindowAccessible final : public QAccessibleWidget {
public:
    WindowAccessible(QWidget* window, Announcer* announcer) : QAccessibleWidget(window), announcer_(announcer) {}

    int childCount() const override { return QAccessibleWidget::childCount() + 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == QAccessibleWidget::childCount()) return QAccessible::queryAccessibleInterface(announcer_);
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child && child->object() == announcer_) return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    Announcer* announcer_;
};

QAccessibleInterface* interfaceFor(const QString&, QObject* object) {
    if (auto* announcer = dynamic_cast<Announcer*>(object)) return new AnnouncerAccessible(announcer);
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (auto* canvas = dynamic_cast<CanvasWidget*>(widget)) return new CanvasAccessible(canvas);
    if (auto* list = dynamic_cast<PickList*>(widget)) return new PickListAccessible(list);
    if (auto* field = dynamic_cast<FieldEdit*>(widget); field && field->isOutput()) {
        return new OutputFieldAccessible(field);
    }
    if (widget->isWindow()) {
        if (Announcer* announcer = announcerOf(widget)) return new WindowAccessible(widget, announcer);
    }
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    (void)installed;
}

void renewAccessibility(QObject* object) {
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(object)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

Announcer::Announcer(QWidget* window) : QObject(window) { installAccessibility(); }

void Announcer::announce(const QString& text) {
    if (text.isEmpty()) return;
    text_ = text;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace viramont
