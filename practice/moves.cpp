#include "practice/moves.h"

#include "form/form.h"

#include <cmath>
#include <limits>
#include <vector>

namespace viramont::practice {

namespace {

constexpr double kNotDefined = std::numeric_limits<double>::quiet_NaN();

// A factor of a pupil's answer in halves, a whole number: 2k.
long long halves(double v) { return std::llround(v * 2); }

// The power of `prime` in `n` (n > 0), and n without it.
int powerOf(long long& n, long long prime) {
    int p = 0;
    while (n % prime == 0) n /= prime, ++p;
    return p;
}

// logₐ(|k| / |k'|) where it is a rational number, as a double (a half, a
// whole): k and k' from the pupil's factors, whose sizes are 2^p·3^q. The
// natural logarithm (base 0 here) of a ratio other than 1 is never one.
std::optional<double> logOfRatio(double k, double k2, int base) {
    long long n1 = std::llabs(halves(k)), n2 = std::llabs(halves(k2));
    const int P = powerOf(n1, 2) - powerOf(n2, 2);
    const int Q = powerOf(n1, 3) - powerOf(n2, 3);
    if (n1 != n2) return std::nullopt;  // a factor other than 2 and 3: none of the pupil's
    if (P == 0 && Q == 0) return 0.0;
    if (base <= 1) return std::nullopt;
    long long rest = base;
    const int u = powerOf(rest, 2), v = powerOf(rest, 3);
    if (rest != 1) return std::nullopt;  // 5, 10: no power of 2 and 3 is a power of them
    if (u == 0) return P == 0 ? std::optional<double>(double(Q) / v) : std::nullopt;
    if (v == 0) return Q == 0 ? std::optional<double>(double(P) / u) : std::nullopt;
    if (P * v != Q * u) return std::nullopt;
    return double(P) / u;
}

bool whole(double v) { return std::isfinite(v) && v == std::floor(v); }

int logBaseOf(const Curve& c) { return c.function == fn::kLogBase ? c.logBase : 0; }

// The answers with the graph of `t` that the table gives, `t` first.
std::vector<Transform> answersOfOneGraph(const Curve& curve, const Transform& t) {
    std::vector<Transform> answers{t};
    if (curve.function == fn::kSin) {
        answers.push_back({-t.A, -t.k, -t.b, t.C});
        return answers;
    }
    if (curve.function == fn::kCos) {
        answers.push_back({t.A, -t.k, -t.b, t.C});
        return answers;
    }
    const long long K = halves(t.k);
    for (const double k2 : kPupilFactors) {
        // b' = k'·b/k, whole.
        const long long K2 = halves(k2);
        const long long top = K2 * std::llround(t.b);
        if (top % K != 0) continue;
        const double b2 = double(top / K);
        if (curve.function == fn::kSquare || curve.function == fn::kCube) {
            const int n = curve.function == fn::kSquare ? 2 : 3;
            // Exact: the powers of halves are exact, and a quotient that is
            // one of the factors is met exactly.
            const double kn = n == 2 ? t.k * t.k : t.k * t.k * t.k, k2n = n == 2 ? k2 * k2 : k2 * k2 * k2;
            const double A2 = t.A * kn / k2n;
            for (const double a : kPupilFactors) {
                if (a == A2) answers.push_back({A2, k2, b2, t.C});
            }
            continue;
        }
        // A logarithm: the same A, k' of k's sign; the rest of k is a shift.
        if ((k2 > 0) != (t.k > 0)) continue;
        const std::optional<double> L = logOfRatio(t.k, k2, logBaseOf(curve));
        if (!L) continue;
        const double C2 = t.C + t.A * *L;
        if (whole(C2)) answers.push_back({t.A, k2, b2, C2});
    }
    return answers;
}

} // namespace

Cost costOf(const Transform& t) {
    Cost c;
    c.moves = (t.A != 1) + (t.k != 1) + (t.b != 0) + (t.C != 0);
    c.steps = (std::fabs(t.A) != 1) + (t.A < 0) + (std::fabs(t.k) != 1) + (t.k < 0) + (t.b != 0) + (t.C != 0);
    c.negativeK = t.k < 0;
    return c;
}

double valueAt(const Curve& curve, const Transform& t, double x) {
    const double u = t.k * x + t.b;
    double f = kNotDefined;
    if (curve.function == fn::kSin) f = std::sin(u);
    else if (curve.function == fn::kCos) f = std::cos(u);
    else if (curve.function == fn::kSquare) f = u * u;
    else if (curve.function == fn::kCube) f = u * u * u;
    else if (u > 0) f = curve.function == fn::kLogBase ? std::log(u) / std::log(double(curve.logBase)) : std::log(u);
    return t.A * f + t.C;
}

bool sameByTable(const Curve& curve, const Transform& a, const Transform& b) {
    for (const Transform& form : answersOfOneGraph(curve, a)) {
        if (form == b) return true;
    }
    return false;
}

Transform simplestAnswer(const Curve& curve, const Transform& t) {
    Transform best = t;
    for (const Transform& form : answersOfOneGraph(curve, t)) {
        if (costOf(form) < costOf(best)) best = form;
    }
    return best;
}

std::optional<Transform> lookAlike(const Curve& curve, const Transform& t, const Window& view) {
    constexpr int kSamples = 161;
    constexpr double kNear = 0.15;  // units, across the curve
    const Cost most = costOf(t);
    std::vector<double> x(kSamples), y(kSamples), room(kSamples);
    const double dx = (view.right - view.left) / (kSamples - 1);
    const auto seen = [&](double v) { return v >= view.bottom && v <= view.top; };
    for (int i = 0; i < kSamples; ++i) {
        x[std::size_t(i)] = view.left + i * dx;
        y[std::size_t(i)] = valueAt(curve, t, x[std::size_t(i)]);
    }
    for (int i = 0; i < kSamples; ++i) {
        // How far a point may lie above or below the curve and still be a
        // quarter of a unit from it: more where the curve is steep.
        const double before = valueAt(curve, t, x[std::size_t(i)] - dx / 4);
        const double after = valueAt(curve, t, x[std::size_t(i)] + dx / 4);
        const double slope = std::isfinite(before) && std::isfinite(after) ? (after - before) / (dx / 2) : 0;
        room[std::size_t(i)] = kNear * std::sqrt(1 + slope * slope);
    }
    for (const double A : kPupilFactors) {
        for (const double k : kPupilFactors) {
            for (int b = -9; b <= 9; ++b) {
                Transform u{A, k, double(b), 0};
                if (costOf(u) > most) continue;
                // C as the first point in view sets it.
                int first = 0;
                while (first < kSamples && !(seen(y[std::size_t(first)]) && std::isfinite(valueAt(curve, u, x[std::size_t(first)]))))
                    ++first;
                if (first == kSamples) continue;
                u.C = std::round(y[std::size_t(first)] - valueAt(curve, u, x[std::size_t(first)]));
                if (std::fabs(u.C) > 20 || costOf(u) > most || sameByTable(curve, t, u)) continue;
                bool alike = true;
                for (int i = 0; i < kSamples && alike; ++i) {
                    const double v = valueAt(curve, u, x[std::size_t(i)]), w = y[std::size_t(i)];
                    const bool inView = (std::isfinite(w) && seen(w)) || (std::isfinite(v) && seen(v));
                    if (!inView) continue;
                    alike = std::isfinite(v) && std::isfinite(w) && std::fabs(v - w) <= room[std::size_t(i)];
                }
                if (alike) return u;
            }
        }
    }
    return std::nullopt;
}

bool drawSameGraph(const Task& a, const Task& b) {
    // Points no special number lands on, over a wide stretch both ways.
    for (int i = 0; i < 125; ++i) {
        const double x = -13.3 + i * 0.2137;
        const double ya = valueAt(curveOf(a), a.hidden, x), yb = valueAt(curveOf(b), b.hidden, x);
        if (std::isnan(ya) != std::isnan(yb)) return false;
        if (!std::isnan(ya) && std::fabs(ya - yb) > 1e-9 * std::max(1.0, std::fabs(ya))) return false;
    }
    return true;
}

} // namespace viramont::practice
