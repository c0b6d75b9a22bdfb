// Widget tests run on the offscreen platform with a point as the decimal
// separator; one test switches to a comma on purpose.

#include "window/startup.h"
#include "toolkit/number_text.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    viramont::setDecimalSeparator(".");
    // As the program does: Qt's own texts in Russian. The test command
    // installs the translations, so the tests of those texts assert.
    if (!viramont::installQtTranslation(app)) {
        fprintf(stderr, "Qt's Russian translation (qtbase_ru) is missing\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
