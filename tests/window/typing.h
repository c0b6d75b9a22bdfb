#pragma once
// Typing into a widget as the keyboard would: Ctrl+A and Backspace empty it,
// then each character is pressed and released.

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace viramont::test {

inline void typeInto(QWidget* target, const QString& text) {
    target->setFocus();
    QKeyEvent all(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(target, &all);
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(target, &erase);
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
}

} // namespace viramont::test
