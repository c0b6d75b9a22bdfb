#include "form/form.h"

#include "toolkit/guard.h"

#include <utility>

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

Form formOver(const std::function<TextField&(const char* name)>& field, ListControl& combo1, Canvas& picture1,
              Canvas& picture2, Dialogs& dialogs, std::function<void()> endProgram) {
    return Form{
        .state = {},
        .Text1 = field("Text1"),
        .Text2 = field("Text2"),
        .Text3 = field("Text3"),
        .Text4 = field("Text4"),
        .Text5 = field("Text5"),
        .Text6 = field("Text6"),
        .Text7 = field("Text7"),
        .Combo1 = combo1,
        .Picture1 = picture1,
        .Picture2 = picture2,
        .dialogs = dialogs,
        .endProgram = std::move(endProgram),
    };
}

} // namespace viramont
