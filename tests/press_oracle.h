#pragma once
// How a press of ВЫБОР or Command1 may end, and which presses are short
// enough for a long random run: the one judge that the press fuzzer and the
// soak of the window share.
//
// Bounds: the graphs take about 10,000 points a unit and the scans two
// points a unit, so a run presses Command1 only for a plot of at most about
// kMaxPlotSpan units of each graph and a range scan of at most kMaxScanSteps
// points, and ВЫБОР for a logarithm only for a domain scan of at most
// kMaxScanSteps points. x far out, where a step no longer moves it, costs
// nothing and is always pressed.

#include "form/form.h"
#include "params/intake.h"
#include "toolkit/fault.h"
#include "toolkit/number_text.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace viramont::test::oracle {

inline constexpr double kMaxPlotSpan = 3.0;
inline constexpr double kMaxScanSteps = 200000.0;
inline constexpr double kScanStep = 0.5, kGraphStep = 1e-4;
// Where the float counter stops moving at each step: 2^23 for 0.5, 2048 for
// 0.0001.
inline constexpr double kScanReach = 8388608.0, kGraphReach = 2048.0;

// Passes of a loop of x from `start` to `end` at `step`, where the step
// moves x only within [-reach, reach]: outside, x stands still after at
// most a pass or two and the loop ends.
inline double passes(double start, double end, double step, double reach) {
    const double from = static_cast<float>(start), to = static_cast<float>(end);
    if (!(from <= to)) return 0;
    const double lo = std::max(from, -reach), hi = std::min(to, reach);
    return hi > lo ? (hi - lo) / step : 1;
}

// Any of the six listed functions has a plot and a legend.
inline bool isPlotted(const std::string& name) {
    return std::find(std::begin(kFunctionNames), std::end(kFunctionNames), name) != std::end(kFunctionNames);
}

// A field as the intake reads it; nothing when the parse faults.
inline std::optional<double> fieldValue(const std::string& text) {
    try {
        return parseNumber(text);
    } catch (const RuntimeFault&) {
        return std::nullopt;
    }
}

// ВЫБОР is short unless it scans the domain of a logarithm over a wide
// interval (the texts of Text6 and Text7).
inline bool selectIsShort(const std::string& function, const std::string& start, const std::string& end) {
    if (!isLogarithm(function)) return true;
    const std::optional<double> from = fieldValue(start), to = fieldValue(end);
    return !from || !to || passes(*from, *to, kScanStep, kScanReach) <= kMaxScanSteps;
}

// Points of both graphs of a plot of the stored state, about.
inline double graphPoints(const FormState& s) {
    const double start = s.XStart.value(), end = s.XEnd, b = s.ShiftX.value();
    return passes(start, end, kGraphStep, kGraphReach) + passes(start - b, end - b, kGraphStep, kGraphReach);
}

inline bool plotIsShort(const FormState& s) {
    return passes(s.XStart.value(), s.XEnd, kScanStep, kScanReach) <= kMaxScanSteps &&
           graphPoints(s) <= 2 * kMaxPlotSpan / kGraphStep;
}

// What a message box says.
enum class Message { IntervalCheck, DomainCheck, NamedFault, Other };

// A fault's box has three lines: what stopped, "Причина: " why, and
// "Что изменить: " what to change; each says something.
inline bool isFaultBox(std::string_view text) {
    const std::size_t why = text.find('\n');
    if (why == std::string_view::npos || why == 0) return false;
    const std::size_t change = text.find('\n', why + 1);
    if (change == std::string_view::npos || text.find('\n', change + 1) != std::string_view::npos) return false;
    const std::string_view reason = text.substr(why + 1, change - why - 1), remedy = text.substr(change + 1);
    constexpr std::string_view kWhy = "Причина: ", kChange = "Что изменить: ";
    return reason.starts_with(kWhy) && reason.size() > kWhy.size() && remedy.starts_with(kChange) &&
           remedy.size() > kChange.size();
}

inline Message classify(std::string_view text) {
    if (text == kIntervalMessage) return Message::IntervalCheck;
    if (text == kDomainMessage) return Message::DomainCheck;
    if (isFaultBox(text)) return Message::NamedFault;
    return Message::Other;
}

inline bool isCheck(Message m) { return m == Message::IntervalCheck || m == Message::DomainCheck; }

} // namespace viramont::test::oracle
