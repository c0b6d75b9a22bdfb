#include "toolkit/fault.h"

#include "toolkit/number_text.h"

namespace viramont {

namespace {

using Part = FaultSite::Part;
using Cause = FaultSite::Cause;

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

// What a fault of a kind means, when nothing else is known.
const char* kindReason(FaultKind kind) {
    switch (kind) {
    case FaultKind::InvalidOperation: return "получилось значение, которое нельзя вычислить";
    case FaultKind::DivisionByZero: return "пришлось бы делить на ноль";
    case FaultKind::Overflow: return "получилось слишком большое число";
    case FaultKind::ConversionOverflow: return "число слишком велико";
    case FaultKind::InvalidArgument: return "функцию нельзя вычислить от такого числа";
    }
    return "ошибка в вычислениях";
}

// The largest number the graphs can hold, as the messages say it.
std::string largest() { return spokenNumber(3.4e38); }

const char* const kReplot = "затем нажмите «ВЫБОР ПАРАМЕТРОВ» и «ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ»";

bool known(double v) { return !std::isnan(v); }

std::string atX(const FaultSite& s) { return known(s.x) ? " при x = " + spokenNumber(s.x) : std::string(); }

// What stopped: the first line.
std::string stopped(const FaultSite& s) {
    switch (s.part) {
    case Part::Field: return "Число в поле «" + s.subject + "» слишком велико.";
    case Part::BaseAnswer: return "Основание логарифма " + spokenNumber(s.value) + " не подходит.";
    case Part::Scan:
        if (s.cause == Cause::NotRead || s.cause == Cause::BaseOfOne || s.cause == Cause::NoBase || !known(s.x)) {
            return "Графики не построены.";
        }
        return std::string("Графики не построены: ") + (s.transformed ? "красный" : "синий") +
               " график нельзя вычислить" + atX(s) + ".";
    case Part::BaseGraph:
        return known(s.x) ? "Синий график остановлен" + atX(s) + ", красный не построен."
                          : std::string("Синий и красный графики не построены.");
    case Part::TransformedGraph:
        return known(s.x) ? "Красный график остановлен" + atX(s) + "." : std::string("Красный график не построен.");
    case Part::Axes: return "Рисунок не достроен: оси не построены.";
    case Part::Legend: return "Легенда не напечатана.";
    case Part::Unknown: break;
    }
    return "Вычисление не удалось.";
}

// What the second line adds to the reason, before its full stop.
std::string explanation(const RuntimeFault& fault) {
    const FaultSite& s = fault.site();
    switch (s.cause) {
    case Cause::Logarithm: return ". Логарифм есть только у чисел больше нуля";
    case Cause::TooLarge:
        if (s.part == Part::Field || s.part == Part::BaseAnswer) return "";
        return " — такие числа программа не рисует";
    default: return "";
    }
}

// "от x = 1 − 5 = −4 до x = 10 − 5 = 5": the red graph's interval, the
// blue one's moved by −b.
std::string redInterval(const FaultSite& s) {
    const auto moved = [&](double v) {
        if (s.shift == 0) return spokenNumber(v);
        return spokenNumber(v) + (s.shift > 0 ? " − " : " + ") + spokenNumber(std::fabs(s.shift)) + " = " +
               spokenNumber(v - s.shift);
    };
    return "от x = " + moved(s.start) + " до x = " + moved(s.end);
}

// What to change: the third line.
std::string change(const FaultSite& s) {
    const bool red = s.part == Part::TransformedGraph || (s.part == Part::Scan && s.transformed);
    switch (s.part) {
    case Part::Field: return "введите в это поле число поменьше и снова нажмите «ВЫБОР ПАРАМЕТРОВ».";
    case Part::BaseAnswer:
        return "нажмите «ВЫБОР ПАРАМЕТРОВ» ещё раз и введите основание от 2 до 32767, например 2 или 10.";
    case Part::Axes:
    case Part::Legend:
        return std::string("возьмите начало и конец отрезка и сдвиг b поменьше по модулю, ") + kReplot + ".";
    default: break;
    }
    switch (s.cause) {
    case Cause::Logarithm:
        if (!red) return std::string("сделайте начало отрезка больше 0, ") + kReplot + ".";
        if (s.part == Part::TransformedGraph && known(s.start) && known(s.end) && known(s.shift)) {
            return "красный график сдвинут на b и строится " + redInterval(s) + "; подберите k и b так, чтобы " +
                   s.subject + " было больше 0 на всём этом отрезке, или возьмите отрезок правее, " + kReplot +
                   ".";
        }
        return "подберите k и b так, чтобы " + s.subject + " было больше 0 на всём отрезке, " + kReplot + ".";
    case Cause::NotRead: return "нажмите «ВЫБОР ПАРАМЕТРОВ», затем «ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ».";
    case Cause::BaseOfOne:
        return "нажмите «ВЫБОР ПАРАМЕТРОВ», введите основание больше 1, например 2 или 10, и нажмите "
               "«ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ».";
    case Cause::NoBase:
        return "нажмите «ВЫБОР ПАРАМЕТРОВ», введите основание логарифма и нажмите «ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ».";
    case Cause::TooLarge:
        if (red) return std::string("возьмите A, k или b поменьше по модулю или отрезок короче, ") + kReplot + ".";
        return std::string("возьмите отрезок короче или ближе к нулю, ") + kReplot + ".";
    case Cause::ArgumentTooLarge: return std::string("возьмите k и b поменьше по модулю, ") + kReplot + ".";
    case Cause::IntervalTooFar:
        return std::string("возьмите начало и конец отрезка и сдвиг b поменьше по модулю, ") + kReplot + ".";
    case Cause::Kind: break;
    }
    return "проверьте числа в полях и нажмите «ВЫБОР ПАРАМЕТРОВ».";
}

} // namespace

const char* RuntimeFault::what() const noexcept { return faultName(kind_); }

void raiseFault(FaultKind kind) { throw RuntimeFault(kind); }

std::string faultReason(const RuntimeFault& fault) {
    const FaultSite& s = fault.site();
    switch (s.cause) {
    case Cause::Logarithm:
        return "логарифм не определён: " + s.subject + " = " + spokenNumber(s.value) + " ≤ 0";
    case Cause::NotRead: return "числа из полей ещё не прочитаны";
    case Cause::BaseOfOne: return "логарифма по основанию 1 не бывает: ln 1 = 0, а делить на ноль нельзя";
    case Cause::NoBase: return "основание логарифма ещё не введено";
    case Cause::TooLarge:
        if (s.part == Part::Field) return "программа не может сохранить такое большое число";
        if (s.part == Part::BaseAnswer) return "основание должно быть целым числом от 2 до 32767";
        return "значение функции больше " + largest();
    case Cause::ArgumentTooLarge: return s.subject + atX(s) + " больше любого числа программы";
    case Cause::IntervalTooFar: return "отрезок графика уходит дальше " + largest();
    case Cause::Kind: break;
    }
    return kindReason(fault.kind());
}

std::string faultMessage(const RuntimeFault& fault) {
    return stopped(fault.site()) + "\nПричина: " + faultReason(fault) + explanation(fault) +
           ".\nЧто изменить: " + change(fault.site());
}

std::string faultMessage(FaultKind kind) { return faultMessage(RuntimeFault(kind)); }

std::string outOfMemoryMessage() {
    return "Не хватило памяти компьютера. Возьмите отрезок короче или закройте другие программы.";
}
std::string internalErrorMessage() {
    return "Внутренняя ошибка программы. Нажмите кнопку ещё раз; если ошибка повторится, перезапустите программу.";
}

} // namespace viramont
