// The pictures out of the page: the window's picture and the step sheet
// composed as one image for the clipboard, a file or paper (views/picture.h,
// views/sheet.h), drawn anew at the output's resolution where they ask for
// it; the plot's link; the cards' pages.

#include "page/page.h"
#include "page/page_motion.h"

#include "page/page_look.h"
#include "plot/step_graphs.h"
#include "practice/cards.h"
#include "toolkit/fault.h"
#include "toolkit/web/web_page.h"
#include "views/cards_panel.h"
#include "views/outputs.h"
#include "views/picture.h"
#include "views/practice.h"

#include <cmath>

namespace viramont::page {

using web::Json;

// Both canvases drawn anew at `ratio` times their logical pixels into
// canvases "Paper1" and "Paper2": the graphs from the inputs of the plot
// that drew them, the legend from its texts.
void Page::redraw(double ratio) {
    const CanvasLook* looks[] = {&look1, &look2};
    for (int i = 0; i < 2; ++i) {
        const CanvasLook& look = *looks[i];
        const std::string id = "Paper" + std::to_string(i + 1);
        WebCanvas paper(id, look.width, look.height, ratio, look.fore, look.back, look.font);
        web::offscreenCanvas(id, paper.deviceWidth(), paper.deviceHeight());
        // Picture1 as it stands: the frame of a motion under way, or the press.
        if (i == 0 && !drawShownFrame(*picture1, paper) && lastPlot.inputs()) redrawGraphs(*lastPlot.inputs(), paper);
        if (i == 1) redrawLegend(picture2->geometry().prints(), paper);
        paper.present();
    }
}

// The window's picture (views/picture.h) composed on the canvas
// "Picture" at `ratio` times its logical pixels (0: the screen's pixel
// ratio): the canvases as the screen has them where they are at that
// ratio, else drawn anew at it.
std::string Page::composePicture(double ratio) {
    const std::string line = view::formulaLine(fields.at(layout::kOutputField)->text());
    const view::PictureLayout layout =
        view::pictureLayout(box1, box2, line, line.empty() ? 0.0 : web::textWidth(line, formulaFont),
                            web::fontHeight(formulaFont));
    std::string graph = "Picture1", legend = "Picture2";
    const double r = ratio > 0 ? ratio : dpr;
    if (picture1->ratio() != r || picture2->ratio() != r) {
        redraw(r);
        graph = "Paper1";
        legend = "Paper2";
    }
    const std::string id = "Picture";
    web::compose(id, static_cast<int>(std::lround(layout.width * r)), static_cast<int>(std::lround(layout.height * r)),
                 cssColour(layout::kPaper));
    if (layout.hasFormula) {
        web::composeText(id, line, web::deviceFont(formulaFont, r), colourOf(formulaInk), layout.formula.x * r,
                         (layout.formula.y + web::fontAscent(formulaFont)) * r);
    }
    web::composeImage(id, graph, std::lround(layout.graph.x * r), std::lround(layout.graph.y * r));
    web::composeImage(id, legend, std::lround(layout.legend.x * r), std::lround(layout.legend.y * r));
    return id;
}

// The step sheet as one picture (views/sheet.h) on the canvas "Sheet".
std::string Page::composeSheet() {
    const view::SheetLook& look = view::kSheetLook;
    const view::SheetPicture picture = view::sheetPicture(*sheet, notes, textMetrics(), look);
    const std::string id = "Sheet";
    const double r = dpr;
    const std::string graphs = sheetGraphsAt(r);
    web::compose(id, static_cast<int>(std::lround(picture.width * r)),
                 static_cast<int>(std::lround(picture.height * r)), cssColour(look.paper));
    for (const view::PlacedLine& line : picture.lines) {
        const std::string font = cssFont(line.font);
        web::composeText(id, line.text, web::deviceFont(font, r), cssColour(line.ink), line.x * r,
                         (line.y + web::fontAscent(font)) * r);
    }
    for (const view::PlacedGraph& graph : picture.graphs) {
        const double x = std::lround(graph.x * r), y = std::lround(graph.y * r);
        web::composeRect(id, x, y, std::lround(look.cellWidth() * r),
                         std::lround((look.graph.height + 2 * look.graphEdge) * r), cssColour(look.edgeInk));
        web::composeImage(id, graphs + std::to_string(graph.cell), x + std::lround(look.graphEdge * r),
                          y + std::lround(look.graphEdge * r));
    }
    return id;
}

// The prefix of the step graphs' canvases at `ratio`: the panel's where
// they are at it, else drawn anew ("StepPaperN"), a fault ending a curve
// as it did in the panel.
std::string Page::sheetGraphsAt(double ratio) {
    if (stepGraphs.empty() || stepGraphs.front()->ratio() == ratio) return "Step";
    const view::SheetLook& look = view::kSheetLook;
    std::vector<std::unique_ptr<WebCanvas>> papers;
    std::vector<Canvas*> canvases;
    for (std::size_t i = 0; i < stepGraphs.size(); ++i) {
        const std::string id = "StepPaper" + std::to_string(i);
        papers.push_back(webCanvas(id, look.graph, ratio, layout::kStepGraphLook));
        web::offscreenCanvas(id, papers.back()->deviceWidth(), papers.back()->deviceHeight());
        canvases.push_back(papers.back().get());
    }
    std::vector<std::string> unused;
    try {
        DrawStepGraphs(*chain, canvases, unused);
    } catch (const RuntimeFault&) {
    }
    for (const auto& paper : papers) paper->present();
    return "StepPaper";
}

// The plot's link on the clipboard: this page's address with the plot's
// fragment; where the browser does not let it there, shown to be copied.
void Page::copyLink() {
    if (!lastPlot.inputs()) return;
    const std::string link = web::pageAddress() + "#" + view::linkFragment(*lastPlot.inputs());
    if (web::copyText(link)) {
        web::announce(view::kLinkCopied);
    } else {
        dialogs.message(view::linkNotCopied(link));
    }
}

// Copy, save or print of the window's picture or of the step sheet.
void Page::output(view::Command command, bool ofSheet) {
    if (ofSheet && !sheet) return;
    const view::OutputKind& kind = ofSheet ? view::kSheetOutput : view::kPictureOutput;
    double ratio = 0;
    if (kind.drawnAnew && command == view::Command::Save) {
        std::vector<std::string> labels;
        for (const view::SaveSize& size : view::kSaveSizes) labels.push_back(size.label);
        const std::optional<std::size_t> chosen = dialogs.choose(view::kSaveTitle, labels);
        if (!chosen) return;
        ratio = view::kSaveSizes[*chosen].ratio == 1.0 ? 0.0 : view::kSaveSizes[*chosen].ratio;
    }
    if (kind.drawnAnew && command == view::Command::Print) ratio = view::kPrintRatio;
    const std::string id = ofSheet ? composeSheet() : composePicture(ratio);
    bool made = true;
    switch (command) {
    case view::Command::Copy:
        switch (web::copyImage(id)) {
        case web::CopyResult::Done: break;
        case web::CopyResult::Refused: dialogs.message(view::kCopyRefused); break;
        case web::CopyResult::Unmade: made = false; break;
        }
        break;
    case view::Command::Save: made = web::download(id, kind.fileName); break;
    case view::Command::Print: made = web::printImage(id, kind.docName); break;
    case view::Command::Steps:
    case view::Command::Link:
    default: break;
    }
    if (!made) dialogs.message(view::pictureNotMade(command));
}

// The cards the box asks for, saved as a PDF or printed: each page
// drawn at kCardsPageRatio from the pages' layout (views/practice.h).
void Page::outputCards(view::Command command) {
    view::CardsRequest request = view::requestCards(cardsPanel.values());
    cardsPanel.apply(request.update);
    if (!request.set) return;
    const practice::CardSet& set = *request.set;
    web::showBusy();
    const view::CardsPage& page = view::kCardsPage;
    const double r = view::kCardsPageRatio, unit = r / view::kMmPerPixel;  // device pixels to a mm
    const std::string id = "CardsPage", graphId = "CardGraph";
    const std::string frameInk = cssColour(page.frame);
    const double frameWidth = std::max(1.0, std::round(page.frameWidth * unit));
    web::pagesBegin();
    bool made = true;
    for (const view::CardsSheet& sheet : view::cardsSheets(set, textMetrics())) {
        web::compose(id, int(std::lround(page.width * unit)), int(std::lround(page.height * unit)), cssColour(page.paper));
        for (const view::CardsBox& f : sheet.frames) {
            const double x = std::round(f.x * unit), y = std::round(f.y * unit);
            const double w = std::round(f.width * unit), h = std::round(f.height * unit);
            web::composeRect(id, x, y, w, frameWidth, frameInk);
            web::composeRect(id, x, y + h - frameWidth, w, frameWidth, frameInk);
            web::composeRect(id, x, y, frameWidth, h, frameInk);
            web::composeRect(id, x + w - frameWidth, y, frameWidth, h, frameInk);
        }
        for (const view::CardsLine& line : sheet.lines) {
            web::composeText(id, line.text, cssFont(line.font, r), cssColour(page.ink), line.x * unit,
                             (line.y / view::kMmPerPixel + web::fontAscent(cssFont(line.font))) * r);
        }
        for (const view::CardsGraph& graph : sheet.graphs) {
            const layout::PixelSize logical = layout::kStepGraph;
            const std::unique_ptr<WebCanvas> canvas =
                webCanvas(graphId, logical, graph.box.width * unit / logical.width, layout::kStepGraphLook);
            web::offscreenCanvas(graphId, canvas->deviceWidth(), canvas->deviceHeight());
            canvas->clear();
            practice::drawCard(set.cards[graph.card], *canvas);
            canvas->present();
            web::composeImage(id, graphId, std::lround(graph.box.x * unit), std::lround(graph.box.y * unit));
        }
        if (!web::pagesAdd(id)) {
            made = false;
            break;
        }
    }
    if (made) {
        made = command == view::Command::Save
                   ? web::pagesSave(view::kCardsFileName, page.width, page.height, view::kCardsTitle)
                   : web::pagesPrint(view::kCardsTitle);
    }
    if (!made) dialogs.message(view::kCardsNotMade);
}

} // namespace viramont::page
