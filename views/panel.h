#pragma once
// A panel over the form (practice, the cards' box), described once for
// both front ends: its parts top to bottom, each found by its name, and
// what a press of one of its commands changes. A front end draws any
// panel from this description with its own toolkit, passes the pupil's
// commands on to the panel's controller with what the fields hold, and
// carries out the update it answers: texts, values, what is offered, the
// focus, the part brought into view, the picture drawn again, what is
// announced and the box that opens.

#include "form/layout.h"
#include "views/menu.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace viramont::view {

enum class PartKind {
    Row,      // parts side by side, wrapped where the width ends
    Text,     // a line or paragraph the controller fills
    Field,    // a text field with its caption
    Number,   // a whole number from `low` to `high`, with its caption
    Choice,   // a list of `options`; picking one gives `command`
    Picture,  // a canvas of `picture` logical pixels, its words for screen readers
    Buttons,  // a row of buttons; an `atEnd` one stands at the far right
};

struct PanelButton {
    Command command;
    const char* text;
    bool atEnd = false;
};

struct PanelPart {
    PartKind kind = PartKind::Text;
    std::string name;            // unique in the panel: "practice-verdict"
    std::string label;           // a field's, number's or choice's caption
    std::string accessibleName;  // a field's or picture's name for screen readers
    bool bold = false;           // a text in the bold of the panel's font
    int limit = 0;               // the most characters a field takes
    int chars = 8;               // a field's width, in digits
    int low = 0, high = 0, value = 0;  // a whole number's range and first value
    std::vector<std::string> options;  // a choice's entries
    Command command = Command::None;   // a choice's command
    layout::PixelSize picture{};       // a picture's logical pixels
    std::vector<PanelButton> buttons;
    std::vector<PanelPart> parts;  // a row's
};

struct Panel {
    std::string id;     // "practice", "cards"
    const char* title;  // the window's or the panel's heading
    Command enter = Command::None;  // Enter in a field
    std::vector<PanelPart> parts;
};

// Builders of parts, for the panels' descriptions.
PanelPart textPart(std::string name, bool bold = false);
PanelPart fieldPart(std::string name, std::string label, std::string accessibleName, int limit);
PanelPart numberPart(std::string name, std::string label, int low, int high, int value);
PanelPart choicePart(std::string name, std::string label, std::vector<std::string> options, Command command);
PanelPart picturePart(std::string name, layout::PixelSize pixels, std::string spokenName);
PanelPart buttonsPart(std::vector<PanelButton> buttons);
PanelPart rowPart(std::vector<PanelPart> parts);

// The name of the button of `command` in `panel`: "practice-check".
std::string buttonName(const Panel& panel, Command command);
// Whether `panel` has a part or a button named `name`, rows searched.
bool hasPart(const Panel& panel, const std::string& name);
// The part named `name` in `panel`, rows searched; null where none is.
const PanelPart* findPart(const Panel& panel, const std::string& name);

// A part changed by an update; what is not set stays.
struct PartChange {
    std::string name;
    std::optional<std::string> text;   // a text's words, a button's caption
    std::optional<std::string> value;  // a field's or number's contents
    std::optional<bool> enabled;
};

struct PanelUpdate {
    std::vector<PartChange> changes;
    std::string focus;         // the part to take the focus; empty: where it is
    std::string reveal;        // the part to bring into view; empty: none
    bool redrawPicture = false;  // the panel's picture drawn again
    bool playMotion = false;     // the panel's picture plays its moves (views/motion.h)
    std::string announcement;  // said to screen readers; empty: nothing
    std::string message;       // a box with this message; empty: none

    PanelUpdate& text(std::string name, std::string words);
    PanelUpdate& value(std::string name, std::string contents);
    PanelUpdate& enable(std::string name, bool enabled);
};

// What the panel's fields, numbers and choices hold, by name: a choice
// gives the index of its entry as text.
using PanelValues = std::function<std::string(const std::string& name)>;

// The index a choice's value gives, brought within its `count` entries.
std::size_t choiceIndex(const std::string& value, std::size_t count);

} // namespace viramont::view
