#include "plot/legend.h"

#include "toolkit/arith.h"
#include "toolkit/number_text.h"

#include <cmath>
#include <string>

namespace viramont {

// The key and the headings start with Latin C and K where the rest of the
// word is Cyrillic, and the axis names X and Y are Latin.
void ShowLegend(Form& form) {
    const FormState& s = form.state;
    Canvas& pic = form.Picture2;

    pic.print(" ", LineEnd::NewLine);
    pic.print("       ЦВЕТ ГРАФИКА", LineEnd::NewLine);
    pic.print(" ", LineEnd::NewLine);
    pic.print(" Cиний - исходный", LineEnd::NewLine);
    pic.print(" Kрасный - преобразованный", LineEnd::NewLine);
    pic.print(" ", LineEnd::NewLine);
    pic.print("       CМЕЩЕНИЕ", LineEnd::NewLine);
    pic.print(" ", LineEnd::NewLine);

    // Along X: the amount without its sign, in b's own number form; a
    // positive b moves the graph of f(x + b) to the left.
    pic.print(" По оси X на " + numberText(s.ShiftX.abs()), LineEnd::Stay);
    pic.print(s.ShiftX.value() > 0 ? " влево " : " вправо ", LineEnd::NewLine);

    // Along Y: C is a 32-bit float; a NaN is an invalid operation.
    const float C = s.ShiftY;
    if (std::isnan(C)) raiseFault(FaultKind::InvalidOperation);
    pic.print(" По оси Y на " + singleText(std::fabs(C)), LineEnd::Stay);
    pic.print(C > 0.0f ? " вверх " : " вниз ", LineEnd::NewLine);
}

} // namespace viramont
