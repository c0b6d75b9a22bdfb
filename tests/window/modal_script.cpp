#include "window/modal_script.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace viramont::test {

ModalScript::ModalScript() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalScript::poll);
    timer_.start();
}

ModalScript& ModalScript::ok() {
    steps_.push_back({true, std::nullopt});
    return *this;
}

ModalScript& ModalScript::type(const QString& answer) {
    steps_.push_back({false, answer});
    return *this;
}

ModalScript& ModalScript::cancel() {
    steps_.push_back({false, std::nullopt});
    return *this;
}

ModalScript& ModalScript::otherwise(Chooser chooser) {
    chooser_ = std::move(chooser);
    return *this;
}

ModalScript& ModalScript::onEachBox(std::function<void(QWidget*)> look) {
    look_ = std::move(look);
    return *this;
}

ModalScript& ModalScript::pollEvery(int milliseconds) {
    timer_.setInterval(milliseconds);
    return *this;
}

std::vector<QString> ModalScript::messages() const {
    std::vector<QString> out;
    for (const ModalSeen& s : seen_) {
        if (s.kind == ModalSeen::Kind::Message) out.push_back(s.text);
    }
    return out;
}

std::vector<QString> ModalScript::prompts() const {
    std::vector<QString> out;
    for (const ModalSeen& s : seen_) {
        if (s.kind == ModalSeen::Kind::Input) out.push_back(s.text);
    }
    return out;
}

void ModalScript::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (look_) look_(modal);

    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        ModalSeen seen{ModalSeen::Kind::Message, box->windowTitle(), box->text(), false, QString()};
        if (!steps_.empty() && steps_.front().message) {
            seen.expected = true;
            steps_.pop_front();
        } else if (steps_.empty() && chooser_) {
            seen.expected = true;
            seen.answer = chooser_(seen).has_value() ? std::optional<QString>(QString()) : std::nullopt;
        }
        seen_.push_back(seen);
        if (seen.answer) {
            box->accept();
        } else {
            box->reject();
        }
        return;
    }
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
        ModalSeen seen{ModalSeen::Kind::Input, input->windowTitle(), input->labelText(), false, std::nullopt};
        if (!steps_.empty() && !steps_.front().message) {
            seen.expected = true;
            seen.answer = steps_.front().answer;
            steps_.pop_front();
        } else if (steps_.empty() && chooser_) {
            seen.expected = true;
            seen.answer = chooser_(seen);
        }
        seen_.push_back(seen);
        if (seen.answer) {
            input->setTextValue(*seen.answer);
            input->accept();
        } else {
            input->reject();
        }
        return;
    }
    seen_.push_back({ModalSeen::Kind::Other, modal->windowTitle(), QString(), false, std::nullopt});
    modal->close();
}

} // namespace viramont::test
