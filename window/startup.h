#pragma once
// What the program does once at start-up, before the window opens: Qt's own
// texts in Russian, and the scale at which the form fits the screen.

#include <QRect>
#include <QSize>

class QCoreApplication;

namespace viramont {

// Installs Qt's Russian translation (qtbase_ru from Qt's translations
// folder) whatever the system locale is, so Qt's own buttons and menus
// (OK/Cancel of the input box, the text fields' context menu) read as the
// rest of the program. Without the file the program goes on with Qt's
// English texts; the answer says whether it was found.
bool installQtTranslation(QCoreApplication& app);

// The frame a desktop draws around the window at most: the framed window is
// 1152 x 864 for the client area of 1144 x 830.
inline constexpr QSize kFrameAllowance{8, 34};
inline constexpr double kSmallestScale = 0.6;

// The largest scale, in thousandths and at most 1, at which the framed
// window fits in `available`; never less than kSmallestScale.
double layoutScaleFor(QSize available);

} // namespace viramont
