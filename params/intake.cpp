#include "params/intake.h"

#include "form/layout.h"
#include "params/formula.h"
#include "toolkit/arith.h"
#include "toolkit/number_text.h"
#include "toolkit/utf8.h"

namespace viramont {

namespace {

// A field's text as a 64-bit float, by the lenient parse.
double fieldValue(const TextField& field) { return parseNumber(field.text()); }

// The caption beside a field, as the fault message names it.
std::string captionOf(std::string_view control) {
    for (const auto& [name, caption] : layout::kAccessibleNames) {
        if (control == name) return utf8::cyrillicLookAlikes(caption);
    }
    return std::string(control);
}

// `read()`, a fault in it told as one of the field `control`.
template <class Read>
auto fromField(std::string_view control, Read&& read) {
    try {
        return read();
    } catch (const RuntimeFault& fault) {
        FaultSite site;
        site.part = FaultSite::Part::Field;
        site.cause = FaultSite::Cause::TooLarge;
        site.subject = captionOf(control);
        throw RuntimeFault(fault.kind(), std::move(site));
    }
}

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
    s.CurX = fromField("Text6", [&] { return toSingle(s.XStart.value()); });
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
        const double answer = parseNumber(form.dialogs.input(kBasePrompt, kBaseTitle));
        try {
            s.LogBase = toInt16(answer);
        } catch (const RuntimeFault& fault) {
            FaultSite site;
            site.part = FaultSite::Part::BaseAnswer;
            site.cause = FaultSite::Cause::TooLarge;
            site.value = answer;
            throw RuntimeFault(fault.kind(), std::move(site));
        }
    } while (s.LogBase <= 0);
}

// Until the press completes, what a screen reader hears is that it stopped,
// and a picture already drawn is said to belong to the formula it was drawn
// for.
void SpeakStopped(SpokenText& spoken) {
    spoken.announcement = "«ВЫБОР ПАРАМЕТРОВ» остановлен, формула прежняя.";
    if (spoken.drawnFor.empty()) return;
    spoken.picture1 = "«ВЫБОР ПАРАМЕТРОВ» остановлен; рисунок построен раньше, для формулы " +
                      FormulaOfY(spoken.drawnFor) + ".\n" + spoken.plot;
}

// The new formula; a picture of another formula is said to be out of date.
void SpeakFormula(SpokenText& spoken, const std::string& formula) {
    spoken.announcement = "Формула: " + FormulaOfY(formula) + ".";
    if (spoken.drawnFor.empty()) return;
    spoken.picture1 = spoken.plot;
    if (spoken.drawnFor != formula) {
        spoken.picture1 = "Рисунок построен для прежней формулы " + FormulaOfY(spoken.drawnFor) +
                          "; чтобы построить графики новой, нажмите «ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ».\n" +
                          spoken.plot;
    }
}

} // namespace

void ВЫБОР_Click(Form& form) {
    FormState& s = form.state;

    form.Picture2.clear();
    s.FormulaText.clear();
    SpeakStopped(s.Spoken);

    s.StretchY = fromField("Text1", [&] { return toSingle(fieldValue(form.Text1)); });
    s.StretchX = Numeric::real(fromField("Text2", [&] { return fieldValue(form.Text2); }));
    if (s.StretchX.value() == 0) s.StretchX = Numeric::integer(1);
    if (s.StretchY == 0) s.StretchY = 1.0f;
    s.ShiftX = Numeric::real(fromField("Text3", [&] { return fieldValue(form.Text3); }));
    s.ShiftY = fromField("Text4", [&] { return toSingle(fieldValue(form.Text4)); });
    s.XStart = Numeric::real(fromField("Text6", [&] { return fieldValue(form.Text6); }));
    s.XEnd = fromField("Text7", [&] { return toSingle(fieldValue(form.Text7)); });

    ComposeLeadingTerms(s);
    const std::size_t nameLength = utf8::characterCount(s.FunctionName);

    const bool isLogBase = s.FunctionName == fn::kLogBase;
    if (isLogarithm(s.FunctionName) && !CheckLogarithmDomain(form)) return;
    if (isLogBase) AskLogBase(form);

    ComposeFunctionTerm(s, nameLength);
    form.Text5.setText(s.FormulaText);
    SpeakFormula(s.Spoken, s.FormulaText);
}

} // namespace viramont
