// Random presses of ВЫБОР and Command1 over in-memory controls, every result
// a pupil could see written as one line of text, so that the program built
// natively and built as WebAssembly can be diffed press by press
// (compare.sh).
//
// Usage: press_transcript [presses [seed]]     (10000 presses, seed 1)
//
// A run is made as an input of the press fuzzer is (fuzz/press_fuzzer.cpp):
// the entry picked in Combo1, the texts of Text1-4, Text6 and Text7, up to
// eight actions (V, P, picks 0-6, ',' and '.', H for high-DPI canvases) and
// the answers typed into the base box. The draws come from a generator of
// our own, splitmix64: the standard distributions give other numbers with
// another standard library. Only the short presses of tests/press_oracle.h
// are made; a run whose base box was cancelled 1000 times ends there.
//
// Each line starts with the number of its press. ВЫБОР writes the state it
// read from the fields and Text5; Command1 writes the device ends of every
// line, the device position and text of every print, then per canvas and
// colour the count of points and a 64-bit FNV-1a hash of their device pixels
// (each pixel once for a run of points in it), and YMax and YMin. Every
// message box follows, and the fault kind when a fault stopped the press.
// Numbers are written as their bit patterns, never as rounded decimals.

#include "form/form.h"
#include "form/layout.h"
#include "params/intake.h"
#include "plot/plot.h"
#include "tests/form_kit.h"
#include "tests/press_oracle.h"
#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/fault.h"
#include "toolkit/guard.h"
#include "toolkit/number_text.h"
#include "toolkit/std_compat.h"
#include "toolkit/utf8.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace {

using namespace viramont;
namespace oracle = test::oracle;

// The transcript so far, and the prefix of the lines of the running press.
std::string out;
std::string pressTag;

void emit(const std::string& line) { out += pressTag + line + '\n'; }

std::string hex(std::uint64_t v, int digits) {
    char buf[20];
    std::snprintf(buf, sizeof buf, "%0*llx", digits, static_cast<unsigned long long>(v));
    return buf;
}
// A NaN's sign and payload are left to the processor, so every NaN is "nan".
std::string bits(double v) { return std::isnan(v) ? "nan" : hex(compat::bitCast<std::uint64_t>(v), 16); }
std::string bits(float v) { return std::isnan(v) ? "nan" : hex(compat::bitCast<std::uint32_t>(v), 8); }
std::string bits(const Numeric& v) { return std::string(1, "UISR"[static_cast<int>(v.kind())]) + bits(v.value()); }
std::string bits(DevicePoint d) { return bits(d.x) + "," + bits(d.y); }

// Canvas colour of the calls without one: the fore colour.
constexpr std::uint64_t kFore = 1ull << 32;

// A canvas that draws nothing: it maps every call through CanvasGeometry,
// as the window's and the page's canvases do, writes lines and prints to the
// transcript at once and keeps a digest of the points per colour.
class DigestCanvas final : public Canvas {
public:
    DigestCanvas(layout::PixelSize area, int ratio, char name)
        : geometry_(area.width * ratio, area.height * ratio), name_(name) {}

    void clear() override { geometry_.clear(); }
    void setScale(double left, double top, double right, double bottom) override {
        geometry_.setScale(left, top, right, bottom);
    }
    void setDrawWidth(int pixels) override { geometry_.setDrawWidth(pixels); }
    void point(double x, double y) override { stamp(x, y, kFore); }
    void point(double x, double y, Colour colour) override { stamp(x, y, colour); }
    void line(double x1, double y1, double x2, double y2) override { draw(x1, y1, x2, y2, kFore); }
    void line(double x1, double y1, double x2, double y2, Colour colour) override { draw(x1, y1, x2, y2, colour); }
    void print(std::string_view text, LineEnd end) override {
        const WorldPoint at = geometry_.current();
        emit(std::string("print") + name_ + " " + bits(geometry_.map(at.x, at.y)) + " \"" + std::string(text) + "\"");
        geometry_.notePrint(text, end, 8.0 * static_cast<double>(utf8::characterCount(text)), 16.0);
    }
    WorldPoint currentPoint() const override { return geometry_.current(); }
    std::string accessibleText() const override { return geometry_.printedLines(); }

    // Writes the digests of the points since the last call and starts anew.
    void flushDigests() {
        for (const auto& [colour, d] : digests_)
            emit(std::string("points") + name_ + " " + hex(colour, 9) + " " + std::to_string(d.count) + " " +
                 hex(d.hash, 16));
        digests_.clear();
    }

private:
    struct Digest {
        long long count = 0;
        std::uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a offset basis
        std::uint64_t last = ~0ull;                  // no pixel yet
    };

    // Every point's pixel, on the canvas or not; a pixel of nothing (a
    // coordinate not finite or beyond an int) hashes as one more value.
    void stamp(double x, double y, std::uint64_t colour) {
        geometry_.moveTo(x, y);
        const DevicePoint d = geometry_.map(x, y);
        const DevicePixel px = DevicePixel::of(d);
        std::uint64_t key = 1ull << 62;
        if (px.holds(d)) key = std::uint64_t{static_cast<std::uint32_t>(px.left())} << 32 |
                               static_cast<std::uint32_t>(px.top());
        Digest& g = digests_[colour];
        ++g.count;
        if (key == g.last) return;
        g.last = key;
        for (int i = 0; i < 64; i += 8) g.hash = (g.hash ^ ((key >> i) & 0xFF)) * 0x100000001b3ull;
    }

    void draw(double x1, double y1, double x2, double y2, std::uint64_t colour) {
        geometry_.moveTo(x2, y2);
        emit(std::string("line") + name_ + " " + hex(colour, 9) + " " + std::to_string(geometry_.drawWidth()) + " " +
             bits(geometry_.map(x1, y1)) + " " + bits(geometry_.map(x2, y2)));
    }

    CanvasGeometry geometry_;
    char name_;
    std::map<std::uint64_t, Digest> digests_;
};

// splitmix64: the same numbers with every compiler and library.
class Random {
public:
    explicit Random(std::uint64_t seed) : s_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (s_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <std::size_t N>
    const char* oneOf(const char* const (&list)[N]) { return list[below(static_cast<int>(N))]; }

private:
    std::uint64_t s_;
};

std::string digits(Random& r, int count) {
    std::string d;
    for (int i = 0; i < count; ++i) d += static_cast<char>('0' + r.below(10));
    return d;
}

// A value in thousandths as a decimal text, the separator a point or a comma.
std::string thousandths(Random& r, long long v) {
    std::string t = v < 0 ? "-" : "";
    const long long m = std::llabs(v);
    t += std::to_string(m / 1000);
    if (m % 1000 || r.chance(20)) t += (r.chance(70) ? "." : ",") + std::to_string(1000 + m % 1000).substr(1);
    return t;
}

// What a pupil might type into a field. Each draw is a statement of its
// own: the operands of one expression are drawn in another order by
// another compiler.
std::string fieldText(Random& r) {
    static const char* const special[] = {
        "1e39", "-1e39", "3e38", "3.4028235e38", "3.40282357e38", "1e999", "-1e999", "1e-50", "1e-310", "4.9e-324",
        "2.4703282292062328e-324", "1.7976931348623157e308", "1.7976931348623159e308", "32767", "32768", "-32768",
        "2048", "8388608", "16777217", "-0", "0", "0.1", "1.00000001", "1e10", "-1e6", "123456789012345678"};
    static const char* const odd[] = {"", " ", "abc", "7abc", "x", "1e", "+.5", "-.", "1,5.3", "1.5e+0", " 12",
                                      "\t3", "e5", "--1", "Ж2", ".", "1e+", "0x10"};
    const int kind = r.below(10);
    if (kind < 3) return std::to_string(r.below(19) - 9);
    if (kind < 6) return thousandths(r, r.below(10001) - 5000);
    if (kind == 7) return r.oneOf(special);
    if (kind == 8) return r.oneOf(odd);
    std::string t = r.chance(30) ? "-" : "";
    if (kind == 6) {  // an exponent, mostly a small one
        t += digits(r, 1 + r.below(3));
        t += r.chance(50) ? "e" : "E";
        t += r.chance(50) ? "-" : (r.chance(50) ? "+" : "");
        t += std::to_string(r.below(r.chance(80) ? 12 : 400));
        return t;
    }
    // Long texts, rounded only in their last digits.
    t += digits(r, 1 + r.below(20));
    t += r.chance(50) ? "." : ",";
    t += digits(r, 1 + r.below(25));
    if (r.chance(30)) t += "e" + std::to_string(r.below(80) - 40);
    return t;
}

// The text of Combo1 for a pick of the input: "0" to "6", or another text.
std::string pickText(Random& r) {
    static const char* const odd[] = {"sin(x)", "ФУНКЦИИ", "Log(X)", "(x)^2 ", "Cos(X)x", "(x)", "Log(b)/Log(a "};
    return r.chance(90) ? std::string(1, static_cast<char>('0' + r.below(7))) : r.oneOf(odd);
}

std::string entryOf(const std::string& pick) {
    if (pick.size() == 1 && pick[0] >= '0' && pick[0] <= '6') return pick[0] < '6' ? kFunctionNames[pick[0] - '0'] : "";
    return pick;
}

struct Tally {
    long long runs = 0, presses = 0, selects = 0, plots = 0, skipped = 0, faults = 0, boxes = 0;
} tally;

// The form on in-memory controls and two digest canvases of the layout.
struct Window : test::FakeControls {
    explicit Window(int ratio) : picture1(test::kPicture1, ratio, '1'), picture2(test::kPicture2, ratio, '2') {
        Form_Load(form);
    }
    DigestCanvas picture1, picture2;
    test::ScriptedDialogs dialogs;
    Form form = test::formOver(*this, picture1, picture2, dialogs, [] {});
};

// Presses a button, then writes the boxes it showed and how it ended.
void press(Window& w, void (*handler)(Form&), const char* button) {
    pressTag = std::to_string(++tally.presses) + " ";
    w.dialogs.messages.clear();
    std::optional<FaultKind> fault;
    const bool completed = runGuarded(w.dialogs, [&] {
        try {
            handler(w.form);
        } catch (const RuntimeFault& stopped) {
            fault = stopped.kind();
            throw;
        }
    });
    const FormState& s = w.form.state;
    if (handler == Command1_Click) {
        ++tally.plots;
        w.picture1.flushDigests();
        w.picture2.flushDigests();
        emit("ymax " + bits(s.YMax) + " ymin " + bits(s.YMin));
    } else {
        ++tally.selects;
        emit("state A " + bits(s.StretchY) + " k " + bits(s.StretchX) + " b " + bits(s.ShiftX) + " C " +
             bits(s.ShiftY) + " x " + bits(s.XStart) + " " + bits(s.XEnd) + " a " + std::to_string(s.LogBase));
        emit("text5 \"" + w.text5.text() + "\"");
    }
    for (const std::string& m : w.dialogs.messages) emit("box \"" + m + "\"");
    tally.boxes += static_cast<long long>(w.dialogs.messages.size());
    if (completed) return;
    ++tally.faults;
    static const char* const names[] = {"invalid-operation", "division-by-zero", "overflow",
                                        "conversion-overflow", "invalid-argument"};
    emit(std::string(button) + " stopped by fault " + (fault ? names[static_cast<int>(*fault)] : "other"));
}

// One run: a fresh window, its input made and written, its actions pressed
// until they end or `presses` have been made.
void run(Random& r, long long presses) {
    std::string pick = pickText(r), fields[6], actions, answers;
    for (std::string& f : fields) f = fieldText(r);
    if (r.chance(70)) {  // mostly intervals short enough to plot
        const long long start = r.below(9001) - 3000;
        fields[4] = thousandths(r, start);
        fields[5] = thousandths(r, start + r.below(3201) - 100);
    }
    static const char actionChars[] = "VVVPPPP0123456,.H";
    if (r.chance(40)) actions = "VP";
    for (int n = actions.empty() ? 1 + r.below(8) : 0; n > 0; --n) actions += actionChars[r.below(17)];

    setDecimalSeparator(".");
    const bool highDpi = actions.find('H') != std::string::npos;
    Window w(highDpi ? 2 : 1);
    test::FakeField* texts[] = {&w.text1, &w.text2, &w.text3, &w.text4, &w.text6, &w.text7};
    for (int i = 0; i < 6; ++i) texts[i]->setText(fields[i]);
    for (int n = r.below(4); n > 0; --n) {
        static const char* const odd[] = {"0", "-1", "2,5", "1.5", "abc", "", "32768", "1e5", "0.5", "1", "-0.4"};
        w.dialogs.answers.push_back(r.oneOf(odd));
    }
    if (r.chance(85)) w.dialogs.answers.push_back(std::to_string(2 + r.below(9)));
    for (const std::string& a : w.dialogs.answers) answers += " \"" + a + "\"";

    pressTag = "run " + std::to_string(++tally.runs) + " ";
    emit("pick \"" + pick + "\" fields \"" + fields[0] + "\" \"" + fields[1] + "\" \"" + fields[2] + "\" \"" +
         fields[3] + "\" \"" + fields[4] + "\" \"" + fields[5] + "\" actions " + actions + " answers" + answers);
    w.pick(w.form, entryOf(pick));

    for (char a : actions) {
        if (tally.presses >= presses) return;
        const FormState& s = w.form.state;
        if (a == 'V') {
            if (!oracle::selectIsShort(s.FunctionName, w.text6.text(), w.text7.text())) {
                ++tally.skipped;
                continue;
            }
            press(w, ВЫБОР_Click, "V");
            if (w.dialogs.unanswered > 1000) return;
        } else if (a == 'P') {
            if (!oracle::plotIsShort(s)) {
                ++tally.skipped;
                continue;
            }
            press(w, Command1_Click, "P");
        } else if (a == ',' || a == '.') {
            setDecimalSeparator(std::string(1, a));
        } else if (a >= '0' && a <= '6') {
            w.pick(w.form, entryOf(std::string(1, a)));
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const long long presses = argc > 1 ? std::atoll(argv[1]) : 10000;
    Random r(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
    while (tally.presses < presses) {
        run(r, presses);
        std::fputs(out.c_str(), stdout);
        out.clear();
    }
    std::printf("tally runs %lld presses %lld selects %lld plots %lld skipped %lld faults %lld boxes %lld\n",
                tally.runs, tally.presses, tally.selects, tally.plots, tally.skipped, tally.faults, tally.boxes);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
