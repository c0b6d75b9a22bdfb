#pragma once
// Plain stand-ins for the controls: fields that hold a text, a list that
// remembers its entries, dialogs answered from a script.

#include "app/form.h"
#include "toolkit/canvas.h"
#include "toolkit/controls.h"
#include "toolkit/number_text.h"

#include <deque>
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

// A form on fakes, the fields holding the window's initial texts.
struct FakeWindow {
    FakeField text1{"1"}, text2{"1"}, text3{"1"}, text4{"1"}, text5{"Text5"}, text6{"0"}, text7{"10"};
    FakeList combo1;
    RecordingCanvas picture1{825, 521};
    RecordingCanvas picture2{289, 257};
    ScriptedDialogs dialogs;
    bool ended = false;
    Form form{.state = {},
              .Text1 = text1,
              .Text2 = text2,
              .Text3 = text3,
              .Text4 = text4,
              .Text5 = text5,
              .Text6 = text6,
              .Text7 = text7,
              .Combo1 = combo1,
              .Picture1 = picture1,
              .Picture2 = picture2,
              .dialogs = dialogs,
              .endProgram = [this] { ended = true; }};

    FakeWindow() = default;
    FakeWindow(const FakeWindow&) = delete;
    FakeWindow& operator=(const FakeWindow&) = delete;

    void pick(const std::string& name) {
        combo1.shown = name;
        Combo1_Click(form);
    }
};

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
