#pragma once
// The one kit for a form without a window, shared by the tests, the press
// fuzzer and the benchmarks: in-memory fields and list, dialogs answered
// from a script, the canvas sizes of the layout, a Form over any two
// canvases, and the form states the tests start from.

#include "form/form.h"
#include "form/layout.h"
#include "recording_canvas.h"
#include "toolkit/canvas.h"
#include "toolkit/controls.h"
#include "toolkit/number_text.h"

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace viramont::test {

// Sets the decimal separator for as long as it lives and gives the old one
// back after.
class DecimalSeparator {
public:
    explicit DecimalSeparator(std::string separator) : saved_(decimalSeparator()) {
        setDecimalSeparator(std::move(separator));
    }
    ~DecimalSeparator() { setDecimalSeparator(saved_); }
    DecimalSeparator(const DecimalSeparator&) = delete;
    DecimalSeparator& operator=(const DecimalSeparator&) = delete;

private:
    std::string saved_;
};

class FakeField final : public TextField {
public:
    explicit FakeField(std::string text = {}) : text_(std::move(text)) {}
    std::string text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

class FakeList final : public ListControl {
public:
    void append(const std::string& entry) override { entries.push_back(entry); }
    std::string text() const override { return shown; }
    std::vector<std::string> entries;
    std::string shown = "ФУНКЦИИ";
};

// Messages are recorded; input boxes take their answers from `answers` in
// order ("" once they run out, as Cancel would give).
class ScriptedDialogs final : public Dialogs {
public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::string input(const std::string& prompt, const std::string& title) override {
        prompts.push_back(prompt);
        titles.push_back(title);
        if (answers.empty()) {
            if (++unanswered > 1000) throw std::runtime_error("input box asked too often");
            return {};
        }
        std::string a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> messages;
    std::vector<std::string> prompts;
    std::vector<std::string> titles;
    std::deque<std::string> answers;
    int unanswered = 0;
};

// The drawing areas of the two canvases, in logical pixels.
inline constexpr layout::PixelSize kPicture1 = layout::canvasArea("Picture1");
inline constexpr layout::PixelSize kPicture2 = layout::canvasArea("Picture2");

// The seven fields and the list, with the window's initial texts.
struct FakeControls {
    FakeField text1{"1"}, text2{"1"}, text3{"1"}, text4{"1"}, text5{"Text5"}, text6{"0"}, text7{"10"};
    FakeList combo1;

    // Picks an entry of the list as a click on it does.
    void pick(Form& form, const std::string& name) {
        combo1.shown = name;
        Combo1_Click(form);
    }
};

// A form on the fields and list of `controls` over any two canvases and
// dialogs, its state zeroed.
inline Form formOver(FakeControls& c, Canvas& picture1, Canvas& picture2, Dialogs& dialogs,
                     std::function<void()> endProgram = {}) {
    return Form{.state = {},
                .Text1 = c.text1,
                .Text2 = c.text2,
                .Text3 = c.text3,
                .Text4 = c.text4,
                .Text5 = c.text5,
                .Text6 = c.text6,
                .Text7 = c.text7,
                .Combo1 = c.combo1,
                .Picture1 = picture1,
                .Picture2 = picture2,
                .dialogs = dialogs,
                .endProgram = std::move(endProgram)};
}

// A form on fakes that records what it draws.
struct FakeWindow : FakeControls {
    RecordingCanvas picture1{kPicture1.width, kPicture1.height};
    RecordingCanvas picture2{kPicture2.width, kPicture2.height};
    ScriptedDialogs dialogs;
    bool ended = false;
    Form form = formOver(*this, picture1, picture2, dialogs, [this] { ended = true; });

    FakeWindow() = default;
    FakeWindow(const FakeWindow&) = delete;
    FakeWindow& operator=(const FakeWindow&) = delete;

    void pick(const std::string& name) { FakeControls::pick(form, name); }
};

// The state ВЫБОР leaves for the window's initial texts: A = k = b = C = 1,
// the interval 0 to 10.
inline void setDefaults(FormState& s, const std::string& function) {
    s.FunctionName = function;
    s.StretchY = 1.0f;
    s.StretchX = Numeric::real(1.0);
    s.ShiftX = Numeric::real(1.0);
    s.ShiftY = 1.0f;
    s.XStart = Numeric::real(0.0);
    s.XEnd = 10.0f;
}

// The hand-set state of most axes cases: the interval -5 to 5, the range -1
// to 2, C = 1, b = 2 (the canvas then shows x from -6 to 6, y from -2 to 3).
inline FormState axesSampleState() {
    FormState s;
    s.XStart = Numeric::real(-5);
    s.XEnd = 5.0f;
    s.YMax = Numeric::single(2.0f);
    s.YMin = -1.0f;
    s.ShiftY = 1.0f;
    s.ShiftX = Numeric::real(2);
    return s;
}

} // namespace viramont::test
