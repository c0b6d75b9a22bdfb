#include "views/sheet.h"

#include <algorithm>
#include <cmath>

namespace viramont::view {

namespace {

// "y = Sin(3x+1)" of "y = Sin(3(x+1/3)) = Sin(3x+1)": the formula that ends
// a step's formula.
std::string finalFormula(const StepChain& chain) {
    const std::string& last = chain.steps.empty() ? chain.baseFormula : chain.steps.back().formula;
    return "y = " + last.substr(last.rfind(" = ") + 3);
}

// The parts of `text` between the `separator`s.
std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
        parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace

std::vector<std::string> wrappedLines(const std::string& text, const layout::FontStyle& font, double width,
                                      const TextMetrics& metrics) {
    std::vector<std::string> lines;
    for (const std::string& paragraph : split(text, '\n')) {
        std::string line;
        for (const std::string& word : split(paragraph, ' ')) {
            const std::string tried = line.empty() ? word : line + " " + word;
            if (!line.empty() && metrics.width(tried, font) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = tried;
            }
        }
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

layout::FontStyle SheetLook::titleFont() const {
    layout::FontStyle font = headingFont;
    font.points *= titleScale;
    return font;
}

SheetText describeSheet(const StepChain& chain) {
    SheetText sheet;
    sheet.title = std::string(kStepSheetTitle) + ": " + finalFormula(chain);
    auto add = [&](const std::string& heading, const std::string& formula, const std::string& sentence) {
        sheet.cells.push_back({heading, formula, sentence, heading + ". " + formula});
    };
    add(kBaseGraphHeading, chain.baseFormula, kBaseGraphSentence);
    for (const TransformStep& step : chain.steps) add(step.heading, step.formula, step.sentence);
    sheet.key = kStepColoursKey;
    if (!chain.leftOut.empty()) {
        sheet.leftOut = kLeftOutHeading;
        for (const std::string& line : chain.leftOut) sheet.leftOut += "\n" + line;
    }
    return sheet;
}

SheetPicture sheetPicture(const SheetText& sheet, const std::vector<std::string>& notes, const TextMetrics& metrics,
                          const SheetLook& look) {
    SheetPicture picture;
    auto lineHeight = [&](const layout::FontStyle& font) { return std::ceil(metrics.lineHeight(font)) + look.lineGap; };
    const double cellWidth = look.cellWidth(), graphHeight = look.graph.height + 2.0 * look.graphEdge;
    const std::size_t columns =
        std::max<std::size_t>(1, std::min<std::size_t>(static_cast<std::size_t>(look.columns), sheet.cells.size()));

    // The title, the key and the moves left out are broken to the width of
    // the look's columns: the sheet never grows wider for them.
    const double inner = double(look.columns) * cellWidth + double(look.columns - 1) * look.cellGapX;
    double y = look.marginTop;
    const layout::FontStyle titleFont = look.titleFont();
    std::size_t block = 0;
    for (const std::string& line : wrappedLines(sheet.title, titleFont, inner, metrics)) {
        picture.lines.push_back({line, titleFont, look.ink, double(look.marginLeft), y, SheetRole::Title, block});
        y += lineHeight(titleFont);
    }
    ++block;
    y += look.blockGap;

    // Each cell's lines, then the rows as high as their highest cell.
    for (std::size_t row = 0; row * columns < sheet.cells.size(); ++row) {
        double rowHeight = 0;
        for (std::size_t i = row * columns; i < std::min(sheet.cells.size(), (row + 1) * columns); ++i) {
            const SheetCell& cell = sheet.cells[i];
            const double x = look.marginLeft + double(i % columns) * (cellWidth + look.cellGapX);
            double at = y;
            auto write = [&](const std::string& text, const layout::FontStyle& font, Colour ink, SheetRole role) {
                for (const std::string& line : wrappedLines(text, font, cellWidth, metrics)) {
                    picture.lines.push_back({line, font, ink, x, at, role, block});
                    at += lineHeight(font);
                }
                ++block;
            };
            write(cell.heading, look.headingFont, look.ink, SheetRole::Heading);
            write(cell.formula, look.headingFont, look.ink, SheetRole::Formula);
            write(cell.sentence, look.textFont, look.ink, SheetRole::Sentence);
            picture.graphs.push_back({i, x, at});
            at += graphHeight + look.lineGap;
            if (i < notes.size() && !notes[i].empty()) write(notes[i], look.textFont, look.noteInk, SheetRole::Note);
            rowHeight = std::max(rowHeight, at - y);
        }
        y += rowHeight + look.cellGapY;
    }
    y += look.blockGap - look.cellGapY;

    const double width = look.marginLeft + inner + look.marginRight;
    for (const std::string* paragraph : {&sheet.key, &sheet.leftOut}) {
        if (paragraph->empty()) continue;
        const SheetRole role = paragraph == &sheet.key ? SheetRole::Key : SheetRole::LeftOut;
        for (const std::string& line : wrappedLines(*paragraph, look.textFont, inner, metrics)) {
            picture.lines.push_back({line, look.textFont, look.ink, double(look.marginLeft), y, role, block});
            y += lineHeight(look.textFont);
        }
        ++block;
        y += look.blockGap - look.lineGap;
    }
    picture.width = width;
    picture.height = y - look.blockGap + look.lineGap + look.marginBottom;
    return picture;
}

std::vector<PlacedParagraph> paragraphsOf(const SheetPicture& picture) {
    std::vector<PlacedParagraph> paragraphs;
    for (std::size_t i = 0; i < picture.lines.size(); ++i) {
        const PlacedLine& line = picture.lines[i];
        if (i > 0 && picture.lines[i - 1].block == line.block) {
            paragraphs.back().text += "\n" + line.text;
        } else {
            paragraphs.push_back({line.role, line.text, line.font, line.ink, line.x, line.y});
        }
    }
    return paragraphs;
}

} // namespace viramont::view
