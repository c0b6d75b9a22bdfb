#pragma once
// The event boundary. Every handler runs inside runGuarded: a run-time fault,
// or any other exception, ends the handler and is shown in a message box
// that says what stopped, why and what to change (fault.h words it), and the
// program goes on with whatever was already drawn left in place.

#include "toolkit/controls.h"

#include <exception>
#include <functional>
#include <string>

namespace viramont {

// The words the message box shows for what ended a handler.
std::string messageOf(const std::exception_ptr& ended);

// Returns true when the handler ran to its end.
bool runGuarded(Dialogs& dialogs, const std::function<void()>& handler);

} // namespace viramont
