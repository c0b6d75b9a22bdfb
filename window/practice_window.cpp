#include "window/practice_window.h"

#include "window/picture_walker.h"
#include "window/sound_player.h"

#include "form/layout.h"
#include "toolkit/qt/accessible.h"
#include "toolkit/qt/canvas_widget.h"
#include "views/practice.h"
#include "window/appearance.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <random>

namespace viramont {

namespace {
QLabel* textLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

PracticeWindow::PracticeWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("PracticeWindow"));
    setWindowTitle(QString::fromUtf8(view::kPracticeTitle));
    setWindowIcon(programIcon());

    level_ = new QComboBox(this);
    level_->setObjectName(QStringLiteral("PracticeLevel"));
    for (const view::LevelChoice& choice : view::kLevels) level_->addItem(QString::fromUtf8(choice.name));
    auto* levelLabel = new QLabel(QString::fromUtf8(view::kLevelLabel), this);
    levelLabel->setBuddy(level_);
    level_->setAccessibleName(QString::fromUtf8(view::kLevelLabel).chopped(1));
    connect(level_, &QComboBox::activated, this, [this] { newRound(); });

    heading_ = textLabel(this, "PracticeHeading");
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    base_ = textLabel(this, "PracticeBase");

    const layout::ControlRow& row = layout::controlNamed("Picture1");
    const QPalette palette = QGuiApplication::palette();
    const practice::PictureSize size = practice::pictureSize();
    const int border = layout::kCanvasBorder;
    picture_ = new CanvasWidget(this, QSize(size.width + 2 * border, size.height + 2 * border), border,
                                layoutColourValue(row.fore, palette), layoutColourValue(row.back, palette),
                                layoutFont(row.font));
    picture_->setFixedSize(size.width + 2 * border, size.height + 2 * border);
    picture_->setObjectName(QStringLiteral("PracticePicture"));
    picture_->setAccessibleName(QString::fromUtf8(view::kPracticePictureName));
    picture_->setFocusPolicy(Qt::StrongFocus);  // walked by keys (picture_walker.h)

    auto* answer = new QHBoxLayout;
    answer->addWidget(new QLabel(QString::fromUtf8(view::kAnswerPrompt), this));
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const QString name = QString::fromUtf8(practice::kFieldNames[i]);
        auto* label = new QLabel(name + " =", this);
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("practice-") + name);
        field->setAccessibleName(name);
        field->setMaxLength(layout::kFieldLimit);
        field->setFixedWidth(80);
        label->setBuddy(field);
        connect(field, &QLineEdit::returnPressed, this, [this] { checkAnswer(); });
        answer->addWidget(label);
        answer->addWidget(field);
        fields_[i] = field;
    }
    answer->addStretch();

    check_ = new QPushButton(QString::fromUtf8(view::kCheckButton), this);
    solution_ = new QPushButton(QString::fromUtf8(view::kSolutionButton), this);
    next_ = new QPushButton(QString::fromUtf8(view::kNextButton), this);
    check_->setDefault(true);
    connect(check_, &QPushButton::clicked, this, [this] { checkAnswer(); });
    connect(solution_, &QPushButton::clicked, this, [this] { showSolution(); });
    connect(next_, &QPushButton::clicked, this, [this] { nextTask(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(check_);
    buttons->addWidget(solution_);
    buttons->addStretch();
    buttons->addWidget(next_);

    verdict_ = textLabel(this, "PracticeVerdict");
    verdict_->setFont(bold);
    sentence_ = textLabel(this, "PracticeSentence");
    solutionText_ = textLabel(this, "PracticeSolution");

    auto* top = new QHBoxLayout;
    top->addWidget(heading_);
    top->addStretch();
    top->addWidget(levelLabel);
    top->addWidget(level_);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(base_);
    column->addWidget(picture_, 0, Qt::AlignLeft);
    column->addLayout(answer);
    column->addLayout(buttons);
    column->addWidget(verdict_);
    column->addWidget(sentence_);
    column->addWidget(solutionText_);
    column->addStretch();
    announcer_ = new Announcer(this);
    walker_ = new PictureWalker(picture_, *announcer_, *new SoundPlayer(this));
    newRound();
}

void PracticeWindow::newRound(std::optional<std::uint64_t> seed) {
    const practice::Level level = view::kLevels.at(std::size_t(std::max(0, level_->currentIndex()))).level;
    round_.emplace(seed ? *seed : std::random_device{}(), level);
    scored_ = false;
    next_->setText(QString::fromUtf8(view::kNextButton));
    showTask();
}

void PracticeWindow::drawPicture(const std::optional<practice::Transform>& answer) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const practice::Task& task = round_->task();
    practice::drawTask(task, picture_->canvas(), answer);
    picture_->refresh(description_);
    QApplication::restoreOverrideCursor();
}

void PracticeWindow::showTask() {
    const practice::Task& task = round_->task();
    heading_->setText(QString::fromStdString(practice::taskHeading(task)));
    base_->setText(QString::fromStdString(practice::baseFunctionLine(task)));
    description_ = practice::describeTask(task);
    drawPicture(std::nullopt);
    walker_->showPicture([task] { return view::taskPicture(task); });
    for (QLineEdit* field : fields_) field->clear();
    verdict_->clear();
    sentence_->clear();
    solutionText_->clear();
    check_->setEnabled(true);
    solution_->setEnabled(true);
    fields_[0]->setFocus();
}

void PracticeWindow::checkAnswer() {
    if (scored_) return;
    std::array<std::string, 4> typed;
    for (std::size_t i = 0; i < typed.size(); ++i) typed[i] = fields_[i]->text().toStdString();
    const practice::Verdict verdict = round_->answer(typed);
    verdict_->setText(QString::fromStdString(verdict.line));
    sentence_->setText(QString::fromStdString(verdict.sentence));
    if (verdict.judged) drawPicture(verdict.right ? std::nullopt : verdict.answer);
    announcer_->announce(QString::fromStdString(verdict.line + (verdict.sentence.empty() ? "" : " " + verdict.sentence)));
}

void PracticeWindow::showSolution() {
    if (scored_) return;
    QStringList lines;
    for (const std::string& line : view::solutionLines(round_->showSolution())) lines << QString::fromStdString(line);
    solutionText_->setText(lines.join('\n'));
    announcer_->announce(lines.first());
}

void PracticeWindow::nextTask() {
    if (scored_) {
        newRound();
        return;
    }
    if (round_->next()) {
        showTask();
        return;
    }
    // The round is over: the score, and a new round on the same button.
    scored_ = true;
    verdict_->setText(QString::fromStdString(round_->score()));
    sentence_->clear();
    solutionText_->clear();
    check_->setEnabled(false);
    solution_->setEnabled(false);
    next_->setText(QString::fromUtf8(view::kNewRoundButton));
    announcer_->announce(verdict_->text());
}

} // namespace viramont
