#pragma once
// Walking a drawn picture by keys, for a pupil who does not see it: Down
// and Up read the picture's description line by line; Right and Left move
// along x by a round step, Home and End to the ends, Page Down and Page Up
// ten steps, each step saying both graphs' values there; ] and [ go to the
// next and previous point of interest (zeros, greatest and least values,
// where the red graph crosses y = C, the line x = −b, where a logarithm's
// graph begins, where the graphs meet), found from the curves themselves;
// Space plays both graphs as sound (views/sound.h), Space again or Escape
// stops it; M turns the sound of each step off and on.
//
// The same walk serves Picture1 and the practice task's picture; on the
// task's picture it says coordinates and shapes only, never the hidden
// numbers: no guide lines, no point named after C or b.

#include "form/form.h"
#include "practice/practice.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace viramont::view {

// A stretch of x where a graph was drawn; empty when it was not.
struct Span {
    double from = 0, to = -1;
    bool empty() const { return to < from; }
    bool holds(double x) const { return x >= from && x <= to; }
};

enum class Graph { Blue, Red };

// The picture as the walk reads it: the function and its numbers, the
// user coordinates at its edges, where each graph was drawn, and its
// description's lines.
struct WalkPicture {
    std::string function;  // an entry of Combo1
    double A = 1, k = 1, b = 0, C = 0;
    int logBase = 0;
    double left = 0, right = 0, bottom = 0, top = 0;
    Span blue, red;
    std::vector<std::string> lines;
    bool hidesNumbers = false;  // the practice task's picture

    // A graph's value at x where it is drawn and has one.
    std::optional<double> value(Graph graph, double x) const;
    bool isLogarithm() const;
};

// The picture of the plot drawn from `inputs` (the form's state as the
// press of Command1 found it), with its description (FormState::Spoken's
// picture1, a line to a paragraph).
WalkPicture plotPicture(const FormState& inputs, std::string_view description);
// The practice task's picture, described without its hidden numbers.
WalkPicture taskPicture(const practice::Task& task);

// The step along x: 1, 2 or 5 times a power of ten, crossing the picture
// in 20 to 50 steps.
double walkStep(double left, double right);

// "x = 0,5: синий 0,48; красный 1,99", "синего графика нет" where it has
// no value.
std::string stepLine(const WalkPicture& picture, double x);

enum class InterestKind { Zero, Greatest, Least, CrossesC, ShiftLine, Border, Meeting };

struct Interest {
    double x;
    InterestKind kind;
    Graph graph;  // whose point; a meeting and the line x = −b name no graph
};

// The points of interest from left to right inside the picture.
std::vector<Interest> interests(const WalkPicture& picture);
// A point's name: "Ноль синего графика", "Наибольшее значение красного
// графика", "Графики пересекаются", ...
std::string interestName(const WalkPicture& picture, const Interest& interest);

enum class WalkKey {
    Down, Up, Right, Left, Home, End, PageDown, PageUp, NextPoint, PreviousPoint, Play, Stop, StepSound
};

// The keys by the place they have on the keyboard, as the page's events
// name them.
struct WalkKeyCode {
    const char* code;
    WalkKey key;
};
inline constexpr std::array<WalkKeyCode, 13> kWalkKeys{{
    {"ArrowDown", WalkKey::Down},         {"ArrowUp", WalkKey::Up},
    {"ArrowRight", WalkKey::Right},       {"ArrowLeft", WalkKey::Left},
    {"Home", WalkKey::Home},              {"End", WalkKey::End},
    {"PageDown", WalkKey::PageDown},      {"PageUp", WalkKey::PageUp},
    {"BracketRight", WalkKey::NextPoint}, {"BracketLeft", WalkKey::PreviousPoint},
    {"Space", WalkKey::Play},             {"Escape", WalkKey::Stop},
    {"KeyM", WalkKey::StepSound},
}};
std::optional<WalkKey> walkKeyOf(std::string_view code);

// What a key does: the text to say, and the sound to play or to stop.
struct WalkReply {
    std::string text;
    enum class Sound { None, Play, Stop } sound = Sound::None;
    std::vector<float> samples;  // stereo, interleaved, at kSampleRate (views/sound.h)
    bool sweep = false;          // the samples are the sweep of both graphs
};

inline constexpr const char* kListenCommand = "Прослушать графики";
inline constexpr const char* kNoSound = "Звука нет: устройство вывода звука не найдено.";
inline constexpr const char* kWalkHelp =
    "Стрелки вниз и вверх читают описание, вправо и влево ведут по x, квадратные скобки — к важным точкам, "
    "пробел — звучание графиков, M — звук шагов.";

class Walk {
public:
    explicit Walk(WalkPicture picture);
    WalkReply press(WalkKey key);
    // The sweep ended by itself.
    void sweepEnded() { playing_ = false; }
    bool playing() const { return playing_; }
    bool stepSound() const { return stepSound_; }
    std::optional<double> x() const { return x_; }
    const WalkPicture& picture() const { return picture_; }
    double step() const { return step_; }

private:
    WalkReply moveTo(double x, const std::string& before = {});
    WalkReply edge(const char* text);
    WalkReply readLine(int delta);
    WalkReply toPoint(bool next);
    double stepped(double from, int steps) const;

    WalkPicture picture_;
    double step_;
    std::vector<Interest> interests_;
    int line_ = -1;
    std::optional<double> x_;
    bool playing_ = false;
    bool stepSound_ = true;
};

} // namespace viramont::view
