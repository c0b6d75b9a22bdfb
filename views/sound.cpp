#include "views/sound.h"

#include "toolkit/number_text.h"
#include "views/walk.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

namespace viramont::view {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kToneLoudness = 0.3, kCueLoudness = 0.25, kNoiseLoudness = 0.06;
constexpr double kFade = 0.006;          // seconds a tone takes to come in and go out
constexpr double kStepGap = 0.04;        // between the two tones of a step
constexpr int kSweepKnots = 300;         // a knot every 10 ms of the sweep

// Both graphs "heard as" a value: what the step's line says of it.
bool heardAs(double value, double target) { return spokenNumber(value) == spokenNumber(target); }

} // namespace

CueSound cueSound(Cue cue) {
    switch (cue) {
    case Cue::Zero: return {1760, 0.06};
    case Cue::CrossesC: return {2349, 0.06};
    case Cue::ShiftLine: return {1175, 0.12};
    case Cue::Edge: return {3520, 0.03};
    }
    return {1760, 0.06};
}

double pitchOf(const WalkPicture& p, double y) {
    const double height = p.top - p.bottom;
    const double share = height > 0 ? std::clamp((y - p.bottom) / height, 0.0, 1.0) : 0.5;
    return kLowPitch * std::pow(kHighPitch / kLowPitch, share);
}

double placeOf(const WalkPicture& p, double x) {
    const double width = p.right - p.left;
    return width > 0 ? std::clamp(2 * (x - p.left) / width - 1, -1.0, 1.0) : 0.0;
}

Score stepScore(const WalkPicture& p, double x) {
    Score score;
    const double place = placeOf(p, x);
    double t = 0;
    for (const Graph graph : {Graph::Blue, Graph::Red}) {
        const std::optional<double> y = p.value(graph, x);
        if (y) {
            score.tones.push_back({graph == Graph::Blue ? Voice::Blue : Voice::Red, t, kStepToneSeconds,
                                   {pitchOf(p, *y)}, {place}});
        } else {
            score.noises.push_back({t, kStepToneSeconds, place});
        }
        t += kStepToneSeconds + kStepGap;
    }
    auto cue = [&](Cue c) {
        score.cues.push_back({c, t, place});
        t += cueSound(c).seconds + kStepGap;
    };
    const std::optional<double> blue = p.value(Graph::Blue, x), red = p.value(Graph::Red, x);
    if ((blue && heardAs(*blue, 0)) || (red && heardAs(*red, 0))) cue(Cue::Zero);
    if (!p.hidesNumbers && red && p.C != 0 && heardAs(*red, p.C)) cue(Cue::CrossesC);
    if (!p.hidesNumbers && heardAs(x, -p.b)) cue(Cue::ShiftLine);
    score.length = t;
    return score;
}

Score cueScore(Cue cue, double place) {
    Score score;
    score.cues.push_back({cue, 0, place});
    score.length = cueSound(cue).seconds;
    return score;
}

Score sweepScore(const WalkPicture& p) {
    Score score;
    score.length = kSweepSeconds;
    const double knot = kSweepSeconds / kSweepKnots;
    const double width = p.right - p.left;
    auto xAt = [&](int i) { return p.left + width * (i + 0.5) / kSweepKnots; };
    auto timeOf = [&](double x) { return width > 0 ? kSweepSeconds * (x - p.left) / width : 0.0; };
    for (const Graph graph : {Graph::Blue, Graph::Red}) {
        const Voice voice = graph == Graph::Blue ? Voice::Blue : Voice::Red;
        std::optional<Tone> tone;
        std::optional<Noise> noise;
        auto close = [&](int i) {
            if (tone) {
                // A graph that begins or ends inside the picture says so.
                if (tone->start > 0) score.cues.push_back({Cue::Edge, tone->start, tone->place.front()});
                if (i < kSweepKnots) score.cues.push_back({Cue::Edge, i * knot, tone->place.back()});
                score.tones.push_back(std::move(*tone));
                tone.reset();
            }
        };
        for (int i = 0; i < kSweepKnots; ++i) {
            const double x = xAt(i);
            const std::optional<double> y = p.value(graph, x);
            if (y) {
                if (noise) score.noises.push_back(*noise), noise.reset();
                if (!tone) tone = Tone{voice, i * knot, knot, {}, {}};
                tone->pitch.push_back(pitchOf(p, *y));
                tone->place.push_back(placeOf(p, x));
            } else {
                close(i);
                if (!noise) noise = Noise{i * knot, 0, placeOf(p, x)};
                noise->length += knot;
            }
        }
        close(kSweepKnots);
        if (noise) score.noises.push_back(*noise);
    }
    for (const Interest& i : interests(p)) {
        const double t = timeOf(i.x);
        if (i.kind == InterestKind::Zero) score.cues.push_back({Cue::Zero, t, placeOf(p, i.x)});
        if (i.kind == InterestKind::CrossesC) score.cues.push_back({Cue::CrossesC, t, placeOf(p, i.x)});
        if (i.kind == InterestKind::ShiftLine) score.cues.push_back({Cue::ShiftLine, t, placeOf(p, i.x)});
    }
    std::sort(score.cues.begin(), score.cues.end(), [](const CueNote& a, const CueNote& b) { return a.start < b.start; });
    return score;
}

namespace {

struct Stereo {
    std::vector<float>& out;
    void add(std::size_t frame, double sample, double place) {
        if (2 * frame + 1 >= out.size()) return;
        const double angle = (place + 1) * std::numbers::pi / 4;  // equal loudness across
        out[2 * frame] += static_cast<float>(sample * std::cos(angle));
        out[2 * frame + 1] += static_cast<float>(sample * std::sin(angle));
    }
};

// Comes in and goes out over `fade` seconds, as a raised cosine.
double envelope(double t, double length, double fade) {
    const double edge = std::min({t, length - t, fade});
    if (edge <= 0) return 0;
    if (edge >= fade) return 1;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * edge / fade);
}

double wave(Voice voice, double phase) {
    if (voice == Voice::Blue) return std::sin(phase);
    // Odd harmonics: a hollow sound, crossing zero only where its
    // fundamental does.
    return 0.8 * (std::sin(phase) + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5);
}

std::size_t frameOf(double seconds) { return static_cast<std::size_t>(std::llround(seconds * kSampleRate)); }

} // namespace

std::vector<float> render(const Score& score) {
    double end = score.length;
    for (const Tone& t : score.tones) end = std::max(end, t.start + t.length());
    for (const CueNote& c : score.cues) end = std::max(end, c.start + cueSound(c.cue).seconds);
    for (const Noise& n : score.noises) end = std::max(end, n.start + n.length);
    std::vector<float> out(2 * (frameOf(end) + 1), 0.0f);
    Stereo stereo{out};

    for (const Tone& tone : score.tones) {
        if (tone.pitch.empty()) continue;
        const std::size_t first = frameOf(tone.start), frames = frameOf(tone.length());
        const double length = static_cast<double>(frames) / kSampleRate;
        double phase = 0;
        for (std::size_t i = 0; i < frames; ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            // Between the knots' middles the pitch and the place glide.
            const double at = std::clamp(t / tone.knotSeconds - 0.5, 0.0, static_cast<double>(tone.pitch.size() - 1));
            const std::size_t k = static_cast<std::size_t>(at);
            const std::size_t k1 = std::min(k + 1, tone.pitch.size() - 1);
            const double f = at - static_cast<double>(k);
            const double pitch = tone.pitch[k] + (tone.pitch[k1] - tone.pitch[k]) * f;
            const double place = tone.place[k] + (tone.place[k1] - tone.place[k]) * f;
            stereo.add(first + i, kToneLoudness * envelope(t, length, kFade) * wave(tone.voice, phase), place);
            phase = std::fmod(phase + kTwoPi * pitch / kSampleRate, kTwoPi);
        }
    }
    for (const CueNote& cue : score.cues) {
        const CueSound sound = cueSound(cue.cue);
        const std::size_t first = frameOf(cue.start), frames = frameOf(sound.seconds);
        for (std::size_t i = 0; i < frames; ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            const double shape = envelope(t, sound.seconds, sound.seconds / 2);
            stereo.add(first + i, kCueLoudness * shape * std::sin(kTwoPi * sound.pitch * t), cue.place);
        }
    }
    std::uint32_t seed = 0x2545F491u;  // the same noise every time
    for (const Noise& noise : score.noises) {
        const std::size_t first = frameOf(noise.start), frames = frameOf(noise.length);
        for (std::size_t i = 0; i < frames; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const double white = static_cast<double>(seed >> 8) / static_cast<double>(1u << 24) * 2 - 1;
            const double t = static_cast<double>(i) / kSampleRate;
            stereo.add(first + i, kNoiseLoudness * envelope(t, noise.length, 0.01) * white, noise.place);
        }
    }
    for (float& s : out) s = std::clamp(s, -1.0f, 1.0f);
    return out;
}

} // namespace viramont::view
