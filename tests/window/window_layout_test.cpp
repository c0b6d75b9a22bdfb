// The window as the user meets it: every control's kind, place, text, font,
// colours and alignment, the keyboard focus order and the screen-reader
// names. The expected values are written out here in pixels (twips / 15), so
// a wrong value in the layout table shows up as a failure.

#include "window/main_window.h"
#include "window/startup.h"
#include "toolkit/qt/canvas_widget.h"
#include "toolkit/qt/caption_button.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

// Readable values in failure messages.
static void PrintTo(const QColor& c, std::ostream* os) {
    *os << "rgb(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}
static void PrintTo(const QRect& r, std::ostream* os) {
    *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}
static void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }

namespace viramont {
namespace {

enum class K { Label, Text, Combo, Button, Canvas };

// A colour as the window is meant to show it: fixed, or one of the desktop's
// system colours by number.
struct Col {
    int system;  // 0 for a fixed colour
    int r, g, b;
};
constexpr Col fixed(int r, int g, int b) { return {0, r, g, b}; }
constexpr Col sys(int n) { return {n, 0, 0, 0}; }

QColor resolve(Col c) {
    const QPalette pal = QApplication::palette();
    switch (c.system) {
    case 0: return QColor(c.r, c.g, c.b);
    case 5: return pal.color(QPalette::Base);
    case 8: return pal.color(QPalette::Text);
    case 15: return pal.color(QPalette::Button);
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return QColor(212, 208, 200);  // the stand-in off Windows
    }
    ADD_FAILURE() << "no system colour " << c.system;
    return {};
}

struct Font {
    int pixels;  // points * 96 / 72, rounded
    bool bold;
    bool italic;
};
constexpr Font kSans{18, true, false};  // "MS Sans Serif" 13.5 pt bold

struct Expected {
    const char* name;
    K kind;
    int x, y, w, h;
    const char* text;
    Font font;
    Col fore, back;
    Qt::Alignment align;  // horizontal part; labels and fields only
    const char* accessible;
};

constexpr Col kBtnText = sys(18), kWinText = sys(8), kWinBack = sys(5), kFace = sys(15), kForm = sys(19);
constexpr Col kDarkRed = fixed(192, 0, 0), kDarkBlue = fixed(0, 0, 192);
constexpr Qt::Alignment L = Qt::AlignLeft, C = Qt::AlignHCenter;

const std::vector<Expected>& controls() {
    static const std::vector<Expected> table{
        {"Picture2", K::Canvas, 840, 512, 289, 257, "", kSans, fixed(0, 128, 0), fixed(224, 224, 224), L, "Легенда"},
        {"ВЫБОР", K::Button, 912, 232, 153, 73, " ВЫБОР ПАРАМЕТРОВ", kSans, kBtnText, fixed(192, 192, 255), C, nullptr},
        {"Text7", K::Text, 368, 192, 73, 41, "10", kSans, kWinText, kWinBack, C, "конец отрезка"},
        {"Text6", K::Text, 168, 192, 81, 41, "0", kSans, kWinText, kWinBack, C, "начало отрезка"},
        {"Picture1", K::Canvas, 0, 248, 825, 521, "", kSans, kBtnText, kFace, L, "Графики функций"},
        {"Command3", K::Button, 920, 440, 137, 41, "ВЫХОД", kSans, kBtnText, fixed(0, 192, 192), C, nullptr},
        {"Text5", K::Text, 216, 120, 249, 41, "Text5", kSans, kWinText, kWinBack, L,
         "ФОРМУЛА ПРЕБРАЗОВАННОЙ ФУНКЦИИ"},
        {"Text4", K::Text, 1040, 144, 81, 33, "1", kSans, kWinText, kWinBack, C, "СДВИГ ПО ОСИ У"},
        {"Text3", K::Text, 1040, 96, 81, 33, "1", kSans, kWinText, kWinBack, C, "СДВИГ ПО ОСИ Х"},
        // "ПO": Latin O, as in the captions beside these two fields.
        {"Text2", K::Text, 736, 144, 81, 33, "1", kSans, kWinText, kWinBack, C, "КОЭФ-Т СЖАТИЯ П\x4F ОСИ Х"},
        {"Text1", K::Text, 736, 96, 81, 33, "1", kSans, kWinText, kWinBack, C, "КОЭФ-Т СЖАТИЯ П\x4F ОСИ У"},
        {"Command1", K::Button, 912, 336, 153, 73, " ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ", kSans, kBtnText,
         fixed(192, 192, 255), C, nullptr},
        {"Combo1", K::Combo, 48, 120, 153, 32, "ФУНКЦИИ", kSans, kWinText, kWinBack, L, "ВЫБЕРИ ФУНКЦИЮ"},
        {"Label11", K::Label, 264, 184, 81, 49, "конец отрезка", {19, false, false}, kBtnText, kForm, C, nullptr},
        {"Label9", K::Label, 72, 184, 81, 49, "начало отрезка", {19, false, false}, kBtnText, kForm, C, nullptr},
        {"Label8", K::Label, 200, 48, 273, 65, "ФОРМУЛА ПРЕБРАЗОВАННОЙ ФУНКЦИИ", {19, true, false}, kDarkRed, kForm,
         C, nullptr},
        {"Label7", K::Label, 616, 48, 417, 41, "ПАРАМЕТРЫ ПРЕБРАЗОВАНИЯ", kSans, kDarkRed, kForm, C, nullptr},
        {"Label6", K::Label, 48, 48, 153, 49, " ВЫБЕРИ ФУНКЦИЮ", {19, true, false}, kDarkRed, kForm, C, nullptr},
        {"Label5", K::Label, 848, 144, 153, 33, " СДВИГ ПО ОСИ У", {16, true, false}, kDarkBlue, kForm, L, nullptr},
        {"Label4", K::Label, 848, 104, 153, 33, " СДВИГ ПО ОСИ Х", {16, true, false}, kDarkBlue, kForm, L, nullptr},
        {"Label3", K::Label, 464, 96, 241, 33, "КОЭФ-Т СЖАТИЯ П\x4F ОСИ У", {16, true, false}, kDarkBlue, kForm, C,
         nullptr},
        {"Label2", K::Label, 472, 144, 241, 33, "КОЭФ-Т СЖАТИЯ П\x4F ОСИ Х", {16, true, false}, kDarkBlue, kForm, C,
         nullptr},
        {"Label1", K::Label, 176, 8, 777, 25, "Viramont", {24, true, true}, kBtnText, kForm, C, nullptr},
    };
    return table;
}

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

QWidget* control(const MainWindow& window, const char* name) {
    return window.findChild<QWidget*>(q(name), Qt::FindDirectChildrenOnly);
}

// The text a control shows, and the palette roles of its text and face.
struct Shown {
    QString text;
    QPalette::ColorRole foreRole, backRole;
};

Shown shownOf(QWidget* w, K kind) {
    switch (kind) {
    case K::Label: return {static_cast<QLabel*>(w)->text(), QPalette::WindowText, QPalette::Window};
    case K::Text: return {static_cast<QLineEdit*>(w)->text(), QPalette::Text, QPalette::Base};
    case K::Combo: return {static_cast<QComboBox*>(w)->currentText(), QPalette::Text, QPalette::Base};
    case K::Button: return {static_cast<QPushButton*>(w)->text(), QPalette::ButtonText, QPalette::Button};
    case K::Canvas: return {QString(), QPalette::WindowText, QPalette::Window};
    }
    return {};
}

bool isKind(QWidget* w, K kind) {
    switch (kind) {
    case K::Label: return qobject_cast<QLabel*>(w) != nullptr;
    case K::Text: return qobject_cast<QLineEdit*>(w) != nullptr;
    case K::Combo: {
        auto* combo = qobject_cast<QComboBox*>(w);
        return combo && combo->isEditable();
    }
    case K::Button: return dynamic_cast<CaptionButton*>(w) != nullptr;
    case K::Canvas: return dynamic_cast<CanvasWidget*>(w) != nullptr;
    }
    return false;
}

Qt::Alignment horizontalAlignment(QWidget* w, K kind) {
    switch (kind) {
    case K::Label: return static_cast<QLabel*>(w)->alignment() & Qt::AlignHorizontal_Mask;
    case K::Text: return static_cast<QLineEdit*>(w)->alignment() & Qt::AlignHorizontal_Mask;
    case K::Combo: return static_cast<QComboBox*>(w)->lineEdit()->alignment() & Qt::AlignHorizontal_Mask;
    default: return {};
    }
}

std::string str(const QString& s) { return s.toStdString(); }

class WindowLayout : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    MainWindow window;
};

TEST_F(WindowLayout, FormTitleSizeAndBackground) {
    EXPECT_EQ(window.objectName(), "Viramont");
    EXPECT_EQ(window.windowTitle(), "Viramont");
    EXPECT_EQ(window.size(), QSize(1144, 830));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(212, 208, 200));
    EXPECT_TRUE(window.autoFillBackground());
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_EQ(window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 23);
}

TEST_F(WindowLayout, EveryControlAsLaidOut) {
    for (const Expected& e : controls()) {
        SCOPED_TRACE(e.name);
        QWidget* w = control(window, e.name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(isKind(w, e.kind)) << w->metaObject()->className();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->geometry(), QRect(e.x, e.y, e.w, e.h));

        const Shown shown = shownOf(w, e.kind);
        EXPECT_EQ(str(shown.text), e.text);

        const QFont font = w->font();
        EXPECT_EQ(font.pixelSize(), e.font.pixels);
        EXPECT_EQ(font.bold(), e.font.bold);
        EXPECT_EQ(font.italic(), e.font.italic);
        // The face the font really resolves to: the metric-compatible
        // stand-in, which has every letter of the caption.
        EXPECT_EQ(str(QFontInfo(font).family()), "Liberation Sans");
        const QRawFont raw = QRawFont::fromFont(font);
        for (const QChar ch : shown.text) EXPECT_TRUE(raw.supportsCharacter(ch)) << str(QString(ch));

        EXPECT_EQ(w->palette().color(shown.foreRole), resolve(e.fore));
        EXPECT_EQ(w->palette().color(shown.backRole), resolve(e.back));
        if (e.kind == K::Label || e.kind == K::Text || e.kind == K::Combo) {
            EXPECT_EQ(horizontalAlignment(w, e.kind), e.align);
        }
        if (e.kind == K::Label) {
            auto* label = static_cast<QLabel*>(w);
            EXPECT_TRUE(label->wordWrap());
            EXPECT_TRUE(label->autoFillBackground());
            EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
        }
        if (e.kind == K::Canvas) {
            const RasterCanvas& canvas = static_cast<CanvasWidget*>(w)->canvas();
            EXPECT_EQ(toQColor(canvas.foreColour()), resolve(e.fore));
            EXPECT_EQ(toQColor(canvas.backColour()), resolve(e.back));
            EXPECT_EQ(canvas.image().pixelColor(0, 0), resolve(e.back));
            EXPECT_EQ(canvas.font().bold(), e.font.bold);
        }
        if (e.accessible) {
            EXPECT_EQ(str(w->accessibleName()), e.accessible);
        }
    }
}

TEST_F(WindowLayout, ButtonsAreNamedByTheirCaptionsForScreenReaders) {
    for (const char* name : {"ВЫБОР", "Command1", "Command3"}) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control(window, name));
        ASSERT_NE(iface, nullptr) << name;
        EXPECT_EQ(iface->text(QAccessible::Name).trimmed(),
                  static_cast<QPushButton*>(control(window, name))->text().trimmed())
            << name;
        EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty()) << name;
    }
}

TEST_F(WindowLayout, TextFieldsLieAboveTheLabelsTheyOverlap) {
    const QObjectList children = window.children();
    const auto at = [&](const char* name) { return children.indexOf(control(window, name)); };
    EXPECT_GT(at("Text5"), at("Label3"));
    EXPECT_GT(at("Text5"), at("Label8"));
    EXPECT_GT(at("Combo1"), at("Label6"));
    // Where they overlap, the field is what the mouse reaches.
    EXPECT_EQ(window.childAt(QPoint(464, 124)), control(window, "Text5"));
}

TEST_F(WindowLayout, ResizingLeavesEveryControlInPlace) {
    for (const QSize size : {QSize(1600, 1000), QSize(500, 300), QSize(1144, 830)}) {
        window.resize(size);
        QApplication::processEvents();
        for (const Expected& e : controls()) {
            EXPECT_EQ(control(window, e.name)->geometry(), QRect(e.x, e.y, e.w, e.h))
                << e.name << " at " << size.width() << "x" << size.height();
        }
    }
}

// Text fields have the same sunken border as the picture boxes: the frame
// pixels at each corner of a field are those of Picture2 at its corners.
TEST_F(WindowLayout, TextFieldsHaveTheSunkenBorderOfTheCanvases) {
    const QImage canvas = control(window, "Picture2")->grab().toImage();
    for (const char* name : {"Text1", "Text5", "Text7"}) {
        const QImage field = control(window, name)->grab().toImage();
        for (const QPoint inset : {QPoint(0, 0), QPoint(1, 1)}) {
            const QPoint corners[][2] = {
                {inset, inset},
                {QPoint(field.width() - 1, field.height() - 1) - inset,
                 QPoint(canvas.width() - 1, canvas.height() - 1) - inset},
                {QPoint(field.width() - 1 - inset.x(), inset.y()), QPoint(canvas.width() - 1 - inset.x(), inset.y())},
            };
            for (const auto& [f, c] : corners) {
                EXPECT_EQ(field.pixelColor(f), canvas.pixelColor(c)) << name << " at " << f.x() << "," << f.y();
            }
        }
        // The border is not the field's face.
        EXPECT_NE(field.pixelColor(0, 0), field.pixelColor(field.width() / 2, 3)) << name;
    }
}

// A screen too small for the framed window of 1152 x 864 gets the largest
// scale, in thousandths, that fits, and never less than 0.6.
TEST(LayoutScale, LargestThatFitsTheScreen) {
    struct Case {
        QSize available;
        double scale;
    };
    const Case cases[] = {
        {{1920, 1200}, 1.0}, {{1152, 864}, 1.0},   {{1280, 1024}, 1.0},  {{1366, 768}, 0.884},
        {{1366, 728}, 0.836}, {{1151, 864}, 0.999}, {{1024, 600}, 0.681}, {{640, 480}, 0.6},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(layoutScaleFor(c.available), c.scale) << c.available.width() << "x" << c.available.height();
        const QSize framed(static_cast<int>(std::lround(1144 * c.scale)) + 8,
                           static_cast<int>(std::lround(830 * c.scale)) + 34);
        if (c.scale > 0.6) {
            EXPECT_TRUE(QRect(QPoint(), c.available).contains(QRect(QPoint(), framed)));
        }
    }
}

// At a smaller scale every position, size and font shrinks by it, edges
// rounded, and the canvases draw on images of the smaller size.
TEST(ScaledWindow, EveryControlAndFontShrinksByTheScale) {
    constexpr double s = 0.75;
    MainWindow window(s);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto at = [](int pixels) { return static_cast<int>(std::lround(pixels * s)); };
    EXPECT_EQ(window.size(), QSize(at(1144), at(830)));
    for (const Expected& e : controls()) {
        SCOPED_TRACE(e.name);
        QWidget* w = control(window, e.name);
        ASSERT_NE(w, nullptr);
        const QRect r(QPoint(at(e.x), at(e.y)), QPoint(at(e.x + e.w) - 1, at(e.y + e.h) - 1));
        EXPECT_EQ(w->geometry(), r);
        EXPECT_TRUE(window.rect().contains(w->geometry()));
        EXPECT_EQ(w->font().pixelSize(), at(e.font.pixels));
        if (e.kind == K::Canvas) {
            const RasterCanvas& canvas = static_cast<CanvasWidget*>(w)->canvas();
            EXPECT_EQ(canvas.image().size(), (r.size() - QSize(4, 4)) * canvas.image().devicePixelRatio());
            EXPECT_EQ(canvas.font().pixelSize(), std::lround(at(e.font.pixels) * canvas.image().devicePixelRatio()));
        }
    }
}

// The keyboard: focus starts on Combo1 and Tab walks the controls in tab
// index order, skipping the labels.
class WindowFocus : public WindowLayout {
protected:
    void SetUp() override {
        WindowLayout::SetUp();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QString focused() const {
        QWidget* w = QApplication::focusWidget();
        while (w && w->parentWidget() != &window) w = w->parentWidget();
        return w ? w->objectName() : QStringLiteral("(none)");
    }
};

const char* const kTabOrder[] = {"Combo1", "Command1", "Text1", "Text2", "Text3",    "Text4",   "Text5",
                                 "Command3", "Picture1", "Text6", "Text7", "ВЫБОР", "Picture2"};

TEST_F(WindowFocus, StartsOnCombo1) { EXPECT_EQ(str(focused()), "Combo1"); }

TEST_F(WindowFocus, TabWalksTheControlsInTabIndexOrder) {
    std::vector<std::string> seen{str(focused())};
    for (std::size_t i = 0; i < std::size(kTabOrder); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen.push_back(str(focused()));
    }
    std::vector<std::string> expected(std::begin(kTabOrder), std::end(kTabOrder));
    expected.push_back("Combo1");
    EXPECT_EQ(seen, expected);
}

TEST_F(WindowFocus, ShiftTabWalksBack) {
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < std::size(kTabOrder); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        seen.push_back(str(focused()));
    }
    const std::vector<std::string> expected(std::rbegin(kTabOrder), std::rend(kTabOrder));
    EXPECT_EQ(seen, expected);
}

} // namespace
} // namespace viramont
