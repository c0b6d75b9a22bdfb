#include "practice/practice.h"

#include "form/layout.h"
#include "params/formula.h"
#include "plot/plot.h"
#include "practice/notation.h"
#include "practice/picture.h"
#include "plot/redraw.h"
#include "toolkit/arith.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/fault.h"
#include "toolkit/number_text.h"
#include "toolkit/utf8.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace viramont::practice {

namespace {

// ---- the task's picture as pixels --------------------------------------------

// A canvas of the task picture's pixels that keeps only which pixels the
// graphs' points fall into: the hidden red graph's and an answer's.
class StampCanvas final : public Canvas {
public:
    StampCanvas() : geometry_(pictureSize().width, pictureSize().height), red_(cells()), answer_(cells()) {}

    void clear() override {
        geometry_.clear();
        std::fill(red_.begin(), red_.end(), 0);
        std::fill(answer_.begin(), answer_.end(), 0);
    }
    void setScale(double left, double top, double right, double bottom) override {
        geometry_.setScale(left, top, right, bottom);
    }
    void setDrawWidth(int pixels) override { geometry_.setDrawWidth(pixels); }
    void point(double x, double y) override { geometry_.moveTo(x, y); }
    void point(double x, double y, Colour) override { geometry_.moveTo(x, y); }
    void points(std::span<const GraphPoint> batch, Colour colour) override {
        std::vector<std::uint8_t>* stamps = colour == kRed ? &red_ : colour == kAnswerColour ? &answer_ : nullptr;
        for (const GraphPoint& p : batch) {
            if (stamps && geometry_.hasArea()) mark(*stamps, geometry_.map(p.x, p.y));
        }
        if (!batch.empty()) geometry_.moveTo(batch.back().x, batch.back().y);
    }
    void line(double, double, double x2, double y2) override { geometry_.moveTo(x2, y2); }
    void line(double, double, double x2, double y2, Colour) override { geometry_.moveTo(x2, y2); }
    void print(std::string_view, LineEnd) override {}
    WorldPoint currentPoint() const override { return geometry_.current(); }
    std::string accessibleText() const override { return {}; }
    const CanvasGeometry* pixelGrid() const override { return &geometry_; }

    const std::vector<std::uint8_t>& red() const { return red_; }
    const std::vector<std::uint8_t>& answer() const { return answer_; }
    void forgetAnswer() { std::fill(answer_.begin(), answer_.end(), 0); }

    // Whether every pixel of `a` has a pixel of `b` at most one away, and
    // the other way round; neither empty.
    bool alike(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) const {
        return covered(a, b) && covered(b, a);
    }
    long count(const std::vector<std::uint8_t>& a) const { return std::count(a.begin(), a.end(), 1); }

private:
    std::size_t cells() const { return std::size_t(pictureSize().width) * std::size_t(pictureSize().height); }
    void mark(std::vector<std::uint8_t>& stamps, DevicePoint d) {
        const DevicePixel pixel = DevicePixel::of(d);
        const int x = pixel.left(), y = pixel.top();
        if (!(d.x == d.x) || x < 0 || y < 0 || x >= geometry_.widthPx() || y >= geometry_.heightPx()) return;
        stamps[std::size_t(y) * std::size_t(geometry_.widthPx()) + std::size_t(x)] = 1;
    }
    bool covered(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) const {
        const int w = geometry_.widthPx(), h = geometry_.heightPx();
        bool any = false;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (!a[std::size_t(y) * w + x]) continue;
                any = true;
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy) {
                    for (int dx = -1; dx <= 1 && !near; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        near = nx >= 0 && ny >= 0 && nx < w && ny < h && b[std::size_t(ny) * w + nx];
                    }
                }
                if (!near) return false;
            }
        }
        return any;
    }

    CanvasGeometry geometry_;
    std::vector<std::uint8_t> red_, answer_;
};

// The hidden graph, with `answer`'s curve over it, stamped.
void stamp(const Task& task, const Transform& answer, StampCanvas& canvas) {
    redrawGraphs(taskState(task, task.hidden), canvas);
    DrawCurve(taskState(task, answer), redInterval(task), canvas, kAnswerColour);
}

// The sentence of `move` in `chain`; empty where the chain leaves it out.
std::string sentenceOf(const StepChain& chain, StepMove move) {
    for (const TransformStep& step : chain.steps) {
        if (step.move == move) return step.sentence;
    }
    return {};
}

// The ways of writing the same graph that a pupil finds most: the sine and
// the cube are odd, the cosine and the square even.
std::vector<Transform> sameGraphForms(const std::string& function, const Transform& t) {
    std::vector<Transform> forms{t};
    if (function == fn::kSin || function == fn::kCube) forms.push_back({-t.A, -t.k, -t.b, t.C});
    if (function == fn::kCos || function == fn::kSquare) forms.push_back({t.A, -t.k, -t.b, t.C});
    return forms;
}

int differingNumbers(const Transform& a, const Transform& b) {
    return (a.A != b.A) + (a.k != b.k) + (a.b != b.b) + (a.C != b.C);
}

} // namespace

PictureSize pictureSize() {
    const layout::PixelSize area = layout::canvasArea("Picture1");
    return {area.width, area.height};
}

Interval redInterval(const Task& task) { return RedInterval(taskState(task, task.hidden)); }

FormState taskState(const Task& task, const Transform& t) {
    FormState s;
    s.FunctionName = task.function;
    s.LogBase = task.logBase;
    s.StretchY = static_cast<float>(t.A);
    s.StretchX = Numeric::real(t.k);
    s.ShiftX = Numeric::real(t.b);
    s.ShiftY = static_cast<float>(t.C);
    s.XStart = Numeric::real(task.start);
    s.XEnd = static_cast<float>(task.end);
    ComposeLeadingTerms(s);
    ComposeFunctionTerm(s, utf8::characterCount(s.FunctionName));
    return s;
}

std::string baseFunctionLine(const Task& task) {
    return "Исходная функция: " + textbookBase(curveOf(task));
}

std::string taskHeading(const Task& task) {
    return "Задание " + std::to_string(task.number) + " из " + std::to_string(kTasksInRound);
}

void drawTask(const Task& task, Canvas& canvas, const std::optional<Transform>& answer, bool guides) {
    drawPicture(curveOf(task), task.hidden, taskPictureArea(), canvas, answer, kAnswerColour, guides);
}

std::string describeTask(const Task& task) {
    StampCanvas sink;
    GraphTrace red;
    redrawGraphs(taskState(task, task.hidden), sink);
    DrawCurve(taskState(task, task.hidden), redInterval(task), sink, kRed, &red);
    const auto point = [](GraphPoint p) { return "(" + spokenNumber(p.x) + "; " + spokenNumber(p.y) + ")"; };
    std::string text = "Синий график: " + ComposeSteps(taskState(task, Transform{})).baseFormula + " на отрезке от " +
                       spokenNumber(task.start) + " до " + spokenNumber(task.end) + ".";
    if (red.points() == 0) return text + " Красного графика нет.";
    text += " Красный график идёт от точки " + point(red.first()) + " до точки " + point(red.last()) +
            "; наивысшая точка " + point(red.highest()) + ", низшая " + point(red.lowest()) + ".";
    if (red.crossings() == 0) return text + " Ось Ox он не пересекает.";
    text += " Ось Ox он пересекает ";
    const std::span<const float> at = red.listedCrossings();
    text += red.crossings() == 1 ? "в точке x = " : "в точках x = ";
    for (std::size_t i = 0; i < at.size(); ++i) text += (i ? ", " : "") + spokenNumber(at[i]);
    return text + (red.crossings() > static_cast<long long>(at.size()) ? " и дальше." : ".");
}

ReadAnswer readAnswer(const std::array<std::string, 4>& texts) {
    ReadAnswer read;
    std::array<double, 4> values{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        try {
            values[i] = parseNumber(texts[i]);
            // A and C are 32-bit numbers, as in the form.
            if (i == 0 || i == 3) values[i] = toSingle(values[i]);
        } catch (const RuntimeFault&) {
            read.unreadable = std::string("Поле «") + kFieldNames[i] +
                              "» не прочитано: число слишком велико. Исправьте его и проверьте снова.";
            return read;
        }
    }
    Transform t{values[0], values[1], values[2], values[3]};
    if (t.A == 0) t.A = 1;  // as the form reads 0 for A and k
    if (t.k == 0) t.k = 1;
    read.answer = t;
    return read;
}

bool sameGraph(const Task& task, const Transform& answer) {
    StampCanvas canvas;
    stamp(task, answer, canvas);
    return canvas.alike(canvas.red(), canvas.answer());
}

bool showsTheDifference(const Task& task) {
    StampCanvas canvas;
    stamp(task, Transform{}, canvas);
    constexpr long kInView = 300;
    return canvas.count(canvas.red()) >= kInView && !canvas.alike(canvas.red(), canvas.answer());
}

Verdict check(const Task& task, const std::array<std::string, 4>& typed) {
    Verdict verdict;
    const ReadAnswer read = readAnswer(typed);
    if (!read.answer) {
        verdict.line = read.unreadable;
        return verdict;
    }
    verdict.judged = true;
    verdict.answer = read.answer;
    verdict.right = sameGraph(task, *read.answer);
    verdict.line = verdict.right ? "Верно: ваш график совпадает с красным." : "Неверно: ваш график (зелёный) не совпадает с красным.";
    if (!verdict.right) verdict.sentence = differences(task, *read.answer);
    return verdict;
}

std::string lowerFirst(const std::string& sentence) {
    for (auto [upper, lower] : {std::pair{"Сжатие", "сжатие"}, {"Растяжение", "растяжение"}, {"Отражение", "отражение"},
                                {"Сдвиг", "сдвиг"}, {"Вдоль", "вдоль"}}) {
        if (sentence.rfind(upper, 0) == 0) return lower + sentence.substr(std::string(upper).size());
    }
    return sentence;
}

std::string differences(const Task& task, const Transform& answer) {
    const std::vector<Transform> forms = sameGraphForms(task.function, answer);
    const Transform nearest = *std::min_element(forms.begin(), forms.end(), [&](const Transform& a, const Transform& b) {
        return differingNumbers(a, task.hidden) < differingNumbers(b, task.hidden);
    });
    const StepChain hidden = ComposeSteps(taskState(task, task.hidden));
    const StepChain given = ComposeSteps(taskState(task, nearest));
    struct Move {
        StepMove move;
        const char* title;  // the move's name where the sentences differ in kind
        const char* none;   // what the move is where it is left out
        bool shift;
    };
    const Move moves[] = {
        {StepMove::StretchX, "Вдоль оси Ox", "ни сжатия, ни растяжения", false},
        {StepMove::ShiftX, "Сдвиг вдоль оси Ox", "без сдвига", true},
        {StepMove::StretchY, "Вдоль оси Oy", "ни растяжения, ни сжатия", false},
        {StepMove::ShiftY, "Сдвиг вдоль оси Oy", "без сдвига", true},
    };
    std::vector<std::string> clauses;
    for (const Move& m : moves) {
        const std::string want = sentenceOf(hidden, m.move), have = sentenceOf(given, m.move);
        if (want == have) continue;
        if (m.shift) {
            const std::size_t title = std::string(m.title).size() + 1;
            const std::string haveBy = have.empty() ? "сдвига нет" : have.substr(title);
            clauses.push_back(std::string(m.title) + (want.empty() ? " не нужен" : ": нужно " + want.substr(title)) +
                              ", а у вас — " + haveBy);
            continue;
        }
        const std::size_t wantAt = want.find(" в "), haveAt = have.find(" в ");
        if (wantAt != std::string::npos && haveAt != std::string::npos && want.substr(0, wantAt) == have.substr(0, haveAt)) {
            clauses.push_back(want.substr(0, wantAt) + " должно быть " + want.substr(wantAt + 1) + ", а у вас — " +
                              have.substr(haveAt + 1));
            continue;
        }
        clauses.push_back(std::string(m.title) + (want.empty() ? std::string(" не нужно ") + m.none : ": нужно " + lowerFirst(want)) +
                          ", а у вас — " + (have.empty() ? std::string(m.none) : lowerFirst(have)));
    }
    if (clauses.empty()) return "Шаги те же, но числа немного отличаются: проверьте их.";
    std::string sentence;
    // One sentence: the clauses after the first begin with a small letter.
    for (const std::string& clause : clauses) sentence += sentence.empty() ? clause : "; " + lowerFirst(clause);
    return sentence + ".";
}

Solution solutionOf(const Task& task) {
    const FormState s = taskState(task, task.hidden);
    Solution solution;
    solution.formula = textbookFormula(curveOf(task), task.hidden);
    solution.numbers = "A = " + singleText(s.StretchY) + "; k = " + numberText(s.StretchX) +
                       "; b = " + numberText(s.ShiftX) + "; C = " + singleText(s.ShiftY);
    solution.chain = ComposeSteps(s);
    return solution;
}

Verdict Round::answer(const std::array<std::string, 4>& typed) {
    Verdict verdict = check(task(), typed);
    if (verdict.judged && !decided_) {
        decided_ = true;
        right_ += verdict.right;
        rightWithHint_ += verdict.right && hinted_;
    }
    return verdict;
}

Solution Round::showSolution() {
    decided_ = true;
    return solutionOf(task());
}

bool Round::next() {
    if (at_ + 1 >= tasks_.size()) return false;
    ++at_;
    decided_ = false;
    hinted_ = false;
    return true;
}

std::string Round::score() const {
    std::string score = "Верно с первой попытки: " + std::to_string(right_) + " из " + std::to_string(tasks_.size()) + ".";
    if (rightWithHint_ > 0) score += " С подсказкой: " + std::to_string(rightWithHint_) + ".";
    return score;
}

} // namespace viramont::practice
