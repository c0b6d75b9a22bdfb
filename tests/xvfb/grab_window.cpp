// Reads the pixels of another program's window on the X server and reports
// how many of them, inside a rectangle, are pure blue and pure red; can also
// save the whole window as a PNG. Used by the window test under Xvfb.
//
//   grab_window WINDOW-ID X Y WIDTH HEIGHT [file.png]
//
// Prints "blue N red M" and exits 0; exits 2 on bad arguments or when the
// window cannot be read.

#include "toolkit/colour.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QString>

#include <cstdio>

namespace {

bool toNumber(const char* text, long long& out) {
    bool ok = false;
    out = QString::fromLocal8Bit(text).toLongLong(&ok, 0);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6 && argc != 7) {
        std::fprintf(stderr, "usage: %s WINDOW-ID X Y WIDTH HEIGHT [file.png]\n", argv[0]);
        return 2;
    }
    long long values[5];
    for (int i = 0; i < 5; ++i) {
        if (!toNumber(argv[i + 1], values[i]) || values[i] < 0) {
            std::fprintf(stderr, "not a number: %s\n", argv[i + 1]);
            return 2;
        }
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        std::fprintf(stderr, "no screen\n");
        return 2;
    }
    const QImage image = screen->grabWindow(static_cast<WId>(values[0])).toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "could not read window %lld\n", values[0]);
        return 2;
    }
    if (argc == 7 && !image.save(QString::fromLocal8Bit(argv[6]), "PNG")) {
        std::fprintf(stderr, "could not save %s\n", argv[6]);
        return 2;
    }
    const QRect area = QRect(int(values[1]), int(values[2]), int(values[3]), int(values[4])) & image.rect();
    // The program's graph colours, as the screen shows them.
    using viramont::Colour;
    const auto screenRgb = [](Colour c) {
        return QRgb(qRgb(viramont::redOf(c), viramont::greenOf(c), viramont::blueOf(c)) & 0xFFFFFFu);
    };
    const QRgb blueRgb = screenRgb(viramont::kBlue), redRgb = screenRgb(viramont::kRed);
    long long blue = 0;
    long long red = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = line[x] & 0xFFFFFFu;
            blue += pixel == blueRgb;
            red += pixel == redRgb;
        }
    }
    std::printf("blue %lld red %lld\n", blue, red);
    return 0;
}
