// The desktop's pixels of the example plot, for the page's test to compare
// with its own: Sin(X), A = 2, k = 3, b = 1, C = 4 on 0 to 10, ВЫБОР and
// Command1 pressed on a form over the window's raster canvases, in the
// window's style. Writes Picture1 and Picture2 as binary PPM files.
//
//   desktop_pixels PICTURE1.ppm PICTURE2.ppm

#include "params/intake.h"
#include "plot/plot.h"
#include "raster_form.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>

namespace {

bool writePpm(const QImage& image, const char* path) {
    std::FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    std::fprintf(out, "P6\n%d %d\n255\n", image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>(qRed(p)), static_cast<unsigned char>(qGreen(p)),
                                          static_cast<unsigned char>(qBlue(p))};
            std::fwrite(rgb, 1, 3, out);
        }
    }
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: desktop_pixels PICTURE1.ppm PICTURE2.ppm\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    using namespace viramont;
    test::RasterWindow w;
    Form_Load(w.form);
    w.pick(w.form, fn::kSin);
    w.text1.setText("2");
    w.text2.setText("3");
    w.text3.setText("1");
    w.text4.setText("4");
    ВЫБОР_Click(w.form);
    Command1_Click(w.form);
    return writePpm(w.picture1.image(), argv[1]) && writePpm(w.picture2.image(), argv[2]) ? 0 : 1;
}
