#pragma once
// Any panel of views/panel.h as a dialog of the page, drawn through the
// toolkit's panel of parts: made at its first opening, shown as it was
// left after that. The page passes the commands of the panel's menu on to
// the panel's controller and carries out the updates it answers here.

#include "toolkit/web/json.h"
#include "toolkit/web/web_canvas.h"
#include "toolkit/web/web_controls.h"
#include "views/panel.h"

#include <functional>
#include <memory>
#include <string>

namespace viramont::page {

class WebPanel {
public:
    // `panel` of the page's dialog of the same id; boxes through `dialogs`.
    WebPanel(const view::Panel& panel, WebDialogs& dialogs) : panel_(panel), dialogs_(dialogs) {}

    // Shows the panel on a viewport `viewportWidth` wide at `dpr`; false
    // when it was made before and is only shown again.
    bool open(double viewportWidth, double dpr);
    // Where its picture is drawn from.
    void drawWith(std::function<void(Canvas&)> draw) { draw_ = std::move(draw); }
    // What the fields, numbers and choices hold.
    view::PanelValues values() const;
    // Carries out `update`; `pictureWords` is the picture in words.
    void apply(const view::PanelUpdate& update, const std::string& pictureWords = {});
    const std::string& id() const { return panel_.id; }
    // The panel's picture, once the panel is made.
    WebCanvas* picture() const { return picture_.get(); }

private:
    web::Json describe(const view::PanelPart& part, double viewportWidth, double dpr);

    const view::Panel& panel_;
    WebDialogs& dialogs_;
    std::function<void(Canvas&)> draw_;
    std::unique_ptr<WebCanvas> picture_;
    bool made_ = false;
};

} // namespace viramont::page
