// Presses ВЫБОР and Command1 with whatever a pupil might type, and checks
// that every press ends in one of the ways the program allows.
//
// Input: lines of text separated by '\n'.
//   line 0     the entry picked in Combo1: "0" to "5" pick one of the six
//              functions, "6" picks nothing (the empty text), any other line
//              is taken as the text of Combo1 itself
//   lines 1-6  the texts of Text1, Text2, Text3, Text4, Text6, Text7
//   line 7     the actions, one character each (the first kMaxActions):
//              V presses ВЫБОР, P presses Command1, 0-6 pick as in line 0,
//              ',' and '.' set the decimal separator, H makes the next
//              canvases high-DPI; an empty or missing line means "VP"
//   lines 8-   the answers typed into the base input box, in order
//
// The canvases are the window's RasterCanvas (images in memory), each seen
// through a checking layer, so AddressSanitizer watches every pixel the
// program writes.
//
// Every press must end in exactly one of these ways:
//   - ВЫБОР completed: Text5 shows FormulaText, no box was shown, for
//     "Log(b)/Log(a)" LogBase >= 1, for either logarithm the interval lies
//     right of 0;
//   - ВЫБОР stopped by a check: one of its two messages, for a logarithm
//     only, Text5 and LogBase unchanged;
//   - Command1 completed: no box; for one of the six functions the legend
//     was printed, for any other entry neither canvas was touched;
//   - either press stopped by a run-time fault: exactly one box, the message
//     of a named fault kind, Text5 unchanged.
// Anything else (the internal-error box of the event boundary, an exception
// other than RuntimeFault, a second box) aborts the run, and libFuzzer keeps
// the input.
//
// Bounds that keep one run within milliseconds, while every field value,
// however large, still goes through the intake: only the short presses of
// tests/press_oracle.h are made; the base input box, once the typed answers
// are used up, is cancelled kMaxUnanswered times and then the run ends
// (asking again after Cancel is what the program is meant to do, so that is
// the end of the input, not a failure).

#include "form/form.h"
#include "params/intake.h"
#include "plot/plot.h"
#include "tests/press_oracle.h"
#include "tests/raster_form.h"
#include "toolkit/arith.h"
#include "toolkit/canvas.h"
#include "toolkit/fault.h"
#include "toolkit/guard.h"
#include "toolkit/number_text.h"
#include "toolkit/qt/raster_canvas.h"
#include "toolkit/utf8.h"

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

using namespace viramont;

namespace oracle = test::oracle;

constexpr std::size_t kMaxActions = 8;
constexpr int kMaxUnanswered = 300;

std::string currentInput;  // for the report of a failure

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "\n*** press invariant broken: %s\n*** input:\n%s\n*** end of input\n", what.c_str(),
                 currentInput.c_str());
    std::abort();
}

// Raised when the input box has been cancelled kMaxUnanswered times in a
// row after the typed answers ran out; not a RuntimeFault, so the event
// boundary shows its internal-error box, which the run then ignores.
struct InputExhausted {};

class Boxes final : public Dialogs {
public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::string input(const std::string& prompt, const std::string& title) override {
        if (!(prompt == kBasePrompt && title == kBaseTitle)) fail("input box other than the base: " + prompt);
        ++inputs;
        if (!answers.empty()) {
            std::string a(answers.front());
            answers.pop_front();
            return a;
        }
        if (++unanswered > kMaxUnanswered) {
            exhausted = true;
            throw InputExhausted{};
        }
        return {};
    }

    std::vector<std::string> messages;  // of the running press
    std::deque<std::string_view> answers;
    int inputs = 0;
    int unanswered = 0;
    bool exhausted = false;
};

// Passes every call on to the real canvas, counting them and checking what
// the program hands over: the plot's points are finite (their y went through
// the program's checked arithmetic), and every printed text is clean UTF-8.
class CheckedCanvas final : public Canvas {
public:
    // `everyPoint`: the canvas does not tell the plot of its pixels, so the
    // graphs come point by point, as the reference for a press drawn by
    // columns.
    explicit CheckedCanvas(Canvas& inner, bool everyPoint = false) : inner_(inner), everyPoint_(everyPoint) {}

    void clear() override {
        ++calls;
        inner_.clear();
    }
    void setScale(double left, double top, double right, double bottom) override {
        ++calls;
        inner_.setScale(left, top, right, bottom);
    }
    void setDrawWidth(int pixels) override {
        ++calls;
        inner_.setDrawWidth(pixels);
    }
    void point(double x, double y) override {
        notePoint(x, y);
        inner_.point(x, y);
    }
    void point(double x, double y, Colour colour) override {
        notePoint(x, y);
        inner_.point(x, y, colour);
    }
    void line(double x1, double y1, double x2, double y2) override {
        ++calls;
        inner_.line(x1, y1, x2, y2);
    }
    void line(double x1, double y1, double x2, double y2, Colour colour) override {
        ++calls;
        inner_.line(x1, y1, x2, y2, colour);
    }
    void print(std::string_view text, LineEnd end) override {
        ++calls;
        if (!utf8::isClean(text)) fail("printed text is not clean UTF-8: " + std::string(text));
        inner_.print(text, end);
    }
    WorldPoint currentPoint() const override { return inner_.currentPoint(); }
    std::string accessibleText() const override { return inner_.accessibleText(); }
    const CanvasGeometry* pixelGrid() const override { return everyPoint_ ? nullptr : inner_.pixelGrid(); }

    long long calls = 0;
    long long points = 0;

private:
    void notePoint(double x, double y) {
        ++calls;
        ++points;
        if (!(std::isfinite(x) && std::isfinite(y)))
            fail("point handed to the canvas is not finite: " + std::to_string(x) + ", " + std::to_string(y));
    }
    Canvas& inner_;
    bool everyPoint_;
};

// The window's two raster canvases, made once for each pixel ratio (a new
// image costs more than most runs) and put back before every run into the
// state of a new canvas: drawing width 1, the pixel scale, cleared.
test::RasterCanvases& freshCanvases(bool highDpi, bool reference = false) {
    static test::RasterCanvases normal(1.0), high(2.0), normalReference(1.0), highReference(2.0);
    test::RasterCanvases& c = reference ? (highDpi ? highReference : normalReference) : highDpi ? high : normal;
    for (auto [canvas, area] : {std::pair{&c.picture1, test::kPicture1}, std::pair{&c.picture2, test::kPicture2}}) {
        canvas->setDrawWidth(1);
        canvas->setScale(0, 0, area.width, area.height);
        canvas->clear();
    }
    return c;
}

// The form on in-memory controls and the two raster canvases.
struct Window : test::FakeControls {
    explicit Window(test::RasterCanvases& canvases, bool everyPoint = false)
        : canvases(canvases), picture1(canvases.picture1, everyPoint), picture2(canvases.picture2, everyPoint) {
        Form_Load(form);
    }

    test::RasterCanvases& canvases;
    CheckedCanvas picture1, picture2;
    Boxes boxes;
    Form form = test::formOver(*this, picture1, picture2, boxes, [] {});
};

std::string entryOf(std::string_view line) {
    if (line.size() == 1 && line[0] >= '0' && line[0] <= '6') {
        const int i = line[0] - '0';
        return i < 6 ? kFunctionNames[i] : "";
    }
    return std::string(line);
}

bool press(Window& w, void (*handler)(Form&)) {
    w.boxes.messages.clear();
    return runGuarded(w.boxes, [&] { handler(w.form); });
}

// A press that ended by a fault shows exactly the message of a named fault.
void expectFaultBox(const Window& w, const char* button) {
    if (w.boxes.messages.size() != 1)
        fail(std::string(button) + ": " + std::to_string(w.boxes.messages.size()) + " boxes after a fault");
    if (oracle::classify(w.boxes.messages[0]) != oracle::Message::NamedFault)
        fail(std::string(button) + ": the box is not a named fault: " + w.boxes.messages[0]);
}

// Presses ВЫБОР and checks how it ended; false when the run is over.
bool pressSelect(Window& w) {
    FormState& s = w.form.state;
    if (!oracle::selectIsShort(s.FunctionName, w.text6.text(), w.text7.text())) return true;

    const std::string text5Before = w.text5.text();
    const std::int16_t baseBefore = s.LogBase;
    const bool completed = press(w, ВЫБОР_Click);
    if (w.boxes.exhausted) return false;

    if (!w.picture2.accessibleText().empty()) fail("ВЫБОР left text in the legend panel");
    if (!completed) {
        expectFaultBox(w, "ВЫБОР");
        if (w.text5.text() != text5Before) fail("ВЫБОР changed Text5 although a fault stopped it");
        return true;
    }
    if (!w.boxes.messages.empty()) {
        if (w.boxes.messages.size() != 1) fail("ВЫБОР showed more than one box");
        const std::string& m = w.boxes.messages[0];
        if (!oracle::isCheck(oracle::classify(m))) fail("ВЫБОР showed an unknown box: " + m);
        if (!isLogarithm(s.FunctionName)) fail("ВЫБОР checked the interval of " + s.FunctionName);
        if (w.text5.text() != text5Before) fail("ВЫБОР changed Text5 although a check stopped it");
        if (s.LogBase != baseBefore) fail("a check stopped ВЫБОР but LogBase changed");
        return true;
    }
    if (w.text5.text() != s.FormulaText) fail("Text5 does not show FormulaText after ВЫБОР");
    if (s.FormulaText.empty()) fail("ВЫБОР completed with an empty formula");
    if (oracle::isPlotted(s.FunctionName)) {
        if (!utf8::isClean(s.FormulaText)) fail("formula is not clean UTF-8: " + s.FormulaText);
    }
    if (isLogarithm(s.FunctionName)) {
        if (!(s.XStart.value() > 0 && s.XEnd > 0)) fail("ВЫБОР accepted an interval left of 0 for a logarithm");
    }
    if (s.FunctionName == fn::kLogBase) {
        if (s.LogBase < 1) fail("ВЫБОР completed with LogBase " + std::to_string(s.LogBase));
        const std::string suffix = "/Log(" + std::to_string(s.LogBase) + ")";
        if (!s.FormulaText.ends_with(suffix)) fail("formula does not end with the base: " + s.FormulaText);
    }
    return true;
}

template <class T>
bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// The same press, one that drew its axes, on a window whose canvases take
// every point: the same ending, box, numbers, description and pixels.
void expectSameAsEveryPoint(const Window& w, const FormState& before, bool completed, bool highDpi) {
    Window every(freshCanvases(highDpi, true), true);
    every.form.state = before;
    const std::uint64_t everyClears = every.canvases.picture1.geometry().clears();
    const bool everyCompleted = press(every, Command1_Click);
    const FormState &s = w.form.state, &e = every.form.state;
    if (completed != everyCompleted || w.boxes.messages != every.boxes.messages)
        fail("the press by columns ended otherwise than point by point");
    if (!sameBits(s.CurX, e.CurX) || !sameBits(s.CurY, e.CurY) || !sameBits(s.YMin, e.YMin) ||
        !(s.YMax.isUnset() == e.YMax.isUnset() && (s.YMax.isUnset() || sameBits(s.YMax.value(), e.YMax.value()))))
        fail("the press by columns left other numbers than point by point");
    if (s.Spoken.picture1 != e.Spoken.picture1) fail("the press by columns is described otherwise than point by point");
    if (every.canvases.picture1.geometry().clears() == everyClears)
        fail("the press by columns drew its axes, point by point it did not");
    if (w.canvases.picture1.image() != every.canvases.picture1.image())
        fail("the press by columns drew other pixels than point by point");
}

// Presses Command1 and checks how it ended.
void pressPlot(Window& w, bool highDpi) {
    FormState& s = w.form.state;
    if (!oracle::plotIsShort(s)) return;

    const FormState before = s;
    const std::uint64_t clearsBefore = w.canvases.picture1.geometry().clears();
    const long long calls1 = w.picture1.calls, calls2 = w.picture2.calls;
    const bool completed = press(w, Command1_Click);
    if (w.canvases.picture1.geometry().clears() != clearsBefore) expectSameAsEveryPoint(w, before, completed, highDpi);
    if (!completed) {
        expectFaultBox(w, "Command1");
        if (!oracle::isPlotted(s.FunctionName)) fail("Command1 faulted for the entry " + s.FunctionName);
        return;
    }
    if (!w.boxes.messages.empty()) fail("Command1 showed a box: " + w.boxes.messages.front());
    if (!oracle::isPlotted(s.FunctionName)) {
        if (!(w.picture1.calls == calls1 && w.picture2.calls == calls2))
            fail("Command1 drew for the entry " + s.FunctionName);
        return;
    }
    if (w.picture1.calls <= calls1) fail("Command1 completed without drawing the axes");
    if (w.picture2.accessibleText().empty()) fail("Command1 completed without a legend");
}

std::vector<std::string_view> splitLines(std::string_view data) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (true) {
        const std::size_t nl = data.find('\n', from);
        if (nl == std::string_view::npos) {
            lines.push_back(data.substr(from));
            return lines;
        }
        lines.push_back(data.substr(from, nl - from));
        from = nl + 1;
    }
}

void run(std::string_view data) {
    setDecimalSeparator(".");
    std::vector<std::string_view> lines = splitLines(data);
    auto line = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::string_view(); };

    std::string_view actions = line(7);
    if (actions.empty()) actions = "VP";
    if (actions.size() > kMaxActions) actions = actions.substr(0, kMaxActions);

    const bool highDpi = actions.find('H') != std::string_view::npos;
    Window w(freshCanvases(highDpi));
    test::FakeField* fields[] = {&w.text1, &w.text2, &w.text3, &w.text4, &w.text6, &w.text7};
    for (std::size_t i = 0; i < 6; ++i) fields[i]->setText(std::string(line(i + 1)));
    w.text5.setText("Text5");
    for (std::size_t i = 8; i < lines.size(); ++i) w.boxes.answers.push_back(lines[i]);
    w.pick(w.form, entryOf(line(0)));

    for (char a : actions) {
        switch (a) {
        case 'V':
            if (!pressSelect(w)) return;
            break;
        case 'P':
            pressPlot(w, highDpi);
            break;
        case ',':
        case '.':
            setDecimalSeparator(std::string(1, a));
            break;
        default:
            if (a >= '0' && a <= '6') w.pick(w.form, entryOf(std::string_view(&a, 1)));
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The raster canvases print with fonts, which need the application. It
    // gets a command line of its own: libFuzzer's options are not for Qt.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_press";
    static char* argv[] = {name, nullptr};
    // The application lives as long as the process, as in the program: its
    // font caches, which the canvases' texts fill, are not torn down at
    // exit while the fonts of the last run are still referenced.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    currentInput.assign(input);
    run(input);
    return 0;
}
