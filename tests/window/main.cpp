// Widget tests run on the offscreen platform with a point as the decimal
// separator; one test switches to a comma on purpose.

#include "toolkit/number_text.h"

#include <QApplication>
#include <QStyleFactory>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    viramont::setDecimalSeparator(".");
    return RUN_ALL_TESTS();
}
