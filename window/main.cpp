// Viramont: how the graph of y = A·f(k·x + b) + C moves as A, k, b and C
// change. One window; see window/main_window.h for the events.
//
// The layers, each building only on those before it:
//
//   toolkit/      numbers, faults, the canvas and control interfaces;
//                 toolkit/qt/ their Qt implementations
//   form/     the form: FormState, the controls as handlers see them,
//                 Form_Load, Combo1_Click, Command3_Click
//   params/       ВЫБОР: intake, checks, the formula text
//   plot/         Command1: the plot routines, axes, legend
//   window/   the window: layout, widgets, event wiring, the picture's
//                 copy, save and print, and this start-up

#include "window/appearance.h"
#include "window/main_window.h"
#include "window/startup.h"
#include "toolkit/number_text.h"

#include <QApplication>
#include <QLocale>
#include <QScreen>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setApplicationName("Viramont");
    QApplication::setDesktopFileName(QStringLiteral(VIRAMONT_APP_ID));
    QApplication::setWindowIcon(viramont::programIcon());
    viramont::installQtTranslation(app);
    // Numbers are written with the user's decimal separator, whatever the
    // language of Qt's texts.
    viramont::setDecimalSeparator(QLocale::system().decimalPoint().toStdString());

    const QScreen* screen = QApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    viramont::MainWindow window(screen ? viramont::layoutScaleFor(available.size()) : 1.0);
    if (screen) window.move(available.topLeft());  // the top-left of the free area
    window.show();
    return QApplication::exec();
}
