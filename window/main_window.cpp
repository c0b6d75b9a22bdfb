#include "window/main_window.h"

#include "window/appearance.h"
#include "form/layout.h"
#include "window/picture_menu.h"
#include "window/picture_walker.h"
#include "window/sound_player.h"
#include "window/cards_dialog.h"
#include "window/motion_driver.h"
#include "window/practice_window.h"
#include "window/step_window.h"
#include "params/intake.h"
#include "plot/plot.h"
#include "plot/steps.h"
#include "toolkit/guard.h"
#include "toolkit/qt/accessible.h"
#include "toolkit/qt/canvas_widget.h"
#include "toolkit/qt/caption_button.h"
#include "toolkit/qt/field_edit.h"
#include "toolkit/qt/pick_list.h"
#include "toolkit/qt/qt_controls.h"
#include "toolkit/qt/qt_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <map>
#include <string>

namespace viramont {

namespace {

Qt::Alignment alignmentOf(layout::Align align) {
    return align == layout::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
}

void applyColours(QWidget* w, const layout::ControlRow& control, QPalette::ColorRole foreRole,
                  QPalette::ColorRole backRole) {
    QPalette pal = w->palette();
    pal.setColor(foreRole, layoutColour(control.fore, pal));
    pal.setColor(backRole, layoutColour(control.back, pal));
    w->setPalette(pal);
}

// The palette roles of a control's text and face.
struct ColourRoles {
    QPalette::ColorRole fore, back;
};
ColourRoles colourRolesOf(layout::Kind kind) {
    switch (kind) {
    case layout::Kind::TextBox:
    case layout::Kind::ComboBox: return {QPalette::Text, QPalette::Base};
    case layout::Kind::Button: return {QPalette::ButtonText, QPalette::Button};
    case layout::Kind::Label:
    case layout::Kind::Picture: break;
    }
    return {QPalette::WindowText, QPalette::Window};
}

// A window of its own shown over the others, with the focus.
void bringForward(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

MainWindow::MainWindow(double scaleFactor) {
    installAccessibility();
    const layout::Scale scale{scaleFactor};
    setObjectName(layout::kTitle);
    setWindowTitle(layout::kTitle);
    setWindowIcon(programIcon());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, layoutColour(layout::kFormBack, pal));
    setPalette(pal);
    setAutoFillBackground(true);
    resize(scale(layout::kClientWidth), scale(layout::kClientHeight));

    buildControls(scale);
    wireEvents();
    handle(Form_Load);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls(layout::Scale scale) {
    std::map<std::string, QWidget*> byName;
    std::map<std::string, TextField*> fieldsByName;
    std::vector<std::pair<int, QWidget*>> focusOrder;

    for (const layout::ControlRow& control : layout::kControls) {
        const QString text = QString::fromUtf8(control.text);
        const QFont font = layoutFont(control.font, scale.factor);
        const QRect geometry(scale(control.left), scale(control.top), scale.extent(control.left, control.width),
                             scale.extent(control.top, control.height));
        QWidget* w = nullptr;
        switch (control.kind) {
        case layout::Kind::Label: {
            auto* label = new QLabel(text, this);
            label->setWordWrap(true);
            label->setAlignment(alignmentOf(control.align) | Qt::AlignTop);
            label->setAutoFillBackground(true);
            w = label;
            break;
        }
        case layout::Kind::TextBox: {
            auto* edit = new FieldEdit(text, this);
            edit->setMaxLength(layout::kFieldLimit);
            edit->setAlignment(alignmentOf(control.align) | Qt::AlignVCenter);
            edit->setOutput(control.name == std::string(layout::kOutputField));
            fields_.push_back(std::make_unique<LineEditField>(edit));
            fieldsByName[control.name] = fields_.back().get();
            w = edit;
            break;
        }
        case layout::Kind::ComboBox: {
            combo1_ = new PickList(this);
            combo1_->setEditText(text);
            list_ = std::make_unique<PickListControl>(combo1_);
            w = combo1_;
            break;
        }
        case layout::Kind::Button: {
            // The graphical style: the face in the back colour, the caption
            // wrapped and centred on it.
            auto* button = new CaptionButton(text, this);
            button->setAutoDefault(false);
            w = button;
            break;
        }
        case layout::Kind::Picture: {
            auto* picture = new CanvasWidget(this, geometry.size(), layout::kCanvasBorder,
                                             layoutColourValue(control.fore, palette()),
                                             layoutColourValue(control.back, palette()), font);
            (control.name == std::string("Picture1") ? picture1_ : picture2_) = picture;
            w = picture;
            break;
        }
        }
        w->setObjectName(QString::fromUtf8(control.name));
        w->setGeometry(geometry);
        w->setFont(font);
        const ColourRoles roles = colourRolesOf(control.kind);
        applyColours(w, control, roles.fore, roles.back);
        if (control.kind != layout::Kind::Label) focusOrder.emplace_back(control.tabIndex, w);
        byName[control.name] = w;
    }

    // Text fields are drawn above the labels they overlap.
    for (auto& [name, w] : byName) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) w->raise();
    }
    for (const auto& [control, name] : layout::kAccessibleNames) {
        byName.at(control)->setAccessibleName(QString::fromUtf8(name));
    }

    announcer_ = new Announcer(this);

    std::sort(focusOrder.begin(), focusOrder.end());
    for (std::size_t i = 1; i < focusOrder.size(); ++i) {
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    }
    focusOrder.front().second->setFocus();

    dialogs_ = std::make_unique<QtDialogs>(this, layout::kTitle, layout::kFieldLimit);
    form_ = std::make_unique<Form>(formOver([&](const char* name) -> TextField& { return *fieldsByName.at(name); },
                                            *list_, picture1_->canvas(), picture2_->canvas(), *dialogs_, [this] {
                                                close();
                                                QCoreApplication::quit();
                                            }));
}

void MainWindow::wireEvents() {
    // A box opened in the middle of a press shows over the drawing as it is
    // at that moment: a cleared legend, new axes, the graph drawn so far.
    dialogs_->setBeforeModal([this] {
        refreshPictures();
        picture1_->repaint();
        picture2_->repaint();
    });
    // Only an entry picked from the list (mouse or arrow keys) is a Click;
    // typed text never is.
    combo1_->setPickHandler([this](int) { handle(Combo1_Click); });
    auto button = [this](const char* name) { return findChild<QPushButton*>(QString::fromUtf8(name)); };
    connect(button("ВЫБОР"), &QPushButton::clicked, this, [this] { handle(ВЫБОР_Click); });
    connect(button("Command1"), &QPushButton::clicked, this, [this] {
        motion_->stop();  // before the press notes what Picture1 shows
        QApplication::setOverrideCursor(Qt::WaitCursor);
        view::pressPlot(lastPlot_, form_->state, picture1_->canvas().geometry(), [this] { handle(Command1_Click); },
                        pictureMenu_->offer());
        QApplication::restoreOverrideCursor();
        notePlot();
    });
    connect(button("Command3"), &QPushButton::clicked, this, [this] { handle(Command3_Click); });
    pictureMenu_ = std::make_unique<PictureMenu>(this, picture1_, picture2_, findChild<QLineEdit*>("Text5"), *dialogs_,
                                                 lastPlot_, [this] { openSteps(); },
                                                 [this](view::Command command) { openClassView(command); });
    walker_ = new PictureWalker(picture1_, *announcer_, *new SoundPlayer(this));
    connect(&pictureMenu_->action(view::Command::Listen), &QAction::triggered, this, [this] { walker_->listen(); });
    motion_ = new MotionDriver(this, picture1_, *announcer_, [this] { return form_->state.Spoken.picture1; });
    pictureMenu_->takeFramesFrom([this] { return motion_->shownFrame(); });
}

void MainWindow::notePlot() {
    if (const std::optional<FormState>& inputs = lastPlot_.inputs()) {
        walker_->showPicture([inputs = *inputs, words = form_->state.Spoken.picture1] {
            return view::plotPicture(inputs, words);
        });
    }
    const FormState* plotted = ExplainedPlot(lastPlot_);
    if (!plotted) return;
    if (stepWindow_ && stepWindow_->isVisible()) stepWindow_->showPlot(*plotted);
}

void MainWindow::openSteps() {
    const FormState* plotted = ExplainedPlot(lastPlot_);
    if (!plotted) return;
    if (!stepWindow_) {
        stepWindow_ = new StepWindow(this);
        stepWindow_->showMotion = [this] { openClassView(view::Command::Motion); };
    }
    stepWindow_->showPlot(*plotted);
    bringForward(stepWindow_);
}

void MainWindow::openClassView(view::Command command) {
    if (command == view::Command::Motion && view::offers(command, lastPlot_)) motion_->play(*ExplainedPlot(lastPlot_));
    if (command == view::Command::Practice) {
        if (!practiceWindow_) practiceWindow_ = new PracticeWindow(this, *dialogs_);
        bringForward(practiceWindow_);
    }
    if (command == view::Command::Cards) {
        if (!cardsDialog_) cardsDialog_ = new CardsDialog(this, *dialogs_);
        bringForward(cardsDialog_);
    }
}

void MainWindow::handle(void (*handler)(Form&)) {
    motion_->stop();
    runHandler(*form_, handler);
    refreshPictures();
    announcer_->announce(QString::fromStdString(form_->state.Spoken.announcement));
}

void MainWindow::refreshPictures() {
    picture1_->refresh(form_->state.Spoken.picture1);
    picture2_->refresh();
}

} // namespace viramont
