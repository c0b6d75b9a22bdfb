#pragma once
// A canvas of the page walked by keys and heard (views/walk.h): Picture1,
// and practice's picture. The keys pressed on the canvas come as the
// actions "walk:CANVAS/CODE", the lines are said in the live region or as
// the canvas's value, the samples played by the toolkit through the Web
// Audio API.

#include "views/walk.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace viramont::pagewalk {

class CanvasWalk {
public:
    explicit CanvasWalk(std::string canvas) : canvas_(std::move(canvas)) {}

    // The canvas shows a new picture, made by `make` when a key first asks
    // for it: the canvas takes the walk's keys, and its walk begins anew.
    void showPicture(std::function<view::WalkPicture()> make);
    // A key by its code ("ArrowDown", ...), "listen" from the menu, or
    // "ended" when the sweep has played out.
    void act(std::string_view name);
    const std::string& canvas() const { return canvas_; }

private:
    std::string canvas_;
    std::function<view::WalkPicture()> make_;
    std::optional<view::Walk> walk_;
};

// The walk an action "CANVAS/CODE" is for, and the code; none when it
// names another canvas.
std::optional<std::string_view> codeFor(const CanvasWalk& walk, std::string_view action);

} // namespace viramont::pagewalk
