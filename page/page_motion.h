#pragma once
// "Показать движение" on the page: the motion of views/motion.h played on
// Picture1 or practice's picture, a frame each time the browser draws (the toolkit's motion
// block runs requestAnimationFrame and calls viramont_motion_frame with the
// time; a frame it dropped is skipped, never queued). Where the browser asks
// for reduced motion (prefers-reduced-motion) each move's end stands for two
// seconds instead. The toolkit hands over the motion's keys (Space, Right,
// Left, Escape) and stops it before any other input.

#include "form/form.h"
#include "toolkit/web/web_canvas.h"
#include "views/motion.h"

#include <functional>
#include <memory>
#include <string>

namespace viramont {

// Plays `motion` on `picture` (Picture1, or practice's picture);
// `description` gives the picture's words once it has ended on its own
// picture.
void playMotion(std::unique_ptr<view::Motion> motion, WebCanvas& picture, std::function<std::string()> description);
// Ends a motion under way on the press's picture; nothing otherwise.
void stopMotion();
// Draws the frame shown now on `picture` anew onto another canvas of its
// size, for save and print; false when no motion plays there.
bool drawShownFrame(const WebCanvas& picture, Canvas& onto);

} // namespace viramont
