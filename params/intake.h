#pragma once
// Pressing ВЫБОР: the six fields are read into the form state, the interval
// and the logarithm's domain are checked, the base of fn::kLogBase is
// asked for, and the formula of the transformed function goes to Text5.

#include "form/form.h"

namespace viramont {

// The two messages that stop a press of ВЫБОР for a logarithm, and the box
// that asks for the base.
inline constexpr const char* kIntervalMessage = "измените параметры начала и конца отрезка";
inline constexpr const char* kDomainMessage = "Измените параметры: логарифм значений не существует!";
inline constexpr const char* kBasePrompt = "ВВЕДИТЕ ОСНОВАНИЕ ЛОГАРИФМА";
inline constexpr const char* kBaseTitle = "Ввод числа";

void ВЫБОР_Click(Form& form);

} // namespace viramont
