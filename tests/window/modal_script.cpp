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

    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const bool expected = !steps_.empty() && steps_.front().message;
        seen_.push_back({ModalSeen::Kind::Message, box->windowTitle(), box->text(), expected});
        if (expected) steps_.pop_front();
        box->accept();
        return;
    }
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
        const bool expected = !steps_.empty() && !steps_.front().message;
        seen_.push_back({ModalSeen::Kind::Input, input->windowTitle(), input->labelText(), expected});
        std::optional<QString> answer;
        if (expected) {
            answer = steps_.front().answer;
            steps_.pop_front();
        }
        if (answer) {
            input->setTextValue(*answer);
            input->accept();
        } else {
            input->reject();
        }
        return;
    }
    seen_.push_back({ModalSeen::Kind::Other, modal->windowTitle(), QString(), false});
    modal->close();
}

} // namespace viramont::test
