#include "views/picture.h"

#include "form/layout.h"

#include <algorithm>
#include <cmath>

namespace viramont::view {

PictureLayout pictureLayout(Box graph, Box legend, std::string_view formula, double formulaWidth, double lineHeight) {
    const double left = std::min(graph.x, legend.x), top = std::min(graph.y, legend.y);
    const double canvasesWidth = std::max(graph.right(), legend.right()) - left;
    const double canvasesHeight = std::max(graph.bottom(), legend.bottom()) - top;
    PictureLayout layout;
    layout.hasFormula = !formula.empty();
    const double band = layout.hasFormula ? std::ceil(lineHeight) + 2 * kFormulaMargin : 0.0;
    layout.width =
        std::max(canvasesWidth, layout.hasFormula ? std::ceil(formulaWidth) + 2 * kFormulaMargin : 0.0);
    layout.height = band + canvasesHeight;
    if (layout.hasFormula) {
        layout.formula = {kFormulaMargin, kFormulaMargin, layout.width - 2 * kFormulaMargin, lineHeight};
    }
    auto placed = [&](Box b) { return Box{b.x - left, b.y - top + band, b.width, b.height}; };
    layout.graph = placed(graph);
    layout.legend = placed(legend);
    return layout;
}

std::string formulaLine(std::string_view text5) {
    return layout::showsFormula(text5) ? std::string(text5) : std::string();
}

} // namespace viramont::view
