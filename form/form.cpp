#include "form/form.h"

#include "toolkit/guard.h"

namespace viramont {

bool runHandler(Form& form, void (*handler)(Form&)) {
    form.state.Spoken.announcement.clear();
    return runGuarded(form.dialogs, [&] { handler(form); });
}

void Form_Load(Form& form) {
    for (const char* name : kFunctionNames) form.Combo1.append(name);
    form.state.Spoken.picture1 = "Графики ещё не построены.";
}

void Combo1_Click(Form& form) { form.state.FunctionName = form.Combo1.text(); }

void Command3_Click(Form& form) {
    if (form.endProgram) form.endProgram();
}

} // namespace viramont
