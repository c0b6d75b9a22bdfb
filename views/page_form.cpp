#include "views/page_form.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace viramont::view {
namespace {

// The smallest text of the form's own layout, in px at scale 1.
double smallestText() {
    double smallest = 1e9;
    for (const layout::ControlRow& c : layout::kControls) smallest = std::min(smallest, c.font.points * 96.0 / 72.0);
    return smallest;
}

// A line of text as the page sets it (its line box a little higher than
// the font's ascent and descent).
constexpr double kLineBox = 1.2;

void placeCanvas(PlacedControl& placed, double devicePixelRatio) {
    const layout::PixelSize area = layout::canvasArea(placed.row->name);
    const double border = layout::kCanvasBorder;
    const CanvasPixels pixels = canvasPixels(area.width, area.height, placed.width - 2 * border, devicePixelRatio);
    placed.deviceWidth = pixels.deviceWidth;
    placed.deviceHeight = pixels.deviceHeight;
    placed.ratio = pixels.ratio;
    placed.height = pixels.deviceHeight / devicePixelRatio + 2 * border;
}

PageForm scaledForm(double factor, double devicePixelRatio) {
    const layout::Scale scale{factor};
    PageForm form;
    form.width = scale(layout::kClientWidth);
    form.height = scale(layout::kClientHeight);
    for (const layout::ControlRow& c : layout::kControls) {
        PlacedControl placed{&c,
                             double(scale(c.left)),
                             double(scale(c.top)),
                             double(scale.extent(c.left, c.width)),
                             double(scale.extent(c.top, c.height)),
                             factor,
                             c.align == layout::Align::Centre};
        if (c.kind == layout::Kind::Picture) placeCanvas(placed, devicePixelRatio);
        form.controls.push_back(placed);
    }
    return form;
}

// The column, top to bottom.
class Column {
public:
    Column(double viewportWidth, double devicePixelRatio, const TextMetrics& metrics)
        : width_(std::clamp(viewportWidth - 2 * kColumnMargin, 120.0, kColumnWidest)),
          dpr_(devicePixelRatio),
          metrics_(metrics) {
        form_.column = true;
        form_.width = width_ + 2 * kColumnMargin;
        form_.left = std::max(0.0, std::floor((viewportWidth - form_.width) / 2));
        for (const layout::ControlRow& c : layout::kControls) form_.controls.push_back({&c, 0, 0, 0, 0, 1.0, false});
    }

    // A caption over the full width, centred where `centred`.
    void caption(std::string_view name, bool centred) {
        y_ += place(name, kColumnMargin, y_, width_, textHeight(name, width_), centred) + gap_;
    }
    // A caption and its control under it, the full width.
    void captioned(std::string_view label, std::string_view control) {
        y_ += place(label, kColumnMargin, y_, width_, textHeight(label, width_), false);
        y_ += place(control, kColumnMargin, y_, width_, kTouchTarget, false) + 1.5 * gap_;
    }
    // A caption with its field beside it, on the right.
    void beside(std::string_view label, std::string_view field) {
        const double fieldWidth = std::clamp(std::round(width_ * 0.3), 96.0, 180.0);
        const double captionWidth = width_ - fieldWidth - kColumnMargin;
        const double row = std::max(kTouchTarget, textHeight(label, captionWidth));
        place(label, kColumnMargin, y_, captionWidth, row, false);
        place(field, kColumnMargin + width_ - fieldWidth, y_ + (row - kTouchTarget) / 2, fieldWidth, kTouchTarget,
              true);
        y_ += row + gap_;
    }
    void button(std::string_view name) {
        const double height = std::max(kTouchTarget + 4, textHeight(name, width_ - 8) + 8);
        y_ += place(name, kColumnMargin, y_, width_, height, true) + gap_;
    }
    void canvas(std::string_view name, double width) {
        PlacedControl& placed = at(name);
        placed.left = kColumnMargin;
        placed.top = y_;
        placed.width = width;
        placeCanvas(placed, dpr_);
        y_ += placed.height + gap_;
    }
    void space() { y_ += gap_; }
    double width() const { return width_; }

    PageForm done() {
        form_.height = std::ceil(y_ - gap_ + kColumnMargin);
        return form_;
    }

private:
    PlacedControl& at(std::string_view name) {
        return *std::find_if(form_.controls.begin(), form_.controls.end(),
                             [&](const PlacedControl& c) { return name == c.row->name; });
    }
    double place(std::string_view name, double left, double top, double width, double height, bool centred) {
        PlacedControl& placed = at(name);
        placed.left = left;
        placed.top = top;
        placed.width = width;
        placed.height = height;
        placed.centred = centred;
        return height;
    }
    // The height of a control's text broken to `width`.
    double textHeight(std::string_view name, double width) const {
        const layout::ControlRow& c = layout::controlNamed(name);
        const double lines = double(std::max<std::size_t>(1, wrappedLines(c.text, c.font, width - 4, metrics_).size()));
        return std::ceil(lines * metrics_.lineHeight(c.font) * kLineBox) + 4;
    }

    double width_, dpr_;
    const TextMetrics& metrics_;
    double y_ = kColumnMargin;
    double gap_ = kColumnMargin;
    PageForm form_;
};

PageForm columnForm(double viewportWidth, double devicePixelRatio, const TextMetrics& metrics) {
    Column column(viewportWidth, devicePixelRatio, metrics);
    column.caption("Label1", true);
    column.captioned("Label6", "Combo1");
    column.captioned("Label8", "Text5");
    column.caption("Label7", true);
    for (const auto& [label, field] : {std::pair{"Label3", "Text1"}, {"Label2", "Text2"}, {"Label4", "Text3"},
                                       {"Label5", "Text4"}, {"Label9", "Text6"}, {"Label11", "Text7"}}) {
        column.beside(label, field);
    }
    column.space();
    for (const char* button : {"ВЫБОР", "Command1", "Command3"}) column.button(button);
    column.space();
    column.canvas("Picture1", column.width());
    // The legend as wide as the column, but at most half as large again as
    // on the form.
    const layout::ControlRow& legend = layout::controlNamed("Picture2");
    column.canvas("Picture2", std::min(column.width(), std::round(1.5 * layout::px(legend.width))));
    return column.done();
}

} // namespace

CanvasPixels canvasPixels(int logicalWidth, int logicalHeight, double cssWidth, double devicePixelRatio) {
    const int deviceWidth = std::max(1, static_cast<int>(std::lround(cssWidth * devicePixelRatio)));
    const double ratio = double(deviceWidth) / logicalWidth;
    return {deviceWidth, std::max(1, static_cast<int>(std::lround(logicalHeight * ratio))), ratio};
}

double panelWidth(double viewportWidth) { return std::floor(viewportWidth * kPanelShare); }

double stepGraphWidth(double viewportWidth, const SheetLook& look) {
    const double room =
        panelWidth(viewportWidth) - 2 * kPanelBorder - look.marginLeft - look.marginRight - 2 * look.graphEdge;
    return std::clamp(room, 120.0, double(look.graph.width));
}

SheetLook sheetLookFor(double viewportWidth) {
    SheetLook look = kSheetLook;
    const int width = static_cast<int>(std::floor(stepGraphWidth(viewportWidth, look)));
    look.graph = {width, static_cast<int>(std::lround(double(width) * kSheetLook.graph.height / kSheetLook.graph.width))};
    const double room = panelWidth(viewportWidth) - 2 * kPanelBorder - look.marginLeft - look.marginRight;
    const int fit = static_cast<int>(std::floor((room + look.cellGapX) / (look.cellWidth() + look.cellGapX)));
    look.columns = std::clamp(fit, 1, kSheetLook.columns);
    return look;
}

PageForm placeForm(double width, double height, double devicePixelRatio, const TextMetrics& metrics) {
    const double fit = layout::fitScale(width, height, 0.0);
    if (fit * smallestText() >= kSmallestText) return scaledForm(fit, devicePixelRatio);
    return columnForm(width, devicePixelRatio, metrics);
}

} // namespace viramont::view
