#include "views/panel.h"

#include <charconv>
#include <utility>

namespace viramont::view {

PanelPart textPart(std::string name, bool bold) {
    PanelPart part;
    part.kind = PartKind::Text;
    part.name = std::move(name);
    part.bold = bold;
    return part;
}

PanelPart fieldPart(std::string name, std::string label, std::string accessibleName, int limit) {
    PanelPart part;
    part.kind = PartKind::Field;
    part.name = std::move(name);
    part.label = std::move(label);
    part.accessibleName = std::move(accessibleName);
    part.limit = limit;
    return part;
}

PanelPart numberPart(std::string name, std::string label, int low, int high, int value) {
    PanelPart part;
    part.kind = PartKind::Number;
    part.name = std::move(name);
    part.label = std::move(label);
    part.low = low;
    part.high = high;
    part.value = value;
    part.limit = int(std::to_string(high).size());
    return part;
}

PanelPart choicePart(std::string name, std::string label, std::vector<std::string> options, Command command) {
    PanelPart part;
    part.kind = PartKind::Choice;
    part.name = std::move(name);
    part.label = std::move(label);
    part.options = std::move(options);
    part.command = command;
    return part;
}

PanelPart picturePart(std::string name, layout::PixelSize pixels, std::string spokenName) {
    PanelPart part;
    part.kind = PartKind::Picture;
    part.name = std::move(name);
    part.accessibleName = std::move(spokenName);
    part.picture = pixels;
    return part;
}

PanelPart buttonsPart(std::vector<PanelButton> buttons) {
    PanelPart part;
    part.kind = PartKind::Buttons;
    part.buttons = std::move(buttons);
    return part;
}

PanelPart rowPart(std::vector<PanelPart> parts) {
    PanelPart part;
    part.kind = PartKind::Row;
    part.parts = std::move(parts);
    return part;
}

namespace {
const PanelPart* findIn(const std::vector<PanelPart>& parts, const std::string& name) {
    for (const PanelPart& part : parts) {
        if (part.name == name) return &part;
        if (const PanelPart* inner = findIn(part.parts, name)) return inner;
    }
    return nullptr;
}
} // namespace

const PanelPart* findPart(const Panel& panel, const std::string& name) { return findIn(panel.parts, name); }

std::string buttonName(const Panel& panel, Command command) { return panel.id + "-" + commandName(command); }

bool hasPart(const Panel& panel, const std::string& name) {
    if (findPart(panel, name)) return true;
    const auto inButtons = [&](const auto& self, const std::vector<PanelPart>& parts) -> bool {
        for (const PanelPart& part : parts) {
            for (const PanelButton& b : part.buttons) {
                if (buttonName(panel, b.command) == name) return true;
            }
            if (self(self, part.parts)) return true;
        }
        return false;
    };
    return inButtons(inButtons, panel.parts);
}

PanelUpdate& PanelUpdate::text(std::string name, std::string words) {
    PartChange& change = changes.emplace_back();
    change.name = std::move(name);
    change.text = std::move(words);
    return *this;
}

PanelUpdate& PanelUpdate::value(std::string name, std::string contents) {
    PartChange& change = changes.emplace_back();
    change.name = std::move(name);
    change.value = std::move(contents);
    return *this;
}

PanelUpdate& PanelUpdate::enable(std::string name, bool on) {
    PartChange& change = changes.emplace_back();
    change.name = std::move(name);
    change.enabled = on;
    return *this;
}

std::size_t choiceIndex(const std::string& value, std::size_t count) {
    std::size_t index = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
    if (error != std::errc() || end != value.data() + value.size() || count == 0) return 0;
    return std::min(index, count - 1);
}

} // namespace viramont::view
