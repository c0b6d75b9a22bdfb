#include "views/practice.h"


#include <algorithm>
#include <optional>

namespace viramont::view {

std::vector<std::string> solutionLines(const practice::Solution& solution) {
    std::vector<std::string> lines{solution.formula, solution.numbers};
    for (const TransformStep& step : solution.chain.steps) lines.push_back(step.heading + ": " + step.sentence);
    return lines;
}

std::string rangeCaption(const char* name, int low, int high) {
    return std::string(name) + " (" + std::to_string(low) + "–" + std::to_string(high) + "):";
}

std::string notAWholeNumber(const char* label) {
    std::string name(label);
    if (!name.empty() && name.back() == ':') name.pop_back();
    return "В поле «" + name + "» нужно целое число.";
}

std::vector<std::string> cardLines(const practice::Task& card) {
    return {practice::kCardTask, practice::baseFunctionLine(card)};
}

std::vector<std::string> keyLines(const practice::KeyEntry& entry) {
    return {entry.formula, entry.numbers, "Шаги: " + entry.steps};
}

namespace {

// Lines set from the top down in a column, each paragraph wrapped to its
// width, in millimetres.
class Column {
public:
    Column(const TextMetrics& metrics, double x, double y, double width) : metrics_(metrics), x_(x), y_(y), width_(width) {}
    double lineHeight(const layout::FontStyle& font) const { return metrics_.lineHeight(font) * kMmPerPixel; }
    std::vector<std::string> wrap(const std::string& text, const layout::FontStyle& font) const {
        return wrappedLines(text, font, width_ / kMmPerPixel, metrics_);
    }
    // The height the paragraph takes, its gap after it included.
    double height(const std::string& text, const layout::FontStyle& font, double gap) const {
        return double(wrap(text, font).size()) * lineHeight(font) + gap;
    }
    void add(std::vector<CardsLine>& lines, const std::string& text, const layout::FontStyle& font, double gap) {
        for (std::string& line : wrap(text, font)) {
            lines.push_back({std::move(line), font, x_, y_});
            y_ += lineHeight(font);
        }
        y_ += gap;
    }
    double y() const { return y_; }

private:
    const TextMetrics& metrics_;
    double x_, y_, width_;
};

} // namespace

std::vector<CardsSheet> cardsSheets(const practice::CardSet& set, const TextMetrics& metrics, const CardsPage& page) {
    std::vector<CardsSheet> sheets;
    const auto newSheet = [&] {
        CardsSheet& sheet = sheets.emplace_back();
        const double footerTop = page.height - page.margin - metrics.lineHeight(page.footer) * kMmPerPixel;
        sheet.lines.push_back({practice::setLine(set), page.footer, page.margin, footerTop});
        return &sheet;
    };
    const std::size_t perPage = std::size_t(page.cardsPerPage());
    const double w = page.cardWidth(), h = page.cardHeight(), inset = page.inset;
    CardsSheet* sheet = nullptr;
    for (std::size_t i = 0; i < set.cards.size(); ++i) {
        if (i % perPage == 0) sheet = newSheet();
        const int at = int(i % perPage);
        const double left = page.margin + (at % page.columns) * (w + page.gap);
        const double top = page.margin + (at / page.columns) * (h + page.gap);
        sheet->frames.push_back({left, top, w, h});
        Column column(metrics, left + inset, top + inset, w - 2 * inset);
        column.add(sheet->lines, practice::variantHeading(set.cards[i]), page.heading, page.paragraphGap);
        for (const std::string& line : cardLines(set.cards[i])) column.add(sheet->lines, line, page.text, page.paragraphGap);
        // The picture in the rest, in its own proportions.
        const layout::PixelSize graph = layout::kStepGraph;
        const double roomW = w - 2 * inset, roomH = top + h - inset - (column.y() + 1);
        const double scale = std::max(0.0, std::min(roomW / graph.width, roomH / graph.height));
        sheet->graphs.push_back(
            {i, {left + inset + (roomW - graph.width * scale) / 2, column.y() + 1, graph.width * scale, graph.height * scale}});
    }
    // The answer key, from a page of its own.
    const double bottom = page.height - page.margin - page.footerRoom;
    const double width = page.width - 2 * page.margin, indent = 4, entryGap = 2;
    std::optional<Column> column;
    bool keyNoted = false;
    for (const practice::KeyEntry& entry : practice::answerKey(set)) {
        const std::vector<std::string> lines = keyLines(entry);
        const Column measure(metrics, page.margin + indent, 0, width - indent);
        double need = measure.height(entry.heading, page.keyHeading, page.paragraphGap) + entryGap;
        for (const std::string& line : lines) need += measure.height(line, page.text, page.paragraphGap);
        if (!column || column->y() + need > bottom) {
            sheet = newSheet();
            Column heading(metrics, page.margin, page.margin, width);
            heading.add(sheet->lines, practice::kAnswersHeading, page.answers, 2);
            if (!keyNoted) heading.add(sheet->lines, practice::kKeyNote, page.text, 2);
            keyNoted = true;
            column.emplace(metrics, page.margin, heading.y(), width);
        }
        column->add(sheet->lines, entry.heading, page.keyHeading, page.paragraphGap);
        Column body(metrics, page.margin + indent, column->y(), width - indent);
        for (const std::string& line : lines) body.add(sheet->lines, line, page.text, page.paragraphGap);
        column.emplace(metrics, page.margin, body.y() + entryGap, width);
    }
    return sheets;
}

} // namespace viramont::view
