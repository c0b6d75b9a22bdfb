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
} // namespace

const char* RuntimeFault::what() const noexcept { return faultName(kind_); }

std::string faultMessage(FaultKind kind) {
    return std::string("Ошибка выполнения: ") + faultName(kind);
}

} // namespace viramont
