#include "window/startup.h"

#include "form/layout.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>


namespace viramont {

bool installQtTranslation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

double layoutScaleFor(QSize available) {
    return layout::fitScale(available.width() - kFrameAllowance.width(), available.height() - kFrameAllowance.height(),
                            kSmallestScale);
}

} // namespace viramont
