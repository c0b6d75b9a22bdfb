#pragma once
// Answers the program's modal boxes from a test. A timer looks for the active
// modal widget and answers it with the next step of the script: OK for a
// message box, a typed text or Cancel for an input box. Every box is
// recorded; a box that the script did not expect is closed and recorded too,
// so a test fails on it instead of hanging.

#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <optional>
#include <vector>

namespace viramont::test {

struct ModalSeen {
    enum class Kind { Message, Input, Other } kind;
    QString title;
    QString text;  // message text or input prompt
    bool expected;
};

class ModalScript : public QObject {
public:
    ModalScript();
    // Next box is a message box: press OK.
    ModalScript& ok();
    // Next box is an input box: type `answer` and press OK.
    ModalScript& type(const QString& answer);
    // Next box is an input box: press Cancel.
    ModalScript& cancel();

    const std::vector<ModalSeen>& seen() const { return seen_; }
    bool allAnswered() const { return steps_.empty(); }
    std::vector<QString> messages() const;
    std::vector<QString> prompts() const;

private:
    struct Step {
        bool message;
        std::optional<QString> answer;
    };
    void poll();

    QTimer timer_;
    std::deque<Step> steps_;
    std::vector<ModalSeen> seen_;
};

} // namespace viramont::test
