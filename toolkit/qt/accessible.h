#pragma once
// What screen readers learn of the window beyond Qt's own interfaces
// (installAccessibility puts these in their place):
//
//   CanvasWidget  an image (role Graphic) with its name, whose text is what
//                 the picture shows, read line by line (CanvasWidget::spokenText)
//   PickList      a combo box named by its caption (the accessible name),
//                 its current text being its value; Qt names an editable
//                 list on Linux by its text
//   FieldEdit     marked as output: read-only to assistive technology, with
//                 a text to read and no text to edit
//   Announcer     says a short text once: a notification, the window's last
//                 child in the tree, named by the text and shown anew for
//                 each one (on AT-SPI object:state-changed:showing of a
//                 "notification", the signal a desktop notification gives)
//
// Qt 6.4 has no announcement event of its own.

#include <QObject>
#include <QString>

class QWidget;

namespace viramont {

// Installs the interfaces above; once is enough, later calls do nothing.
void installAccessibility();

// Drops the interface Qt may have made for `object` while it was being
// built (an accessibility event in a constructor makes one, before the
// object is what it becomes), so that the next one asked for is made anew.
void renewAccessibility(QObject* object);

class Announcer : public QObject {
public:
    // The announcer of `window`, a top-level widget.
    explicit Announcer(QWidget* window);

    // Says `text` once; an empty text says nothing.
    void announce(const QString& text);
    // The last text said.
    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace viramont
