#pragma once
// Reading an image back in the window tests: the pixels of a colour, or of
// any test, counted over the image or a part of it, and the mean position
// of a colour along one row or column.

#include <QImage>
#include <QRect>

#include <functional>

namespace viramont::test {

// The pixels within `area` (the whole image when empty) that `wanted` takes.
inline int countPixels(const QImage& img, const std::function<bool(QRgb)>& wanted, QRect area = {}) {
    if (area.isEmpty()) area = img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) n += wanted(img.pixel(x, y) | 0xFF000000u);
    }
    return n;
}
inline int countPixels(const QImage& img, QRgb colour, QRect area = {}) {
    return countPixels(img, [colour](QRgb p) { return p == (colour | 0xFF000000u); }, area);
}
inline bool allPixels(const QImage& img, QRgb colour) { return countPixels(img, colour) == img.width() * img.height(); }

// Mean position of the pixels of `colour` along row `index` (or column
// `index` when `column`); -1 when there are none.
inline double centreOf(const QImage& img, QRgb colour, int index, bool column) {
    double sum = 0;
    int n = 0;
    for (int i = 0; i < (column ? img.height() : img.width()); ++i) {
        if (img.pixel(column ? index : i, column ? i : index) == colour) {
            sum += i + 0.5;
            ++n;
        }
    }
    return n ? sum / n : -1;
}
inline double centreInRow(const QImage& img, int row, QRgb colour) { return centreOf(img, colour, row, false); }
inline double centreInColumn(const QImage& img, int column, QRgb colour) { return centreOf(img, colour, column, true); }

} // namespace viramont::test
