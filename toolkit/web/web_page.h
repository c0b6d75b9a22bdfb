#pragma once
// What the web toolkit's script (toolkit/web/toolkit.js) makes of the page
// for the program: the form and its controls, the menus of the canvases and
// the keys, the panel over the form, announcements, pictures composed of
// canvases and texts, and their copy, download and print. Each takes a
// description (json.h) whose every text, colour and size the program gives.

#include "toolkit/web/json.h"

#include <string>
#include <vector>

namespace viramont::web {

// The form: its place and size, background, title, the menu whose keys
// hold over it, and whether it stands in one column that scrolls down
// ({left, width, height, back, title, menu, column}).
void setForm(const Json& form);
// A control of the form: {name, kind ("label", "field", "button", "list",
// "picture"), left, top, width, height, text, font, fore, back, centred,
// tabIndex, accessibleName, output, numeric, limit}; a picture adds
// {deviceWidth, deviceHeight, border, menu, menuButton (the name of the
// button at its corner that opens its menu)}.
void addControl(const Json& control);
// A control put elsewhere: {name, left, top, width, height, font, centred},
// a picture with its {deviceWidth, deviceHeight}.
void placeControl(const Json& control);

// A menu of canvases: its items [{command, text, keyLabel,
// separatorBefore}], each chosen as the action "NAME:COMMAND".
void defineMenu(const std::string& name, const std::vector<Json>& items);
void setMenuEnabled(const std::string& name, const std::string& command, bool enabled);
// The keys of a menu: [{code (KeyC, ...), command, canvasOnly}].
void defineKeys(const std::string& name, const std::vector<Json>& keys);

// The panel of a sheet over the form, opened afresh: {menu, heading,
// closeLabel, maxWidth, cells [{name, spokenName, sentence, deviceWidth,
// deviceHeight}] (the graphs' canvases), sheet (as placeSheet takes it),
// buttons [{command, text, keyLabel}]}.
void openPanel(const Json& panel);
// The sheet's texts and graphs put at their places: {width, height,
// paper, edge, edgeInk, items [{kind, text, font, ink, x, y} or {kind:
// "graph", name, x, y, width, height}]}, in reading order.
void placeSheet(const Json& sheet);

// A panel of parts over the form, opened afresh: {id (its dialog's),
// heading, closeLabel, menu, enter, parts [...]} (toolkit.js tells the
// parts); then a part changed: {name, text, hidden, disabled, value,
// focus}.
void openPartsPanel(const Json& panel);
// The panel of parts of the dialog `id` shown again as it was left.
void showPartsPanel(const std::string& id);
void setPart(const Json& part);

// Pages of paper: each canvas added is a page; then the pages saved as one
// PDF of pages `widthMm` x `heightMm`, or printed. Each false where the
// browser could not make them.
void pagesBegin();
bool pagesAdd(const std::string& id);
bool pagesSave(const std::string& fileName, double widthMm, double heightMm, const std::string& title);
bool pagesPrint(const std::string& name);

// Says `text` once to screen readers.
void announce(const std::string& text);
// Shows the wait cursor for the frame the browser needs before a long
// action; returns when it is shown.
void showBusy();

// A picture composed on a canvas of the toolkit's own, in device pixels.
void compose(const std::string& id, int deviceWidth, int deviceHeight, const std::string& paper);
void composeText(const std::string& id, const std::string& text, const std::string& font, const std::string& ink,
                 double x, double baseline);
void composeRect(const std::string& id, double x, double y, double width, double height, const std::string& ink);
void composeImage(const std::string& id, const std::string& source, double x, double y);

// The outputs of a canvas's picture, each false where the browser could not
// make the image.
enum class CopyResult { Done, Refused, Unmade };
CopyResult copyImage(const std::string& id);
bool download(const std::string& id, const std::string& fileName);
bool printImage(const std::string& id, const std::string& name);

// Puts a text on the clipboard; false where the browser did not let it.
bool copyText(const std::string& text);
// The page's address without its fragment.
std::string pageAddress();

// A canvas's element of the toolkit's own, not on the page, of the given
// device pixels (a drawing anew).
void offscreenCanvas(const std::string& id, int deviceWidth, int deviceHeight);

} // namespace viramont::web
