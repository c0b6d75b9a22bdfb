#include "app/window/startup.h"

#include "app/form/layout.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <algorithm>
#include <cmath>

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
    const double across =
        static_cast<double>(available.width() - kFrameAllowance.width()) / layout::px(layout::kClientWidth);
    const double down =
        static_cast<double>(available.height() - kFrameAllowance.height()) / layout::px(layout::kClientHeight);
    const double fit = std::floor(std::min(across, down) * 1000.0) / 1000.0;
    return std::clamp(fit, kSmallestScale, 1.0);
}

} // namespace viramont
