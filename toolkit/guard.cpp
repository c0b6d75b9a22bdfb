#include "toolkit/guard.h"

#include "toolkit/fault.h"

#include <exception>
#include <new>

namespace viramont {

bool runGuarded(Dialogs& dialogs, const std::function<void()>& handler) {
    std::string text;
    try {
        handler();
        return true;
    } catch (const RuntimeFault& fault) {
        text = faultMessage(fault);
    } catch (const std::bad_alloc&) {
        text = outOfMemoryMessage();
    } catch (...) {
        text = internalErrorMessage();
    }
    dialogs.message(text);
    return false;
}

} // namespace viramont
