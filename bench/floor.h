#pragma once
// The compute floor of the sine plot: its three loops with their arithmetic,
// drawing nothing. Each loop starts with the upper vector register halves
// cleared, as the plot's loops do; without that the floor pays for whatever
// state library code left behind and comes out wrongly slow.

#include "form/form.h"
#include "toolkit/vector_state.h"

#include <cmath>

namespace viramont::bench {

inline double sineFloor(const FormState& s) {
    const double A = s.StretchY, k = s.StretchX.value(), b = s.ShiftX.value(), C = s.ShiftY;
    double sink = 0;
    auto loop = [&](double start, double end, float step, auto&& body) {
        float x = static_cast<float>(start);
        const float last = static_cast<float>(end);
        settleVectorRegisters();
        while (x <= last) {
            body(static_cast<double>(x));
            const float next = x + step;
            if (next == x) break;
            x = next;
        }
    };
    loop(s.XStart.value(), s.XEnd, 0.5f, [&](double x) {
        sink += static_cast<float>(A * std::sin(k * x + b) + C);
        sink += static_cast<float>(std::sin(x));
    });
    loop(s.XStart.value(), s.XEnd, 0.0001f, [&](double x) { sink += static_cast<float>(std::sin(x)); });
    loop(s.XStart.value() - b, s.XEnd - b, 0.0001f,
         [&](double x) { sink += static_cast<float>(A * std::sin(k * x + b) + C); });
    return sink;
}

} // namespace viramont::bench
