#pragma once
// Practice in a window of its own (practice/practice.h, views/practice.h):
// the level, the task's heading and base function, its picture, the four
// fields A, k, b and C (named so for screen readers), Проверить, Показать
// решение and Следующее задание; the verdict and what differs are
// announced; after the tenth task the score and a new round.

#include "practice/practice.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace viramont {

class Announcer;
class CanvasWidget;
class PictureWalker;

class PracticeWindow : public QWidget {
public:
    // A window of its own, kept above `owner` and closed with it.
    explicit PracticeWindow(QWidget* owner);

    // A new round of the level chosen, from `seed` (by default, one of its own).
    void newRound(std::optional<std::uint64_t> seed = {});

    const practice::Round& round() const { return *round_; }
    QLineEdit* field(std::size_t i) const { return fields_.at(i); }
    QPushButton* checkButton() const { return check_; }
    QPushButton* solutionButton() const { return solution_; }
    QPushButton* nextButton() const { return next_; }
    QLabel* verdict() const { return verdict_; }
    QLabel* sentence() const { return sentence_; }
    QLabel* solutionText() const { return solutionText_; }
    CanvasWidget* picture() const { return picture_; }
    QComboBox* level() const { return level_; }

private:
    // The task shown afresh: its heading, base function, picture, fields cleared.
    void showTask();
    // The task's picture, with an answer's curve in green.
    void drawPicture(const std::optional<practice::Transform>& answer);
    void checkAnswer();
    void showSolution();
    void nextTask();

    std::optional<practice::Round> round_;
    QComboBox* level_;
    QLabel* heading_;
    QLabel* base_;
    CanvasWidget* picture_;
    std::array<QLineEdit*, 4> fields_{};
    QPushButton* check_;
    QPushButton* solution_;
    QPushButton* next_;
    QLabel* verdict_;
    QLabel* sentence_;
    QLabel* solutionText_;
    Announcer* announcer_;
    PictureWalker* walker_;
    std::string description_;  // the task's picture in words
    bool scored_ = false;  // the round's score is shown; Next starts a new round
};

} // namespace viramont
