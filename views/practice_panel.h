#pragma once
// Practice's panel and its round, once for both front ends: the parts
// (views/panel.h) and what each command of the pupil changes. A round of
// ten tasks at the level chosen; Проверить judges the answer typed and
// shows a wrong one in green with what differs, and the guide lines
// x = −b and y = C from then on; Подсказка shows them before a first
// answer; Показать решение gives the numbers and the steps; Следующее
// задание goes on, and after the tenth task the score stands with a new
// round on the same button. The verdict is brought into view after each
// check.

#include "practice/practice.h"
#include "views/motion.h"
#include "views/panel.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace viramont::view {

inline constexpr const char* kHintButton = "Подсказка";
inline constexpr const char* kHintShown = "На рисунке показаны прямые x = −b и y = C.";

// The panel's parts.
const Panel& practicePanel();

class PracticePanel {
public:
    // `seeds` gives each new round's seed where none was asked for.
    explicit PracticePanel(std::function<std::uint64_t()> seeds);

    // A new round at the level of `values` (the first where none is).
    PanelUpdate start(const PanelValues& values);
    // The pupil's command over the panel, with what its fields hold.
    PanelUpdate press(Command command, const PanelValues& values);
    // The seed of the next round, for a class that wants the same tasks.
    void seedNextRound(std::uint64_t seed) { nextSeed_ = seed; }

    // The task's picture as it stands, and what it shows in words.
    void drawPicture(Canvas& canvas) const;
    const std::string& pictureWords() const { return words_; }
    const practice::Round& round() const { return *round_; }
    bool guidesShown() const { return guides_; }
    // The task's picture as it stands, for the motion of its moves, which
    // "Показать движение" offers once the solution is shown.
    TaskPictureState pictureState() const { return {round_->task(), answer_, guides_}; }

private:
    PanelUpdate showTask();
    PanelUpdate check(const PanelValues& values);
    PanelUpdate hint();
    PanelUpdate solution();
    PanelUpdate next(const PanelValues& values);

    std::function<std::uint64_t()> seeds_;
    std::optional<std::uint64_t> nextSeed_;
    std::optional<practice::Round> round_;
    std::optional<practice::Transform> answer_;  // a wrong answer, drawn in green
    std::string words_;
    bool guides_ = false;
    bool scored_ = false;
    bool solutionShown_ = false;
};

// The practice panel's parts by name.
namespace practice_part {
inline const std::string kHeading = "practice-heading";
inline const std::string kLevel = "practice-level";
inline const std::string kBase = "practice-base";
inline const std::string kPicture = "practice-picture";
inline const std::string kPrompt = "practice-prompt";
inline const std::string kVerdict = "practice-verdict";
inline const std::string kDiffers = "practice-differs";
inline const std::string kSteps = "practice-steps";
// A field of the answer: "practice-A", ...
std::string field(std::size_t i);
// A button of the panel: "practice-check", ...
std::string button(Command command);
} // namespace practice_part

} // namespace viramont::view
