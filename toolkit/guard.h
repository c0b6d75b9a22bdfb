#pragma once
// The event boundary. Every handler runs inside runGuarded: a run-time fault,
// or any other exception, ends the handler and is shown in a message box
// that says what stopped, why and what to change (fault.h words it), and the
// program goes on with whatever was already drawn left in place.

#include "toolkit/controls.h"

#include <functional>

namespace viramont {

// Returns true when the handler ran to its end.
bool runGuarded(Dialogs& dialogs, const std::function<void()>& handler);

} // namespace viramont
