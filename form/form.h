#pragma once
// The form as its procedures see it.
//
//   window (window)  --events-->  handlers  --read/write-->  FormState
//
//   Form_Load, Combo1_Click, Command3_Click   form/form.cpp
//   ВЫБОР_Click  (intake, checks, formula)    params/
//   Command1_Click (plots, axes, legend)      plot/
//
// Handlers talk to each other only through FormState and the controls; the
// controls are reached through the toolkit interfaces, so every handler runs
// the same against the real window and against the recording fakes of the
// tests. What a screen reader hears beyond the controls' own texts (the
// picture in words, what a press announces) is part of FormState too: the
// handlers write it, the front ends publish it when a handler has ended.

#include "toolkit/canvas.h"
#include "toolkit/controls.h"
#include "toolkit/numeric.h"

#include <cstdint>
#include <functional>
#include <string>

namespace viramont {

// What the form says to screen readers beyond the controls' own texts.
struct SpokenText {
    std::string picture1;      // what Picture1 shows, in words
    std::string plot;          // the words of the plot Picture1 shows; "" before the first
    std::string drawnFor;      // that plot's formula, as Text5 writes formulas
    std::string announcement;  // said once when the running handler ends; "" for nothing
};

struct FormState {
    std::string FunctionName;  // the entry picked in Combo1, exactly as listed
    std::string FormulaText;   // the formula shown in Text5
    Numeric XStart;            // start of the interval (Text6)
    float XEnd = 0.0f;         // end of the interval (Text7)
    float StretchY = 0.0f;     // A, factor along Y (Text1)
    Numeric StretchX;          // k, factor along X (Text2)
    Numeric ShiftX;            // b, shift along X (Text3)
    float ShiftY = 0.0f;       // C, shift along Y (Text4)
    std::int16_t LogBase = 0;  // a, base of fn::kLogBase
    Numeric YMax;              // largest y of the last range scan
    float YMin = 0.0f;         // smallest y of the last range scan
    float CurX = 0.0f;         // x of the running loop
    float CurY = 0.0f;         // y last computed by a plot loop
    SpokenText Spoken;         // for screen readers (plot/description, params/intake)
};

struct Form {
    FormState state;
    TextField& Text1;  // A
    TextField& Text2;  // k
    TextField& Text3;  // b
    TextField& Text4;  // C
    TextField& Text5;  // formula (output)
    TextField& Text6;  // start of the interval
    TextField& Text7;  // end of the interval
    ListControl& Combo1;
    Canvas& Picture1;  // graphs
    Canvas& Picture2;  // legend
    Dialogs& dialogs;
    std::function<void()> endProgram;
};

// The six functions by the names Combo1 lists them under; every part of the
// program that tells them apart compares with these.
namespace fn {
inline constexpr const char* kSin = "Sin(X)";
inline constexpr const char* kCos = "Cos(X)";
inline constexpr const char* kSquare = "(x)^2";
inline constexpr const char* kCube = "(x)^3";
inline constexpr const char* kLog = "Log(x)";
inline constexpr const char* kLogBase = "Log(b)/Log(a)";
} // namespace fn

// The six entries of Combo1, in list order.
inline constexpr const char* kFunctionNames[] = {fn::kSin, fn::kCos, fn::kSquare, fn::kCube, fn::kLog, fn::kLogBase};

// The two logarithms, whose interval and domain ВЫБОР checks.
inline bool isLogarithm(const std::string& name) { return name == fn::kLog || name == fn::kLogBase; }

// The form over a front end's controls, its state zeroed: the text fields
// by their names in the layout ("Text1" to "Text7"), the list, the two
// canvases, the boxes and the end of the program.
Form formOver(const std::function<TextField&(const char* name)>& field, ListControl& combo1, Canvas& picture1,
              Canvas& picture2, Dialogs& dialogs, std::function<void()> endProgram);

// Runs a handler behind the event boundary (toolkit/guard.h), its
// announcement starting empty; true when it ran to its end.
bool runHandler(Form& form, void (*handler)(Form&));

void Form_Load(Form& form);
void Combo1_Click(Form& form);
void Command3_Click(Form& form);

} // namespace viramont
