#include "toolkit/guard.h"

#include "toolkit/fault.h"

#include <exception>
#include <new>

namespace viramont {

std::string messageOf(const std::exception_ptr& ended) {
    try {
        std::rethrow_exception(ended);
    } catch (const RuntimeFault& fault) {
        return faultMessage(fault);
    } catch (const std::bad_alloc&) {
        return outOfMemoryMessage();
    } catch (...) {
        return internalErrorMessage();
    }
}

bool runGuarded(Dialogs& dialogs, const std::function<void()>& handler) {
    std::exception_ptr ended;
    try {
        handler();
        return true;
    } catch (...) {
        ended = std::current_exception();
    }
    dialogs.message(messageOf(ended));
    return false;
}

} // namespace viramont
