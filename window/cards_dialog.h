#pragma once
// Cards for a class (practice/cards.h, views/practice.h): a box that asks
// for the number of variants, the set number and the level, and saves the
// cards as a PDF or prints them, drawn at the printer's resolution: four
// cards to a landscape A4 page, then the answer key; the set number on
// every page.

#include "practice/cards.h"
#include "window/panel_window.h"

#include <optional>

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

// The cards' box (views/cards_panel.h) in a window of its own.
class CardsDialog : public PanelWindow {
public:
    // Failures are told through `dialogs`.
    CardsDialog(QWidget* owner, Dialogs& dialogs);

    // The set the box's numbers and level ask for; none, after saying why,
    // where a number could not be read.
    std::optional<practice::CardSet> cards();
    // Writes the cards as a PDF to `path`; false, after saying why, where
    // the file could not be written or the numbers read.
    bool saveTo(const QString& path);
    void save();
    void print();

    QSpinBox* variants() const;
    QSpinBox* setNumber() const;
    QComboBox* level() const;

private:
    Dialogs& dialogs_;
};

} // namespace viramont
