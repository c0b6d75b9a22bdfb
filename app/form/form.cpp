#include "app/form/form.h"

namespace viramont {

void Form_Load(Form& form) {
    for (const char* name : kFunctionNames) form.Combo1.append(name);
}

void Combo1_Click(Form& form) { form.state.FunctionName = form.Combo1.text(); }

void Command3_Click(Form& form) {
    if (form.endProgram) form.endProgram();
}

} // namespace viramont
