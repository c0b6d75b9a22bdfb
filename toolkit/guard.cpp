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
        text = faultMessage(fault.kind());
    } catch (const std::bad_alloc&) {
        text = "Ошибка выполнения: недостаточно памяти";
    } catch (...) {
        text = "Ошибка выполнения: внутренняя ошибка программы";
    }
    dialogs.message(text);
    return false;
}

} // namespace viramont
