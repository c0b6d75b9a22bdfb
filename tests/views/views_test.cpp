// The descriptions both front ends draw: the picture's composition, the step
// sheet's text and places, and which commands the menu offers.

#include "form_kit.h"
#include "params/intake.h"
#include "plot/redraw.h"
#include "plot/steps.h"
#include "views/link.h"
#include "views/menu.h"
#include "views/page_form.h"
#include "views/picture.h"
#include "views/practice.h"
#include "views/sheet.h"
#include "toolkit/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <bit>
#include <cctype>
#include <cmath>
#include <ostream>
#include <string>

namespace viramont::view {
namespace {

// The canvases of the form at scale 1: Picture1's and Picture2's drawing areas.
constexpr Box kGraph{2, 250, 821, 517}, kLegend{842, 514, 285, 253};

TEST(PictureLayout, PutsTheFormulaLineOverTheCanvasesInTheirArrangement) {
    struct Row {
        const char* what;
        const char* formula;
        double formulaWidth;
        double width, height;  // of the picture
    };
    const double canvasesWidth = 1127 - 2, canvasesHeight = 767 - 250, band = 20 + 2 * kFormulaMargin;
    const Row rows[] = {
        {"no formula line", "", 0, canvasesWidth, canvasesHeight},
        {"a short formula", "4+2Sin(3x+1)", 150.2, canvasesWidth, band + canvasesHeight},
        {"a formula wider than the canvases", "x", 1500.5, 1501 + 2 * kFormulaMargin, band + canvasesHeight},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const PictureLayout layout = pictureLayout(kGraph, kLegend, row.formula, row.formulaWidth, 19.6);
        EXPECT_EQ(layout.hasFormula, *row.formula != '\0');
        EXPECT_DOUBLE_EQ(layout.width, row.width);
        EXPECT_DOUBLE_EQ(layout.height, row.height);
        const double top = layout.hasFormula ? band : 0;
        // The canvases keep their distance; the picture starts at their edges.
        EXPECT_DOUBLE_EQ(layout.graph.x, 0);
        EXPECT_DOUBLE_EQ(layout.graph.y, top);
        EXPECT_DOUBLE_EQ(layout.legend.x, kLegend.x - kGraph.x);
        EXPECT_DOUBLE_EQ(layout.legend.y, top + kLegend.y - kGraph.y);
        if (layout.hasFormula) {
            EXPECT_DOUBLE_EQ(layout.formula.x, kFormulaMargin);
            EXPECT_DOUBLE_EQ(layout.formula.y, kFormulaMargin);
        }
    }
    EXPECT_EQ(formulaLine("Text5"), "") << "the field's initial text";
    EXPECT_EQ(formulaLine("  "), "");
    EXPECT_EQ(formulaLine("4+2Sin(3x+1)"), "4+2Sin(3x+1)");
}

StepChain exampleChain() {
    test::FakeWindow w;
    w.pick(fn::kSin);
    for (auto [field, text] : {std::pair{&w.text1, "2"}, {&w.text2, "3"}, {&w.text3, "1"}, {&w.text4, "4"}}) {
        field->setText(text);
    }
    ВЫБОР_Click(w.form);
    return ComposeSteps(w.form.state);
}

TEST(Sheet, SaysWhatTheStepsAreAndPlacesEveryPart) {
    const SheetText sheet = describeSheet(exampleChain());
    EXPECT_EQ(sheet.title, "Построение по шагам: y = 4+2Sin(3x+1)");
    ASSERT_EQ(sheet.cells.size(), 5u);
    EXPECT_EQ(sheet.cells[0].spokenName, "Исходный график. y = Sin(x)");
    EXPECT_EQ(sheet.cells[2].sentence, "Сдвиг вдоль оси Ox на 1/3 влево");
    EXPECT_EQ(sheet.leftOut, "");

    // Letters 7 pixels wide, lines 15 high: a sentence wider than a cell
    // breaks between words; a note goes under its graph in its own ink.
    const TextMetrics metrics{[](const std::string& text, const layout::FontStyle&) { return 7.0 * text.size(); },
                              [](const layout::FontStyle&) { return 15.0; }};
    const std::vector<std::string> notes{"", "", "", "", "Красный график не построен: нет ни одной точки."};
    const SheetLook& look = kSheetLook;
    const SheetPicture picture = sheetPicture(sheet, notes, metrics);
    ASSERT_EQ(picture.graphs.size(), 5u);
    const double step = look.cellWidth() + look.cellGapX;
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(picture.graphs[i].x, look.marginLeft + double(i % 3) * step) << i;
    }
    for (std::size_t i = 3; i < 5; ++i) {
        for (std::size_t above = 0; above < 3; ++above) {
            EXPECT_GT(picture.graphs[i].y, picture.graphs[above].y + look.graph.height) << "the second row below the first";
        }
    }
    EXPECT_DOUBLE_EQ(picture.width, look.marginLeft + 3 * look.cellWidth() + 2 * look.cellGapX + look.marginRight);
    bool noted = false;
    for (const PlacedLine& line : picture.lines) {
        EXPECT_LE(line.x + 7.0 * line.text.size(), picture.width - look.marginRight + 1e-9) << line.text;
        EXPECT_LE(line.y + 15 + look.lineGap, picture.height - look.marginBottom + look.lineGap) << line.text;
        if (line.ink == look.noteInk) {
            noted = true;
            EXPECT_GT(line.y, picture.graphs[4].y + look.graph.height) << "under its graph";
        }
        // No line of a cell runs into a graph.
        for (const PlacedGraph& g : picture.graphs) {
            const bool across = line.x < g.x + look.cellWidth() && line.x + 7.0 * line.text.size() > g.x;
            const bool down = line.y < g.y + look.graph.height + 2 * look.graphEdge && line.y + 15 > g.y;
            EXPECT_FALSE(across && down) << line.text;
        }
    }
    EXPECT_TRUE(noted);
    EXPECT_EQ(picture.lines.back().text, kStepColoursKey);

    // In one column, as on a phone: nothing wider than the column, the
    // title broken to it, each text one paragraph with its role.
    SheetLook narrow = look;
    narrow.columns = 1;
    const SheetPicture phone = sheetPicture(sheet, notes, metrics, narrow);
    EXPECT_DOUBLE_EQ(phone.width, look.marginLeft + look.cellWidth() + look.marginRight);
    for (const PlacedLine& line : phone.lines) {
        EXPECT_LE(line.x + 7.0 * line.text.size(), phone.width - look.marginRight + 1e-9) << line.text;
    }
    const auto unbroken = [](std::string text) {
        std::replace(text.begin(), text.end(), '\n', ' ');
        return text;
    };
    const std::vector<PlacedParagraph> paragraphs = paragraphsOf(phone);
    ASSERT_EQ(paragraphs.front().role, SheetRole::Title);
    EXPECT_NE(paragraphs.front().text.find('\n'), std::string::npos);
    EXPECT_EQ(unbroken(paragraphs.front().text), sheet.title);
    std::vector<std::string> sentences;
    for (const PlacedParagraph& p : paragraphs) {
        if (p.role == SheetRole::Sentence) sentences.push_back(unbroken(p.text));
    }
    ASSERT_EQ(sentences.size(), sheet.cells.size());
    for (std::size_t i = 0; i < sentences.size(); ++i) EXPECT_EQ(sentences[i], sheet.cells[i].sentence);
}

TEST(Menu, OffersTheStepSheetOnceAPlotHasDrawn) {
    test::FakeWindow w;
    LastPlot last;
    EXPECT_TRUE(offers(Command::Save, last));
    EXPECT_FALSE(offers(Command::Steps, last));
    w.pick(fn::kSin);
    ВЫБОР_Click(w.form);
    last.pressStarts(w.form.state, 0);
    last.pressEnded(1);  // the plot cleared the canvas for its axes
    EXPECT_TRUE(offers(Command::Steps, last));
    EXPECT_TRUE(offers(Command::Link, last));
    EXPECT_FALSE(offers(Command::Link, LastPlot()));
}

// Letters 0.6 of the font's pixels wide, lines 1.15 of them high.
const TextMetrics kRoughMetrics{
    [](const std::string& text, const layout::FontStyle& font) {
        return 0.6 * layout::fontPixels(font.points, 1.0) * double(utf8::characterCount(text));
    },
    [](const layout::FontStyle& font) { return 1.15 * layout::fontPixels(font.points, 1.0); }};

struct ScreenCase {
    const char* what;
    double width, height, dpr;
    bool column;
};
void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.what; }

class PageFormOn : public testing::TestWithParam<ScreenCase> {};

TEST_P(PageFormOn, KeepsTextReadableAndEveryControlOnTheScreen) {
    const ScreenCase& screen = GetParam();
    const PageForm form = placeForm(screen.width, screen.height, screen.dpr, kRoughMetrics);
    ASSERT_EQ(form.column, screen.column);
    ASSERT_EQ(form.controls.size(), layout::kControls.size());
    EXPECT_LE(form.left + form.width, screen.width) << "nothing scrolls sideways";
    if (!form.column) {
        EXPECT_LE(form.height, screen.height) << "the scaled form fits without scrolling";
    }
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        const PlacedControl& c = form.controls[i];
        SCOPED_TRACE(c.row->name);
        EXPECT_EQ(c.row, &layout::kControls[i]);
        const double text = c.row->font.points * 96.0 / 72.0 * c.fontScale;
        EXPECT_GE(text, form.column ? kColumnText : kSmallestText);
        EXPECT_GE(c.left, 0);
        EXPECT_LE(c.left + c.width, form.width + 1e-9);
        EXPECT_LE(c.top + c.height, form.height + 1e-9);
        if (form.column && c.row->kind != layout::Kind::Label) {
            EXPECT_GE(c.height, kTouchTarget);
        }
        if (c.row->kind == layout::Kind::Picture) {
            // The device pixels of the canvas's box on the screen, in the
            // proportions of its logical ones.
            const layout::PixelSize area = layout::canvasArea(c.row->name);
            const double border = 2.0 * layout::kCanvasBorder;
            EXPECT_NEAR(c.deviceWidth, (c.width - border) * screen.dpr, 0.5);
            EXPECT_NEAR(c.deviceHeight, (c.height - border) * screen.dpr, 1e-6);
            EXPECT_NEAR(c.deviceHeight, area.height * c.deviceWidth / double(area.width), 0.5);
            EXPECT_DOUBLE_EQ(c.ratio, c.deviceWidth / double(area.width));
        }
        // In the column no two controls share a pixel.
        for (std::size_t j = 0; form.column && j < i; ++j) {
            const PlacedControl& d = form.controls[j];
            const bool across = c.left < d.left + d.width && d.left < c.left + c.width;
            const bool down = c.top < d.top + d.height && d.top < c.top + c.height;
            EXPECT_FALSE(across && down) << "over " << d.row->name;
        }
    }
}

// The phone and tablet either way, a netbook and the window's own size.
INSTANTIATE_TEST_SUITE_P(Screens, PageFormOn,
                         testing::Values(ScreenCase{"phone upright", 390, 844, 3, true},
                                         ScreenCase{"phone turned", 844, 390, 3, true},
                                         ScreenCase{"small phone", 320, 568, 2, true},
                                         ScreenCase{"tablet upright", 768, 1024, 2, true},
                                         ScreenCase{"tablet turned", 1024, 768, 2, false},
                                         ScreenCase{"netbook", 1024, 600, 1, false},
                                         ScreenCase{"the form's size", 1144, 830, 1.25, false}),
                         [](const auto& info) {
                             std::string name = info.param.what;
                             for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

TEST(PageForm, AtTheFormsSizeIsTheLayoutItself) {
    const PageForm form = placeForm(1144, 830, 1, kRoughMetrics);
    ASSERT_FALSE(form.column);
    EXPECT_EQ(form.width, layout::px(layout::kClientWidth));
    for (const PlacedControl& c : form.controls) {
        SCOPED_TRACE(c.row->name);
        EXPECT_EQ(c.left, layout::px(c.row->left));
        EXPECT_EQ(c.top, layout::px(c.row->top));
        EXPECT_EQ(c.width, layout::px(c.row->width));
        EXPECT_EQ(c.height, layout::px(c.row->height));
        if (c.row->kind == layout::Kind::Picture) {
            EXPECT_EQ(c.ratio, 1.0);
        }
    }
}

TEST(PageForm, ColumnGoesDownInTheOrderAPupilWorks) {
    const PageForm form = placeForm(390, 844, 3, kRoughMetrics);
    const auto top = [&](std::string_view name) {
        for (const PlacedControl& c : form.controls) {
            if (name == c.row->name) return c.top;
        }
        return -1.0;
    };
    const char* order[] = {"Label1", "Combo1", "Text5", "Text1", "Text2", "Text3", "Text4", "Text6", "Text7",
                           "ВЫБОР",  "Command1", "Command3", "Picture1", "Picture2"};
    for (std::size_t i = 1; i < std::size(order); ++i) EXPECT_GT(top(order[i]), top(order[i - 1])) << order[i];
    const auto middle = [&](std::string_view name) {
        for (const PlacedControl& c : form.controls) {
            if (name == c.row->name) return c.top + c.height / 2;
        }
        return -1.0;
    };
    for (auto [caption, field] : {std::pair{"Label3", "Text1"}, {"Label11", "Text7"}}) {
        EXPECT_NEAR(middle(caption), middle(field), 0.5) << caption << " beside " << field;
    }
}

struct LinkCase {
    const char* fragment;
    const char* function;  // "" for none
    std::array<const char*, 6> fields;  // nullptr: not given
    const char* base;
};

TEST(Link, ReadsTheFieldsAndFunctionAndNothingElse) {
    const LinkCase cases[] = {
        {"fn=sin&A=2&k=3&b=1&C=4&from=0&to=10", fn::kSin, {"2", "3", "1", "4", "0", "10"}, nullptr},
        {"#fn=log&a=3&A=-0,5", fn::kLogBase, {"-0,5", nullptr, nullptr, nullptr, nullptr, nullptr}, "3"},
        {"fn=x2&k=%2D2%2C5&b=1e400&to=7abc", fn::kSquare, {nullptr, "-2,5", "1e400", nullptr, nullptr, "7abc"},
         nullptr},
        {"fn=tan&A&=5&run=alert(1)&C=%3Cb%3E&from=%zz", "", {nullptr, nullptr, nullptr, "<b>", "%zz", nullptr},
         nullptr},
        {"fn=ln&fn=cos&A=1&A=2", fn::kCos, {"2", nullptr, nullptr, nullptr, nullptr, nullptr}, nullptr},
        {"", "", {}, nullptr},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.fragment);
        const LinkPlot link = readLink(c.fragment);
        EXPECT_EQ(link.function.value_or(""), c.function);
        for (std::size_t i = 0; i < kLinkFields.size(); ++i) {
            EXPECT_EQ(link.fields[i].has_value(), c.fields[i] != nullptr) << kLinkFields[i].key;
            if (c.fields[i] && link.fields[i]) {
                EXPECT_EQ(*link.fields[i], c.fields[i]);
            }
        }
        EXPECT_EQ(link.base.value_or("none"), c.base ? c.base : "none");
    }
    EXPECT_EQ(readLink("A=" + std::string(50000, '1')).fields[0]->size(), std::size_t(layout::kFieldLimit));
}

// The inputs of ВЫБОР for typed texts, as a link given to a new form
// fills and presses them.
FormState chosen(const std::string& function, const std::array<std::string, 6>& texts, const std::string& base,
                 const LinkPlot* link = nullptr) {
    test::FakeWindow w;
    test::FakeField* fields[] = {&w.text1, &w.text2, &w.text3, &w.text4, &w.text6, &w.text7};
    LinkBoxes boxes(w.dialogs);
    Form form = test::formOver(w, w.picture1, w.picture2, boxes);
    for (std::size_t i = 0; i < 6; ++i) {
        fields[i]->setText(link ? link->fields[i].value_or("") : texts[i]);
    }
    w.FakeControls::pick(form, link ? link->function.value_or("") : function);
    boxes.answerNextInput(link ? link->base : std::optional<std::string>(base));
    ВЫБОР_Click(form);
    EXPECT_TRUE(w.dialogs.prompts.empty()) << "the base box is answered by the link";
    return form.state;
}

TEST(Link, OfAPlotGivesTheSameInputsBack) {
    struct Row {
        const char* function;
        std::array<std::string, 6> texts;
        const char* base;
    };
    const Row rows[] = {
        {fn::kSin, {"2", "3", "1", "4", "0", "10"}, ""},
        {fn::kCos, {"0,1", "-0.3", "1e-7", "3,3333333", "-2047", "2047"}, ""},
        {fn::kSquare, {"16777217", "0", "0.1", "-0", "1.5e3", "0.1"}, ""},
        {fn::kLogBase, {"0.7", "2.718281828459045", "1", "0", "0.5", "9"}, "3"},
        {fn::kLog, {"1", "1", "1", "1", "1", "100"}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.function);
        const FormState typed = chosen(row.function, row.texts, row.base);
        const std::string fragment = linkFragment(typed);
        SCOPED_TRACE(fragment);
        const LinkPlot link = readLink(fragment);
        const FormState opened = chosen("", {}, "", &link);
        EXPECT_EQ(opened.FunctionName, typed.FunctionName);
        EXPECT_EQ(opened.FormulaText, typed.FormulaText);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(opened.StretchY), std::bit_cast<std::uint32_t>(typed.StretchY));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(opened.ShiftY), std::bit_cast<std::uint32_t>(typed.ShiftY));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(opened.XEnd), std::bit_cast<std::uint32_t>(typed.XEnd));
        for (auto [a, b] : {std::pair{opened.StretchX, typed.StretchX}, {opened.ShiftX, typed.ShiftX},
                            {opened.XStart, typed.XStart}}) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(a.value()), std::bit_cast<std::uint64_t>(b.value()));
        }
        EXPECT_EQ(opened.LogBase, typed.LogBase);
    }
    EXPECT_EQ(plotLink(chosen(fn::kSin, {"2", "3", "1", "4", "0", "10"}, "")),
              "viramont.html#fn=sin&A=2&k=3&b=1&C=4&from=0&to=10");
}

// Every page: the set number at its foot; every line, frame and picture
// inside the margins; four cards a page; then the key, each variant whole
// on one page, every variant once.
TEST(CardsSheets, KeepEveryPartOnItsPageAndEachVariantWhole) {
    for (const int variants : {1, 4, 5, 8, 30}) {
        SCOPED_TRACE(variants);
        const practice::CardSet set = practice::makeCards(variants, 17, practice::Level::AllFour);
        const std::vector<CardsSheet> sheets = cardsSheets(set, kRoughMetrics);
        const CardsPage& page = kCardsPage;
        const int cardPages = (variants + 3) / 4;
        ASSERT_GT(int(sheets.size()), cardPages);
        const auto inside = [&](double x, double y, double w, double h) {
            return x >= page.margin - 1e-9 && y >= page.margin - 1e-9 && x + w <= page.width - page.margin + 1e-9 &&
                   y + h <= page.height - page.margin + 1e-9;
        };
        std::vector<int> keyPage(std::size_t(variants) + 1, -1);
        for (std::size_t p = 0; p < sheets.size(); ++p) {
            const CardsSheet& sheet = sheets[p];
            const bool ofCards = int(p) < cardPages;
            EXPECT_EQ(sheet.lines.front().text, "Набор 17");
            EXPECT_EQ(sheet.graphs.size(), ofCards ? std::min<std::size_t>(4, std::size_t(variants) - 4 * p) : 0u);
            EXPECT_EQ(sheet.frames.size(), sheet.graphs.size());
            for (const CardsGraph& g : sheet.graphs) {
                EXPECT_EQ(g.card / 4, p);
                EXPECT_TRUE(inside(g.box.x, g.box.y, g.box.width, g.box.height));
                EXPECT_NEAR(g.box.width / g.box.height, double(layout::kStepGraph.width) / layout::kStepGraph.height, 1e-9);
            }
            for (const CardsLine& line : sheet.lines) {
                const double height = kRoughMetrics.lineHeight(line.font) * kMmPerPixel;
                EXPECT_TRUE(inside(line.x, line.y, kRoughMetrics.width(line.text, line.font) * kMmPerPixel, height))
                    << line.text;
                if (!ofCards && line.text.rfind("Вариант ", 0) == 0) {
                    const int n = std::stoi(line.text.substr(std::string("Вариант ").size()));
                    EXPECT_EQ(keyPage[std::size_t(n)], -1) << "once in the key";
                    keyPage[std::size_t(n)] = int(p);
                }
            }
            if (!ofCards) {
                EXPECT_EQ(sheet.lines[1].text, "Ответы");
            }
        }
        for (int n = 1; n <= variants; ++n) EXPECT_GE(keyPage[std::size_t(n)], cardPages) << n;
    }
}


} // namespace
} // namespace viramont::view
