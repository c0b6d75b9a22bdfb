#pragma once
// Answers the program's modal boxes from a test. A timer looks for the active
// modal widget and answers it with the next step of the script: OK for a
// message box, a typed text or Cancel for an input box. Every box is
// recorded; a box that the script did not expect is closed and recorded too,
// so a test fails on it instead of hanging. A script can also hand the boxes
// it has no step for to a chooser (otherwise), which answers any box as it
// likes; a long random run uses that.

#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace viramont::test {

struct ModalSeen {
    enum class Kind { Message, Input, Other } kind;
    QString title;
    QString text;  // message text or input prompt
    bool expected;
    // What the box got: the typed text for an input box, "" for OK on a
    // message box; nothing for Cancel or a box that was closed.
    std::optional<QString> answer;
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
    // Boxes with no step left go to `chooser` instead of counting as
    // unexpected. It sees the box and gives the answer: for an input box the
    // text to type and accept, for a message box anything to press OK;
    // nothing cancels an input box and closes a message box. They are
    // recorded as expected, with the answer given.
    using Chooser = std::function<std::optional<QString>(const ModalSeen&)>;
    ModalScript& otherwise(Chooser chooser);
    // Called with every box as it is found, before it is answered: a test
    // can look at the box or at the window behind it.
    ModalScript& onEachBox(std::function<void(QWidget*)> look);
    // How often the script looks for a modal box; 5 ms unless set.
    ModalScript& pollEvery(int milliseconds);

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
    Chooser chooser_;
    std::function<void(QWidget*)> look_;
    std::vector<ModalSeen> seen_;
};

} // namespace viramont::test
