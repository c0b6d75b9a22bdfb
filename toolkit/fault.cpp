#include "toolkit/fault.h"

namespace viramont {

namespace {
const char* faultName(FaultKind kind) {
    switch (kind) {
    case FaultKind::InvalidOperation: return "недопустимая операция с плавающей точкой";
    case FaultKind::DivisionByZero: return "деление на ноль";
    case FaultKind::Overflow: return "переполнение";
    case FaultKind::ConversionOverflow: return "переполнение при преобразовании числа";
    case FaultKind::InvalidArgument: return "недопустимый аргумент функции";
    }
    return "неизвестная ошибка";
}


std::string runTimeError(const char* what) { return std::string("Ошибка выполнения: ") + what; }
} // namespace

const char* RuntimeFault::what() const noexcept { return faultName(kind_); }

void raiseFault(FaultKind kind) { throw RuntimeFault(kind); }

std::string faultMessage(FaultKind kind) { return runTimeError(faultName(kind)); }
std::string outOfMemoryMessage() { return runTimeError("недостаточно памяти"); }
std::string internalErrorMessage() { return runTimeError("внутренняя ошибка программы"); }

} // namespace viramont
