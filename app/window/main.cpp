// Viramont: how the graph of y = A·f(k·x + b) + C moves as A, k, b and C
// change. One window; see app/window/main_window.h for the events.

#include "app/window/appearance.h"
#include "app/window/main_window.h"
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
    viramont::setDecimalSeparator(QLocale::system().decimalPoint().toStdString());

    viramont::MainWindow window;
    if (const QScreen* screen = QApplication::primaryScreen()) window.move(screen->availableGeometry().topLeft());
    window.show();
    return QApplication::exec();
}
