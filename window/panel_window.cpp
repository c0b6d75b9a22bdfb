#include "window/panel_window.h"

#include "toolkit/controls.h"
#include "toolkit/qt/accessible.h"
#include "toolkit/qt/canvas_widget.h"
#include "window/appearance.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

namespace viramont {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

// A widget with its caption beside it.
QWidget* captioned(QWidget* parent, const std::string& caption, QWidget* control) {
    auto* holder = new QWidget(parent);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(text(caption), holder);
    label->setBuddy(control);
    control->setParent(holder);
    row->addWidget(label);
    row->addWidget(control);
    return holder;
}

} // namespace

PanelWindow::PanelWindow(QWidget* owner, const view::Panel& panel, Dialogs& dialogs, std::function<void(Canvas&)> draw)
    : QWidget(owner, Qt::Window), panel_(panel), dialogs_(dialogs), draw_(std::move(draw)) {
    setObjectName(text(panel.id));
    setWindowTitle(QString::fromUtf8(panel.title));
    setWindowIcon(programIcon());
    scroll_ = new QScrollArea(this);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll_);
    auto* column = new QVBoxLayout(content);
    for (const view::PanelPart& part : panel.parts) column->addWidget(build(part, content), 0, Qt::AlignLeft);
    column->addStretch();
    scroll_->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll_);
    // As high as the content, where the screen has room for it.
    const QSize wanted = content->sizeHint() + QSize(scroll_->verticalScrollBar()->sizeHint().width(), 0);
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen->availableGeometry();
    resize(std::min(wanted.width(), room.width()), std::min(wanted.height(), room.height() * 9 / 10));
    announcer_ = new Announcer(this);
    for (QLineEdit* field : findChildren<QLineEdit*>()) {
        connect(field, &QLineEdit::returnPressed, this, [this, enter = panel.enter] { command(enter); });
    }
}

QWidget* PanelWindow::build(const view::PanelPart& part, QWidget* parent) {
    using view::PartKind;
    switch (part.kind) {
    case PartKind::Row: {
        auto* row = new QWidget(parent);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        for (const view::PanelPart& inner : part.parts) layout->addWidget(build(inner, row));
        layout->addStretch();
        return row;
    }
    case PartKind::Text: {
        auto* label = new QLabel(parent);
        label->setObjectName(text(part.name));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QFont font = label->font();
        font.setBold(part.bold);
        label->setFont(font);
        return label;
    }
    case PartKind::Field: {
        auto* field = new QLineEdit;
        field->setObjectName(text(part.name));
        field->setAccessibleName(text(part.accessibleName));
        field->setMaxLength(part.limit);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(part.chars, '0')) + 2 * field->fontMetrics().averageCharWidth());
        return captioned(parent, part.label, field);
    }
    case PartKind::Number: {
        auto* number = new QSpinBox;
        number->setObjectName(text(part.name));
        number->setRange(part.low, part.high);
        number->setValue(part.value);
        return captioned(parent, part.label, number);
    }
    case PartKind::Choice: {
        auto* list = new QComboBox;
        list->setObjectName(text(part.name));
        for (const std::string& option : part.options) list->addItem(text(option));
        QString name = text(part.label);
        if (name.endsWith(':')) name.chop(1);
        list->setAccessibleName(name);
        if (part.command != view::Command::None) {
            connect(list, &QComboBox::activated, this, [this, c = part.command] { command(c); });
        }
        return captioned(parent, part.label, list);
    }
    case PartKind::Picture: {
        const layout::ControlRow& row = layout::controlNamed("Picture1");
        const QPalette palette = QGuiApplication::palette();
        const int border = layout::kCanvasBorder;
        const QSize size(part.picture.width + 2 * border, part.picture.height + 2 * border);
        picture_ = new CanvasWidget(parent, size, border, layoutColourValue(row.fore, palette),
                                    layoutColourValue(row.back, palette), layoutFont(row.font));
        picture_->setFixedSize(size);
        picture_->setObjectName(text(part.name));
        picture_->setAccessibleName(text(part.accessibleName));
        picture_->setFocusPolicy(Qt::NoFocus);
        return picture_;
    }
    case PartKind::Buttons: {
        auto* row = new QWidget(parent);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        bool first = true;
        for (const view::PanelButton& b : part.buttons) {
            if (b.atEnd) layout->addStretch();
            auto* button = new QPushButton(QString::fromUtf8(b.text), row);
            button->setObjectName(text(view::buttonName(panel_, b.command)));
            button->setAutoDefault(false);
            button->setDefault(first);
            first = false;
            connect(button, &QPushButton::clicked, this, [this, c = b.command] { command(c); });
            layout->addWidget(button);
        }
        row->setMinimumWidth(row->sizeHint().width());
        return row;
    }
    }
    return new QWidget(parent);
}

void PanelWindow::command(view::Command c) {
    if (c == view::Command::Close) {
        close();
        return;
    }
    if (pressed_) pressed_(c);
}

view::PanelValues PanelWindow::values() const {
    return [this](const std::string& name) -> std::string {
        const QString id = text(name);
        if (auto* field = findChild<QLineEdit*>(id)) return field->text().toStdString();
        if (auto* number = findChild<QSpinBox*>(id)) return number->cleanText().toStdString();
        if (auto* list = findChild<QComboBox*>(id)) return std::to_string(std::max(0, list->currentIndex()));
        return {};
    };
}

void PanelWindow::apply(const view::PanelUpdate& update, const std::string& pictureWords) {
    for (const view::PartChange& change : update.changes) {
        QWidget* widget = findChild<QWidget*>(text(change.name));
        if (!widget) continue;
        if (change.text) {
            if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text(*change.text));
            if (auto* button = qobject_cast<QPushButton*>(widget)) button->setText(text(*change.text));
        }
        if (change.value) {
            if (auto* field = qobject_cast<QLineEdit*>(widget)) field->setText(text(*change.value));
            if (auto* number = qobject_cast<QSpinBox*>(widget)) number->setValue(std::stoi(*change.value));
        }
        if (change.enabled) widget->setEnabled(*change.enabled);
    }
    if (update.redrawPicture && picture_ && draw_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        draw_(picture_->canvas());
        picture_->refresh(pictureWords);
        QApplication::restoreOverrideCursor();
    }
    if (!update.focus.empty()) {
        if (QWidget* widget = findChild<QWidget*>(text(update.focus))) widget->setFocus();
    }
    if (!update.reveal.empty()) {
        if (QWidget* widget = findChild<QWidget*>(text(update.reveal))) {
            layout()->activate();
            scroll_->widget()->layout()->activate();
            scroll_->ensureWidgetVisible(widget);
        }
    }
    if (!update.message.empty()) dialogs_.message(update.message);
    announcer_->announce(text(update.announcement));
}

} // namespace viramont
