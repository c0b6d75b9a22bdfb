// The step sheet of the plot drawn last in its panel: its cells, their
// graphs drawn into the panel's canvases, the notes under them.

#include "page/page.h"

#include "page/page_look.h"
#include "plot/step_graphs.h"
#include "toolkit/guard.h"
#include "toolkit/web/web_page.h"
#include "views/outputs.h"
#include "views/page_form.h"

namespace viramont::page {

using web::Json;

namespace {

const char* roleName(view::SheetRole role) {
    switch (role) {
    case view::SheetRole::Title: return "title";
    case view::SheetRole::Heading: return "heading";
    case view::SheetRole::Formula: return "formula";
    case view::SheetRole::Sentence: return "sentence";
    case view::SheetRole::Note: return "note";
    case view::SheetRole::Key:
    case view::SheetRole::LeftOut: return "paragraph";
    }
    return "paragraph";
}

} // namespace

// The sheet's texts and graphs at their places in the panel, in reading
// order: each graph after its cell's sentence.
Json Page::sheetPlacement() const {
    const view::SheetLook look = view::sheetLookFor(viewportWidth);
    const view::SheetPicture placed = view::sheetPicture(*sheet, notes, textMetrics(), look);
    std::vector<Json> items;
    std::size_t graph = 0;
    for (const view::PlacedParagraph& paragraph : view::paragraphsOf(placed)) {
        items.push_back(Json()
                            .add("kind", roleName(paragraph.role))
                            .add("text", paragraph.text)
                            .add("font", cssFont(paragraph.font))
                            .add("ink", cssColour(paragraph.ink))
                            .add("x", paragraph.x)
                            .add("y", paragraph.y));
        if (paragraph.role == view::SheetRole::Sentence && graph < placed.graphs.size()) {
            const view::PlacedGraph& g = placed.graphs[graph++];
            items.push_back(Json()
                                .add("kind", "graph")
                                .add("name", "Step" + std::to_string(g.cell))
                                .add("x", g.x)
                                .add("y", g.y)
                                .add("width", look.graph.width)
                                .add("height", look.graph.height));
        }
    }
    return Json()
        .add("width", placed.width)
        .add("height", placed.height)
        .add("paper", cssColour(look.paper))
        .add("edge", look.graphEdge)
        .add("edgeInk", cssColour(look.edgeInk))
        .add("items", items);
}

// The step sheet of the plot drawn last, in the panel, its graphs drawn
// into the panel's canvases; a fault met on the way is told over it once
// every graph is drawn.
void Page::showSteps() {
    const FormState* plotted = ExplainedPlot(lastPlot);
    if (!plotted) return;
    web::showBusy();
    chain = ComposeSteps(*plotted);
    sheet = view::describeSheet(*chain);
    // The graphs as wide as the screen lets them be, at its device pixels.
    const layout::PixelSize logical = view::kSheetLook.graph;
    const view::CanvasPixels pixels =
        view::canvasPixels(logical.width, logical.height, view::sheetLookFor(viewportWidth).graph.width, dpr);
    stepGraphs.clear();
    notes.clear();
    std::vector<Json> cells;
    for (const view::SheetCell& cell : sheet->cells) {
        const std::string id = "Step" + std::to_string(stepGraphs.size());
        stepGraphs.push_back(webCanvas(id, logical, pixels.ratio, layout::kStepGraphLook));
        cells.push_back(Json()
                            .add("name", id)
                            .add("spokenName", cell.spokenName)
                            .add("sentence", cell.sentence)
                            .add("deviceWidth", stepGraphs.back()->deviceWidth())
                            .add("deviceHeight", stepGraphs.back()->deviceHeight()));
    }
    // The motion plays on Picture1, the sheet closed over it.
    std::vector<Json> buttons{Json()
                                  .add("command", view::commandName(view::Command::Motion))
                                  .add("text", view::kShowMotionText)
                                  .add("closes", true)};
    const char* closeText = "";
    for (const view::CommandItem& item : view::kSheetButtons) {
        buttons.push_back(Json()
                              .add("command", view::commandName(item.command))
                              .add("text", item.text)
                              .add("keyLabel", keyLabel(item.key)));
        if (item.command == view::Command::Close) closeText = item.text;
    }
    web::openPanel(Json()
                       .add("menu", kSheetMenu)
                       .add("heading", kStepSheetTitle)
                       .add("closeLabel", closeText)
                       .add("maxWidth", view::panelWidth(viewportWidth))
                       .add("cells", cells)
                       .add("sheet", sheetPlacement())
                       .add("buttons", buttons));

    std::vector<Canvas*> canvases;
    for (const auto& graph : stepGraphs) canvases.push_back(graph.get());
    stepDialogs.setBeforeModal([&] { presentSteps(); });
    runGuarded(stepDialogs, [&] { DrawStepGraphs(*chain, canvases, notes); });
    stepDialogs.setBeforeModal({});
    presentSteps();
}

// The graphs as drawn, the texts placed anew about the notes.
void Page::presentSteps() {
    for (const auto& graph : stepGraphs) graph->present();
    web::placeSheet(sheetPlacement());
}

} // namespace viramont::page
