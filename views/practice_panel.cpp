#include "views/practice_panel.h"

#include "views/practice.h"

#include <utility>

namespace viramont::view {

namespace practice_part {
std::string field(std::size_t i) { return std::string("practice-") + practice::kFieldNames.at(i); }
std::string button(Command command) { return buttonName(practicePanel(), command); }
} // namespace practice_part

namespace {

namespace part = practice_part;

constexpr Command kTaskCommands[] = {Command::Check, Command::Hint, Command::ShowSolution};

std::vector<std::string> levelNames() {
    std::vector<std::string> names;
    for (const LevelChoice& choice : kLevels) names.emplace_back(choice.name);
    return names;
}

Panel describePractice() {
    std::vector<PanelPart> fields;
    for (std::size_t i = 0; i < practice::kFieldNames.size(); ++i) {
        const std::string name = practice::kFieldNames[i];
        fields.push_back(fieldPart(part::field(i), name + " =", name, layout::kFieldLimit));
    }
    const practice::PictureSize size = practice::pictureSize();
    return Panel{
        .id = "practice",
        .title = kPracticeTitle,
        .enter = Command::Check,
        .parts = {
            rowPart({textPart(part::kHeading, true),
                     choicePart(part::kLevel, kLevelLabel, levelNames(), Command::ChooseLevel)}),
            textPart(part::kBase),
            picturePart(part::kPicture, {size.width, size.height}, kPracticePictureName),
            textPart(part::kPrompt),
            rowPart(std::move(fields)),
            buttonsPart({{Command::Check, kCheckButton},
                         {Command::Hint, kHintButton},
                         {Command::ShowSolution, kSolutionButton},
                         {Command::Motion, kShowMotionText},
                         {Command::NextTask, kNextButton, true}}),
            textPart(part::kVerdict, true),
            textPart(part::kDiffers),
            textPart(part::kSteps),
        },
    };
}

practice::Level levelOf(const PanelValues& values) {
    return kLevels[choiceIndex(values(part::kLevel), kLevels.size())].level;
}

} // namespace

const Panel& practicePanel() {
    static const Panel panel = describePractice();
    return panel;
}

PracticePanel::PracticePanel(std::function<std::uint64_t()> seeds) : seeds_(std::move(seeds)) {}

PanelUpdate PracticePanel::start(const PanelValues& values) {
    round_.emplace(nextSeed_ ? *nextSeed_ : seeds_(), levelOf(values));
    nextSeed_.reset();
    scored_ = false;
    PanelUpdate update = showTask();
    update.text(part::kPrompt, kAnswerPrompt);
    update.text(part::button(Command::NextTask), kNextButton);
    return update;
}

PanelUpdate PracticePanel::press(Command command, const PanelValues& values) {
    if (!round_ || command == Command::ChooseLevel) return start(values);
    if (command == Command::NextTask) return next(values);
    if (scored_) return {};
    switch (command) {
    case Command::Check: return check(values);
    case Command::Hint: return hint();
    case Command::ShowSolution: return solution();
    case Command::Motion: {
        PanelUpdate update;
        update.playMotion = solutionShown_;
        return update;
    }
    default: return {};
    }
}

void PracticePanel::drawPicture(Canvas& canvas) const {
    if (round_) practice::drawTask(round_->task(), canvas, answer_, guides_);
}

PanelUpdate PracticePanel::showTask() {
    const practice::Task& task = round_->task();
    answer_.reset();
    guides_ = false;
    words_ = practice::describeTask(task);
    PanelUpdate update;
    update.text(part::kHeading, practice::taskHeading(task)).text(part::kBase, practice::baseFunctionLine(task));
    for (std::size_t i = 0; i < practice::kFieldNames.size(); ++i) update.value(part::field(i), "");
    for (const std::string& name : {part::kVerdict, part::kDiffers, part::kSteps}) update.text(name, "");
    for (const Command c : kTaskCommands) update.enable(part::button(c), true);
    solutionShown_ = false;
    update.enable(part::button(Command::Motion), false);
    update.redrawPicture = true;
    update.focus = part::field(0);
    return update;
}

PanelUpdate PracticePanel::check(const PanelValues& values) {
    std::array<std::string, 4> typed;
    for (std::size_t i = 0; i < typed.size(); ++i) typed[i] = values(part::field(i));
    const practice::Verdict verdict = round_->answer(typed);
    PanelUpdate update;
    update.text(part::kVerdict, verdict.line).text(part::kDiffers, verdict.sentence);
    if (verdict.judged) {
        answer_ = verdict.right ? std::nullopt : verdict.answer;
        // A wrong answer earns the guide lines.
        guides_ = guides_ || !verdict.right;
        update.redrawPicture = true;
    }
    update.reveal = verdict.sentence.empty() ? part::kVerdict : part::kDiffers;
    update.announcement = verdict.line + (verdict.sentence.empty() ? "" : " " + verdict.sentence);
    return update;
}

PanelUpdate PracticePanel::hint() {
    PanelUpdate update;
    if (!guides_) {
        round_->takeHint();
        guides_ = true;
        update.redrawPicture = true;
    }
    update.enable(part::button(Command::Hint), false);
    update.announcement = kHintShown;
    return update;
}

PanelUpdate PracticePanel::solution() {
    const std::vector<std::string> lines = solutionLines(round_->showSolution());
    std::string shown;
    for (const std::string& line : lines) shown += (shown.empty() ? "" : "\n") + line;
    PanelUpdate update;
    update.text(part::kSteps, shown);
    solutionShown_ = true;
    update.enable(part::button(Command::Motion), true);
    update.reveal = part::kSteps;
    update.announcement = lines.front();
    return update;
}

PanelUpdate PracticePanel::next(const PanelValues& values) {
    if (scored_) return start(values);
    if (round_->next()) return showTask();
    // The round is over: the score, and a new round on the same button.
    scored_ = true;
    PanelUpdate update;
    update.text(part::kVerdict, round_->score());
    for (const std::string& name : {part::kDiffers, part::kSteps}) update.text(name, "");
    for (const Command c : kTaskCommands) update.enable(part::button(c), false);
    solutionShown_ = false;
    update.enable(part::button(Command::Motion), false);
    update.text(part::button(Command::NextTask), kNewRoundButton);
    update.focus = part::button(Command::NextTask);
    update.reveal = part::kVerdict;
    update.announcement = round_->score();
    return update;
}

} // namespace viramont::view
