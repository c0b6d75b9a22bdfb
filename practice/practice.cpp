#include "practice/practice.h"

#include "form/layout.h"
#include "params/formula.h"
#include "plot/description.h"
#include "plot/plot.h"
#include "practice/notation.h"
#include "practice/picture.h"
#include "plot/redraw.h"
#include "toolkit/arith.h"
#include "toolkit/blank_canvas.h"
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

// Which pixels of the task's picture a curve's points fall into.
class Stamps {
public:
    Stamps() : width_(pictureSize().width), height_(pictureSize().height), at_(std::size_t(width_) * height_) {}

    void mark(DevicePoint d) {
        const DevicePixel pixel = DevicePixel::of(d);
        const int x = pixel.left(), y = pixel.top();
        if (!(d.x == d.x) || x < 0 || y < 0 || x >= width_ || y >= height_) return;
        at_[std::size_t(y) * width_ + x] = 1;
    }
    long count() const { return std::count(at_.begin(), at_.end(), 1); }
    // Whether every pixel of each has a pixel of the other at most one
    // away; neither empty.
    friend bool alike(const Stamps& a, const Stamps& b) { return a.coveredBy(b) && b.coveredBy(a); }

private:
    bool has(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_ && at_[std::size_t(y) * width_ + x]; }
    bool coveredBy(const Stamps& other) const {
        bool any = false;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (!has(x, y)) continue;
                any = true;
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy) {
                    for (int dx = -1; dx <= 1 && !near; ++dx) near = other.has(x + dx, y + dy);
                }
                if (!near) return false;
            }
        }
        return any;
    }

    int width_, height_;
    std::vector<std::uint8_t> at_;
};

// A canvas of the task picture's pixels that draws nothing and stamps the
// graphs' points, whatever their colour, into the stamps it is given.
class StampCanvas final : public BlankCanvas {
public:
    StampCanvas() : BlankCanvas(pictureSize().width, pictureSize().height) {}
    // The points from now on go into `stamps`; into none with null.
    void stampInto(Stamps* stamps) { stamps_ = stamps; }
    void points(std::span<const GraphPoint> batch, Colour colour) override {
        if (stamps_ && geometry().hasArea()) {
            for (const GraphPoint& p : batch) stamps_->mark(geometry().map(p.x, p.y));
        }
        BlankCanvas::points(batch, colour);
    }

private:
    Stamps* stamps_ = nullptr;
};

// The pixels of the hidden red graph and of `answer`'s curve on the task's
// picture, each curve stamped alone onto the picture's scale: which curve is
// which does not depend on the colours they are shown in.
struct CurveStamps {
    Stamps red, answer;
};
CurveStamps stamp(const Task& task, const Transform& answer) {
    const FormState hidden = taskState(task, task.hidden);
    StampCanvas canvas;
    redrawGraphs(hidden, canvas);  // the picture's scale; its lines stamp nothing
    CurveStamps stamps;
    canvas.stampInto(&stamps.red);
    DrawCurve(hidden, redInterval(task), canvas, kRed);
    canvas.stampInto(&stamps.answer);
    DrawCurve(taskState(task, answer), redInterval(task), canvas, kAnswerColour);
    return stamps;
}

// The move of `kind` in `chain`; none where the chain leaves it out.
const Move* moveOf(const StepChain& chain, StepMove kind) {
    for (const TransformStep& step : chain.steps) {
        if (step.move.kind == kind) return &step.move;
    }
    return nullptr;
}

// What differs in one move between the hidden numbers (`want`) and the
// answer (`have`), either left out; `capital` where it begins the sentence.
std::string moveDifference(StepMove kind, const Move* want, const Move* have, bool capital) {
    const std::string yours = ", а у вас — ";
    if (IsShift(kind)) {
        return ShiftName(kind, capital) + (want ? ": нужно " + ShiftAmount(*want) : std::string(" не нужен")) + yours +
               (have ? ShiftAmount(*have) : "сдвига нет");
    }
    if (want && have && want->scaling != Scaling::None && want->scaling == have->scaling) {
        return ScalingName(*want, capital) + " должно быть " + ScalingAmount(*want) + yours + ScalingAmount(*have);
    }
    const char* none = kind == StepMove::StretchX ? "ни сжатия, ни растяжения" : "ни растяжения, ни сжатия";
    return std::string(capital ? "Вдоль" : "вдоль") + " оси " + AlongAxis(kind) +
           (want ? ": нужно " + MoveSentence(*want, false) : std::string(" не нужно ") + none) + yours +
           (have ? MoveSentence(*have, false) : none);
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
    // The task's picture: both graphs across the part of the plane it shows.
    const Window v = pictureLayout(curveOf(task), task.hidden, taskPictureArea()).view;
    BlankCanvas sink(pictureSize().width, pictureSize().height);
    sink.setScale(v.left, v.top, v.right, v.bottom);
    GraphTrace blue, red;
    const FormState base = taskState(task, Transform{});
    DrawCurve(base, {v.left, v.right}, sink, kBlue, &blue);
    DrawCurve(taskState(task, task.hidden), {v.left, v.right}, sink, kRed, &red);
    auto words = [&](const GraphTrace& trace) { return GraphWords(trace, v.left, v.right, v.bottom, v.top); };
    return ViewWords(v.left, v.right, v.bottom, v.top) + " " + kBlueGraphName + " — исходная функция " +
           ComposeSteps(base).baseFormula + ": " + words(blue) + " " + kRedGraphName + ": " + words(red);
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
    const CurveStamps stamps = stamp(task, answer);
    return alike(stamps.red, stamps.answer);
}

bool showsTheDifference(const Task& task) {
    const CurveStamps stamps = stamp(task, Transform{});
    constexpr long kInView = 300;
    return stamps.red.count() >= kInView && !alike(stamps.red, stamps.answer);
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

std::string differences(const Task& task, const Transform& answer) {
    const std::vector<Transform> forms = sameGraphForms(task.function, answer);
    const Transform nearest = *std::min_element(forms.begin(), forms.end(), [&](const Transform& a, const Transform& b) {
        return differingNumbers(a, task.hidden) < differingNumbers(b, task.hidden);
    });
    const StepChain hidden = ComposeSteps(taskState(task, task.hidden));
    const StepChain given = ComposeSteps(taskState(task, nearest));
    std::string sentence;
    for (const StepMove kind : {StepMove::StretchX, StepMove::ShiftX, StepMove::StretchY, StepMove::ShiftY}) {
        const Move *want = moveOf(hidden, kind), *have = moveOf(given, kind);
        if (!want && !have) continue;
        if (want && have && SaidAlike(*want, *have)) continue;
        // One sentence: the clauses after the first begin with a small letter.
        sentence += sentence.empty() ? moveDifference(kind, want, have, true) : "; " + moveDifference(kind, want, have, false);
    }
    if (sentence.empty()) return "Шаги те же, но числа немного отличаются: проверьте их.";
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
