#pragma once
// The graphs as sound, as numbers: a picture becomes a score (tones with
// their times, pitches and places between the ears; short cues; soft noise
// where a graph is not drawn), and a score becomes stereo samples. The
// front ends only play the samples.
//
// The pitch follows y on a logarithmic scale over the picture's y range,
// from 220 Hz at its bottom to 880 Hz at its top; the place follows x, the
// picture's left edge in the left ear. Blue is a pure tone, red a hollow
// one (odd harmonics), so that the two are told apart.

#include <vector>

namespace viramont::view {

struct WalkPicture;

inline constexpr int kSampleRate = 48000;
inline constexpr double kLowPitch = 220, kHighPitch = 880;
inline constexpr double kSweepSeconds = 3.0;
inline constexpr double kStepToneSeconds = 0.18;  // each graph's tone of a step

enum class Voice { Blue, Red };
enum class Cue { Zero, CrossesC, ShiftLine, Edge };

// A tone gliding through its knots, one every `knotSeconds`; a tone of one
// knot holds its pitch.
struct Tone {
    Voice voice;
    double start, knotSeconds;
    std::vector<double> pitch, place;  // Hz; −1 the left ear to 1 the right
    double length() const { return knotSeconds * static_cast<double>(pitch.size()); }
};

struct CueNote {
    Cue cue;
    double start, place;
};

struct Noise {
    double start, length, place;
};

struct Score {
    std::vector<Tone> tones;
    std::vector<CueNote> cues;
    std::vector<Noise> noises;
    double length = 0;
};

// A cue's sound: a short tone above the graphs' range.
struct CueSound {
    double pitch, seconds;
};
CueSound cueSound(Cue cue);

double pitchOf(const WalkPicture& picture, double y);
double placeOf(const WalkPicture& picture, double x);

// The two values at x one after the other, blue first; noise for a graph
// with no value there; a cue where x is a point of interest.
Score stepScore(const WalkPicture& picture, double x);
// A cue alone, at the middle: the end of the picture reached.
Score cueScore(Cue cue, double place);
// Both graphs at once from the left edge to the right in kSweepSeconds.
Score sweepScore(const WalkPicture& picture);

// The score as stereo samples at kSampleRate, left and right interleaved,
// each tone and cue faded in and out so that nothing clicks.
std::vector<float> render(const Score& score);

} // namespace viramont::view
