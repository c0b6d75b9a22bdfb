#pragma once
// Cards for a class (practice/cards.h, views/practice.h): a box that asks
// for the number of variants, the set number and the level, and saves the
// cards as a PDF or prints them, drawn at the printer's resolution: four
// cards to a landscape A4 page, then the answer key; the set number on
// every page.

#include "practice/cards.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QPainter;
class QPagedPaintDevice;
class QSpinBox;

namespace viramont {

class Dialogs;

// Paints the pages of `set` onto `device` (a PDF, a printer) through
// `painter`, which is open on it; the device's pages are landscape A4.
void paintCards(QPainter& painter, QPagedPaintDevice& device, const practice::CardSet& set);

class CardsDialog : public QDialog {
public:
    // Failures are told through `dialogs`.
    CardsDialog(QWidget* owner, Dialogs& dialogs);

    // The set the box's numbers and level ask for.
    practice::CardSet cards() const;
    // Writes the cards as a PDF to `path`; false, after saying why, where
    // the file could not be written.
    bool saveTo(const QString& path);
    void save();
    void print();

    QSpinBox* variants() const { return variants_; }
    QSpinBox* setNumber() const { return setNumber_; }
    QComboBox* level() const { return level_; }

private:
    Dialogs& dialogs_;
    QSpinBox* variants_;
    QSpinBox* setNumber_;
    QComboBox* level_;
};

} // namespace viramont
