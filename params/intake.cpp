#include "params/intake.h"

#include "params/formula.h"
#include "toolkit/arith.h"
#include "toolkit/number_text.h"
#include "toolkit/utf8.h"

namespace viramont {

namespace {

// A field's text as a 64-bit float, by the lenient parse.
double fieldValue(const TextField& field) { return parseNumber(field.text()); }

// The interval must lie right of 0, and k·x + b must be positive at every
// point of the half-unit grid that starts at XStart and stays within XEnd.
// False, after the message, when the press has to end.
bool CheckLogarithmDomain(Form& form) {
    FormState& s = form.state;
    if (s.XStart.value() <= 0 || s.XEnd <= 0) {
        form.dialogs.message(kIntervalMessage);
        return false;
    }

    const float end = s.XEnd;
    const float step = 0.5f;
    s.CurX = toSingle(s.XStart.value());
    while (s.CurX <= end) {
        if (s.StretchX.value() * static_cast<double>(s.CurX) + s.ShiftX.value() <= 0) {
            form.dialogs.message(kDomainMessage);
            return false;
        }
        const float next = s.CurX + step;
        // From 2^23 on the step is lost in the rounding and x stands still:
        // the grid has no further points, so the scan is over.
        if (next == s.CurX) break;
        s.CurX = next;
    }
    return true;
}

// Asks for the base until the answer rounds to a whole number of at least 1.
// Cancel gives the empty text, which reads as 0 and asks again.
void AskLogBase(Form& form) {
    FormState& s = form.state;
    do {
        s.LogBase = toInt16(parseNumber(form.dialogs.input(kBasePrompt, kBaseTitle)));
    } while (s.LogBase <= 0);
}

} // namespace

void ВЫБОР_Click(Form& form) {
    FormState& s = form.state;

    form.Picture2.clear();
    s.FormulaText.clear();

    s.StretchY = toSingle(fieldValue(form.Text1));
    s.StretchX = Numeric::real(fieldValue(form.Text2));
    if (s.StretchX.value() == 0) s.StretchX = Numeric::integer(1);
    if (s.StretchY == 0) s.StretchY = 1.0f;
    s.ShiftX = Numeric::real(fieldValue(form.Text3));
    s.ShiftY = toSingle(fieldValue(form.Text4));
    s.XStart = Numeric::real(fieldValue(form.Text6));
    s.XEnd = toSingle(fieldValue(form.Text7));

    ComposeLeadingTerms(s);
    const std::size_t nameLength = utf8::characterCount(s.FunctionName);

    const bool isLogBase = s.FunctionName == fn::kLogBase;
    if (isLogarithm(s.FunctionName) && !CheckLogarithmDomain(form)) return;
    if (isLogBase) AskLogBase(form);

    ComposeFunctionTerm(s, nameLength);
    form.Text5.setText(s.FormulaText);
}

} // namespace viramont
