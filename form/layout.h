#pragma once
// The fixed layout of the form, the same in the window and the page: every
// control as one row of data.
// Positions and sizes are in twips (1/1440 inch, 15 to a logical pixel at
// 96 dpi), measured in the client area; colours are 0x00BBGGRR, or
// 0x800000nn for the desktop's system colour nn.

#include "toolkit/colour.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string_view>

namespace viramont::layout {

enum class Kind { Label, TextBox, ComboBox, Button, Picture };
enum class Align { Left, Centre };

struct FontStyle {
    const char* face;
    double points;
    bool bold;
    bool italic;
};

struct ControlRow {
    const char* name;
    Kind kind;
    int left, top, width, height;  // twips
    const char* text;              // initial text or caption
    FontStyle font;
    Colour fore;
    Colour back;
    Align align;
    int tabIndex;
};

constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) { return twips / kTwipsPerPixel; }

// The form laid out at one uniform scale, for screens too small to hold it
// whole: a length of `twips` is scale·twips/15 pixels, rounded. Edges are
// scaled rather than sizes, so controls that meet still meet. Scale 1 is the
// layout itself.
struct Scale {
    double factor = 1.0;

    constexpr int operator()(int twips) const {
        if (factor == 1.0) return px(twips);
        const double pixels = twips * factor / kTwipsPerPixel;
        return static_cast<int>(pixels + 0.5);
    }
    constexpr int extent(int start, int length) const {
        return factor == 1.0 ? px(length) : (*this)(start + length) - (*this)(start);
    }
};

// System colours by number.
constexpr Colour kSystem = 0x80000000;
constexpr Colour kWindowBackground = kSystem | 5;
constexpr Colour kWindowText = kSystem | 8;
constexpr Colour kButtonFace = kSystem | 15;  // the 3-D face colour
constexpr Colour kButtonText = kSystem | 18;
constexpr Colour kFormBack = kSystem | 19;    // the form's own background

// The system colours as the classic desktop scheme paints them, where no
// desktop gives them: on the page, and the form's own background outside
// Windows (the inactive title-bar text colour, which has no counterpart
// elsewhere). A colour that is not a system colour stays as it is.
constexpr Colour classicColour(Colour colour) {
    if ((colour & kSystem) == 0) return colour;
    switch (colour & 0xFF) {
    case 5: return rgb(255, 255, 255);  // a field's face
    case 8: return rgb(0, 0, 0);        // a field's text
    case 15: return rgb(239, 239, 239); // a button's face
    case 18: return rgb(0, 0, 0);       // a button's text
    case 19: return rgb(212, 208, 200); // the form
    default: return rgb(239, 239, 239);
    }
}

// The longest text a field or the input box takes, in characters: far
// more than any number, and a pasted page of text stays quick.
constexpr int kFieldLimit = 40000;

constexpr const char* kTitle = "Viramont";
constexpr int kClientWidth = 17160;   // twips: 1144 px
constexpr int kClientHeight = 12450;  // twips: 830 px

constexpr FontStyle kSansBold{"MS Sans Serif", 13.5, true, false};

// The largest scale, in thousandths and at most 1, at which a client area
// of the layout's size fits into `width` x `height` pixels; never less than
// `smallest`.
inline double fitScale(double width, double height, double smallest) {
    const double across = width / px(kClientWidth), down = height / px(kClientHeight);
    const double fit = std::floor(std::min(across, down) * 1000.0) / 1000.0;
    return std::clamp(fit, smallest, 1.0);
}

// The face names of the layout stand for fonts with Cyrillic glyphs:
// "Arial" for the metric-compatible Liberation Sans; "MS Sans Serif" and
// "Microsoft Sans Serif", whose widths are close to Arial's, for Liberation
// Sans as well. kFallbackFamily stands behind every face.
inline constexpr const char* kFallbackFamily = "DejaVu Sans";
constexpr const char* familyOf(std::string_view face) {
    return face == "Arial" || face == "MS Sans Serif" || face == "Microsoft Sans Serif" ? "Liberation Sans"
                                                                                      : face.data();
}
// A font's size in logical pixels: its points at 96 dpi, so text keeps its
// size against the fixed pixel layout on any screen, scaled with the form.
inline int fontPixels(double points, double scale) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0 * scale));
}

// In order of creation.
inline constexpr std::array<ControlRow, 23> kControls{{
    {"Picture2", Kind::Picture, 12600, 7680, 4335, 3855, "", kSansBold, 0x00008000, 0x00E0E0E0, Align::Left, 22},
    {"ВЫБОР", Kind::Button, 13680, 3480, 2295, 1095, " ВЫБОР ПАРАМЕТРОВ", kSansBold, kButtonText, 0x00FFC0C0, Align::Centre, 21},
    {"Text7", Kind::TextBox, 5520, 2880, 1095, 615, "10", kSansBold, kWindowText, kWindowBackground, Align::Centre, 18},
    {"Text6", Kind::TextBox, 2520, 2880, 1215, 615, "0", kSansBold, kWindowText, kWindowBackground, Align::Centre, 17},
    {"Picture1", Kind::Picture, 0, 3720, 12375, 7815, "", kSansBold, kButtonText, kButtonFace, Align::Left, 16},
    {"Command3", Kind::Button, 13800, 6600, 2055, 615, "ВЫХОД", kSansBold, kButtonText, 0x00C0C000, Align::Centre, 15},
    {"Text5", Kind::TextBox, 3240, 1800, 3735, 615, "Text5", kSansBold, kWindowText, kWindowBackground, Align::Left, 14},
    {"Text4", Kind::TextBox, 15600, 2160, 1215, 495, "1", kSansBold, kWindowText, kWindowBackground, Align::Centre, 8},
    {"Text3", Kind::TextBox, 15600, 1440, 1215, 495, "1", kSansBold, kWindowText, kWindowBackground, Align::Centre, 7},
    {"Text2", Kind::TextBox, 11040, 2160, 1215, 495, "1", kSansBold, kWindowText, kWindowBackground, Align::Centre, 4},
    {"Text1", Kind::TextBox, 11040, 1440, 1215, 495, "1", kSansBold, kWindowText, kWindowBackground, Align::Centre, 3},
    {"Command1", Kind::Button, 13680, 5040, 2295, 1095, " ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ", kSansBold, kButtonText, 0x00FFC0C0, Align::Centre, 1},
    {"Combo1", Kind::ComboBox, 720, 1800, 2295, 480, "ФУНКЦИИ", kSansBold, kWindowText, kWindowBackground, Align::Left, 0},
    {"Label11", Kind::Label, 3960, 2760, 1215, 735, "конец отрезка", {"Arial", 14.25, false, false}, kButtonText, kFormBack, Align::Centre, 20},
    {"Label9", Kind::Label, 1080, 2760, 1215, 735, "начало отрезка", {"Arial", 14.25, false, false}, kButtonText, kFormBack, Align::Centre, 19},
    {"Label8", Kind::Label, 3000, 720, 4095, 975, "ФОРМУЛА ПРЕБРАЗОВАННОЙ ФУНКЦИИ", {"Arial", 14.25, true, false}, 0x000000C0, kFormBack, Align::Centre, 13},
    {"Label7", Kind::Label, 9240, 720, 6255, 615, "ПАРАМЕТРЫ ПРЕБРАЗОВАНИЯ", kSansBold, 0x000000C0, kFormBack, Align::Centre, 12},
    {"Label6", Kind::Label, 720, 720, 2295, 735, " ВЫБЕРИ ФУНКЦИЮ", {"Arial", 14.25, true, false}, 0x000000C0, kFormBack, Align::Centre, 11},
    {"Label5", Kind::Label, 12720, 2160, 2295, 495, " СДВИГ ПО ОСИ У", {"Arial", 12, true, false}, 0x00C00000, kFormBack, Align::Left, 10},
    {"Label4", Kind::Label, 12720, 1560, 2295, 495, " СДВИГ ПО ОСИ Х", {"Arial", 12, true, false}, 0x00C00000, kFormBack, Align::Left, 9},
    // The O of "ПO" in the next two captions is a Latin capital O.
    {"Label3", Kind::Label, 6960, 1440, 3615, 495, "КОЭФ-Т СЖАТИЯ ПO ОСИ У", {"Arial", 12, true, false}, 0x00C00000, kFormBack, Align::Centre, 6},
    {"Label2", Kind::Label, 7080, 2160, 3615, 495, "КОЭФ-Т СЖАТИЯ ПO ОСИ Х", {"Arial", 12, true, false}, 0x00C00000, kFormBack, Align::Centre, 5},
    {"Label1", Kind::Label, 2640, 120, 11655, 375, "Viramont", {"Microsoft Sans Serif", 18, true, true}, kButtonText, kFormBack, Align::Centre, 2},
}};

// The row of a control by its name.
constexpr const ControlRow& controlNamed(std::string_view name) {
    for (const ControlRow& control : kControls) {
        if (name == control.name) return control;
    }
    throw std::out_of_range("no control of that name in the layout");
}

// Whether Text5's text is a formula to put over a copied picture: not
// blank, and not the field's initial text.
constexpr bool showsFormula(std::string_view text5) {
    if (text5.find_first_not_of(" \t\n\r") == std::string_view::npos) return false;
    return text5 != controlNamed("Text5").text;
}

// The sunken 3-D border of a canvas, in logical pixels on each side; the
// drawing area is the control's box less the border.
constexpr int kCanvasBorder = 2;

struct PixelSize {
    int width, height;
};
// The drawing area of a canvas of the layout at scale 1, in logical pixels.
constexpr PixelSize canvasArea(std::string_view name) {
    const ControlRow& c = controlNamed(name);
    return {px(c.width) - 2 * kCanvasBorder, px(c.height) - 2 * kCanvasBorder};
}

// The paper that the step sheet, the cards and the saved pictures are on,
// the ink on it, and the grey of the frames and edges drawn on it.
inline constexpr Colour kPaper = rgb(255, 255, 255);
inline constexpr Colour kPaperInk = rgb(0, 0, 0);
inline constexpr Colour kFrameGrey = rgb(170, 170, 170);

// The step sheet (plot/steps.h; views/sheet.h places its parts): the graph
// of each step in a canvas of its own with this drawing area in logical
// pixels, black on white like paper, its labels in the small font; the
// headings, formulas and sentences above the graphs in the two text fonts.
inline constexpr PixelSize kStepGraph{330, 210};
inline constexpr FontStyle kStepGraphFont{"Arial", 9, false, false};
inline constexpr Colour kStepGraphFore = kPaperInk;
inline constexpr Colour kStepGraphBack = kPaper;
inline constexpr FontStyle kStepHeadingFont{"Arial", 11, true, false};

// How a canvas looks: its fore and back colour (system colours as the
// layout gives them) and its font.
struct CanvasLook {
    Colour fore, back;
    FontStyle font;
};
// A canvas that looks as the form's canvas `control` (the practice
// picture, as Picture1).
constexpr CanvasLook canvasLook(std::string_view control) {
    const ControlRow& row = controlNamed(control);
    return {row.fore, row.back, row.font};
}
// A graph of the step sheet or of a card.
inline constexpr CanvasLook kStepGraphLook{kStepGraphFore, kStepGraphBack, kStepGraphFont};
inline constexpr FontStyle kStepTextFont{"Arial", 11, false, false};

// The caption that names a field or canvas for screen readers.
struct AccessibleName {
    const char* control;
    const char* name;
};
inline constexpr std::array<AccessibleName, 10> kAccessibleNames{{
    {"Combo1", "ВЫБЕРИ ФУНКЦИЮ"},
    {"Text1", "КОЭФ-Т СЖАТИЯ ПO ОСИ У"},
    {"Text2", "КОЭФ-Т СЖАТИЯ ПO ОСИ Х"},
    {"Text3", "СДВИГ ПО ОСИ Х"},
    {"Text4", "СДВИГ ПО ОСИ У"},
    {"Text5", "ФОРМУЛА ПРЕБРАЗОВАННОЙ ФУНКЦИИ"},
    {"Text6", "начало отрезка"},
    {"Text7", "конец отрезка"},
    {"Picture1", "Графики функций"},
    {"Picture2", "Легенда"},
}};

// The field that shows the program's output rather than taking input: read
// as read-only by screen readers.
inline constexpr const char* kOutputField = "Text5";

} // namespace viramont::layout
