// A long random session on the real window: field texts that favour the
// edge cases, picks in Combo1, presses of ВЫБОР and Command1 in any order,
// every box answered or cancelled at random. After every action the window
// must still take events, every box must be one the program is meant to
// show, and the memory held at the end must be close to that after the
// first hundred actions.
//
// VIRAMONT_SOAK_SEED and VIRAMONT_SOAK_ACTIONS (environment) change the seed
// and the length of the session; a failure names the seed and the action.

#include "form/layout.h"
#include "window/main_window.h"
#include "toolkit/fault.h"
#include "press_oracle.h"
#include "toolkit/number_text.h"
#include "window/modal_script.h"
#include "window/typing.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define VIRAMONT_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VIRAMONT_SOAK_ASAN 1
#endif
#endif

namespace viramont {
namespace {

using test::typeInto;
namespace oracle = test::oracle;

using Clock = std::chrono::steady_clock;
using Rng = std::mt19937;

constexpr int kDefaultActions = 1000;
constexpr int kMemoryMark = 100;          // actions before the first reading
constexpr long kMemoryGrowthKb = 6144;    // allowed growth after it
constexpr int kStallSeconds = 60;         // an action that takes longer hangs

int envInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

// Resident memory of this process in kB, from /proc.
long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

int uniform(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
bool chance(Rng& rng, int percent) { return uniform(rng, 0, 99) < percent; }
template <class T, std::size_t N>
const T& oneOf(Rng& rng, const T (&items)[N]) {
    return items[static_cast<std::size_t>(uniform(rng, 0, static_cast<int>(N) - 1))];
}

// Texts a pupil might leave in a numeric field, the awkward ones often.
QString fieldText(Rng& rng) {
    static const char* const kEdges[] = {
        "",      "0",     "-0",     "+0",     "0.0",      "1e999", "-1e999",  "1e39",    "-1e39",   "3.4e38", "-3e38",
        "1e308", "1e-50", "-1e-50", "1e-320", "4.9e-324", "abc",   "7abc",    "0,5",     "-2,5",    "1.",     ".5",
        "-.5",   "+.5",   "-.",     "e5",     "1e",       "1e+",   "2.5e+1",  " 3",      "NaN",     "inf",    "-inf",
        "∞",     "١",     "１",     "x",      "2048",     "-2048", "2047.99", "8388607", "8388608", "3e9",    "32767",
        "32768", "40000", "-40000", "0.4",    "0.5",      "1.5",   "2.5",     "1e-7",    "-1e7",    "1,5e3"};
    const int kind = uniform(rng, 0, 99);
    if (kind < 40) {  // an ordinary small number
        const double v = uniform(rng, -12, 12) / 4.0;
        return QString::number(v);
    }
    if (kind < 80) return QString::fromUtf8(oneOf(rng, kEdges));
    if (kind < 85) {  // very long digit strings
        const int n = uniform(rng, 100, 1000);
        switch (uniform(rng, 0, 2)) {
        case 0:
            return QString(n, QChar('9'));
        case 1:
            return "0." + QString(n, QChar('0')) + "1";
        default:
            return "-" + QString(n, QChar('1')) + "e-" + QString::number(n);
        }
    }
    // Pieces of a number, each maybe missing or wrong.
    QString t;
    if (chance(rng, 20)) t += ' ';
    if (chance(rng, 40)) t += chance(rng, 50) ? '-' : '+';
    for (int i = uniform(rng, 0, 6); i > 0; --i) t += QChar('0' + uniform(rng, 0, 9));
    if (chance(rng, 50)) t += chance(rng, 80) ? '.' : ',';
    for (int i = uniform(rng, 0, 4); i > 0; --i) t += QChar('0' + uniform(rng, 0, 9));
    if (chance(rng, 30))
        t +=
            (chance(rng, 50) ? "e" : "E") + QString(chance(rng, 50) ? "-" : "") + QString::number(uniform(rng, 0, 400));
    if (chance(rng, 15)) t += QString::fromUtf8(oneOf(rng, kEdges));
    return t;
}

// Answers to the base box; the last ones always end the loop.
std::optional<QString> baseAnswer(Rng& rng, int askedInThisPress, int patience) {
    static const char* const kUsable[] = {"2", "3", "10", "1.5", "7abc", " 2", "1", "32767"};
    static const char* const kAny[] = {"",      "0",       "0.4",    "0.5", "-1",  "-0", "abc",  "1e999",
                                       "40000", "32767.5", "-40000", "2.5", "1,5", "e",  "0.51", "5"};
    if (askedInThisPress >= patience) return QString::fromUtf8(oneOf(rng, kUsable));
    if (chance(rng, 35)) return std::nullopt;  // Cancel
    return QString::fromUtf8(oneOf(rng, kAny));
}

// Stops the process when the session makes no progress for kStallSeconds:
// a handler that never returns would otherwise hang the test run.
class Watchdog {
public:
    Watchdog() : thread_([this] { watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void progress(int action) {
        action_ = action;
        last_ = Clock::now().time_since_epoch().count();
    }

private:
    void watch() {
        std::unique_lock lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; })) {
            const auto idle = Clock::now() - Clock::time_point(Clock::duration(last_.load()));
            if (idle > std::chrono::seconds(kStallSeconds)) {
                std::fprintf(stderr, "soak: action %d has not returned after %d s\n", action_.load(), kStallSeconds);
                std::abort();
            }
        }
    }
    std::atomic<int> action_{0};
    std::atomic<Clock::rep> last_{Clock::now().time_since_epoch().count()};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

// The offscreen platform warns about size hints at every box; a thousand
// boxes would bury the test's own output.
class QuietSizeHints {
public:
    QuietSizeHints() { previous_ = qInstallMessageHandler(&QuietSizeHints::handle); }
    ~QuietSizeHints() { qInstallMessageHandler(previous_); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (text.contains("propagateSizeHints")) return;
        if (previous_) previous_(type, context, text);
    }
    static inline QtMessageHandler previous_ = nullptr;
};

class Session {
public:
    Session(MainWindow& window, unsigned seed) : window_(window), rng_(seed) {
        const char* names[] = {"Text1", "Text2", "Text3", "Text4", "Text6", "Text7"};
        for (const char* name : names) fields_.push_back(window.findChild<QLineEdit*>(name));
        text5_ = window.findChild<QLineEdit*>("Text5");
        combo_ = window.findChild<QComboBox*>("Combo1");
        choose_ = window.findChild<QPushButton*>(QString::fromUtf8("ВЫБОР"));
        plot_ = window.findChild<QPushButton*>("Command1");
        modal_.pollEvery(1).otherwise([this](const test::ModalSeen& box) { return answer(box); });
    }

    bool ready() const {
        return text5_ && combo_ && choose_ && plot_ &&
               std::all_of(fields_.begin(), fields_.end(), [](QLineEdit* e) { return e != nullptr; });
    }

    // One random action and the checks after it.
    void act() {
        const std::size_t seenBefore = modal_.seen().size();
        const int kind = uniform(rng_, 0, 99);
        enum class Did { Field, Pick, Choose, Plot, Nothing } did = Did::Nothing;
        if (kind < 35) {
            setField();
            did = Did::Field;
        } else if (kind < 50) {
            pick();
            did = Did::Pick;
        } else if (kind < 75) {
            did = pressChoose() ? Did::Choose : Did::Nothing;
        } else {
            did = pressPlot() ? Did::Plot : Did::Nothing;
        }
        std::vector<test::ModalSeen> boxes(modal_.seen().begin() + static_cast<long>(seenBefore), modal_.seen().end());
        checkBoxes(boxes, did == Did::Choose, did == Did::Plot);
        checkResponsive();
    }

    int presses(bool plot) const { return plot ? plots_ : chooses_; }
    // Plots that ran to their end, their points (about), plots that faulted.
    int plotsDrawn() const { return plotsDrawn_; }
    double pointsDrawn() const { return pointsDrawn_; }
    int plotFaults() const { return plotFaults_; }
    // The entries that ВЫБОР was pressed for.
    const std::set<std::string>& namesPressed() const { return names_; }
    int boxesSeen() const { return static_cast<int>(modal_.seen().size()); }
    Clock::duration longestAction() const { return longest_; }
    void noteDuration(Clock::duration d) { longest_ = std::max(longest_, d); }

private:
    void setField() {
        QLineEdit* edit = fields_[static_cast<std::size_t>(uniform(rng_, 0, 5))];
        const QString text = fieldText(rng_);
        if (text.size() < 12 && chance(rng_, 30)) {
            typeInto(edit, text);
        } else {
            edit->setText(text);
        }
    }

    void pick() {
        const int how = uniform(rng_, 0, 99);
        if (how < 60) {  // the arrow keys, as a pupil would
            combo_->setFocus();
            QKeyEvent key(QEvent::KeyPress, chance(rng_, 60) ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
            QApplication::sendEvent(combo_, &key);
        } else if (how < 85) {  // a click on an entry of the list
            const int index = uniform(rng_, 0, combo_->count() - 1);
            combo_->setCurrentIndex(index);
            emit combo_->activated(index);
        } else {  // text typed into the list's own field, then Enter
            static const char* const kTyped[] = {"sin(x)", "Log(x)", "LOG(X)", "(x)^2 ", "", "ФУНКЦИИ", "Tan(X)"};
            typeInto(combo_, QString::fromUtf8(oneOf(rng_, kTyped)));
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(combo_, &enter);
        }
    }

    bool pressChoose() {
        const std::string& name = window_.form().state.FunctionName;
        // The domain scan of a wide interval takes long by design.
        if (!oracle::selectIsShort(name, fields_[4]->text().toStdString(), fields_[5]->text().toStdString())) {
            return false;
        }
        names_.insert(name);
        askedInPress_ = 0;
        patience_ = uniform(rng_, 0, 4);
        text5Before_ = text5_->text();
        choose_->click();
        ++chooses_;
        return true;
    }

    bool pressPlot() {
        // The graphs take about 10,000 points per unit by design: only plots
        // of a few units are pressed.
        const FormState& s = window_.form().state;
        if (!oracle::plotIsShort(s)) return false;
        plotPoints_ = oracle::graphPoints(s);
        plot_->click();
        ++plots_;
        return true;
    }

    std::optional<QString> answer(const test::ModalSeen& box) {
        if (box.kind == test::ModalSeen::Kind::Input) {
            return baseAnswer(rng_, askedInPress_++, patience_);
        }
        if (chance(rng_, 50)) return QString();  // OK
        return std::nullopt;                     // closed with Esc
    }

    void checkBoxes(const std::vector<test::ModalSeen>& boxes, bool choose, bool plot) {
        int messages = 0;
        for (const test::ModalSeen& box : boxes) {
            switch (box.kind) {
            case test::ModalSeen::Kind::Message:
            {
                ++messages;
                EXPECT_EQ(box.title, layout::kTitle);
                const oracle::Message said = oracle::classify(box.text.toStdString());
                EXPECT_NE(said, oracle::Message::Other)
                    << "a box the program is not meant to show: " << box.text.toStdString();
                EXPECT_TRUE(choose || said == oracle::Message::NamedFault) << box.text.toStdString();
                break;
            }
            case test::ModalSeen::Kind::Input:
                EXPECT_TRUE(choose) << "the base box outside ВЫБОР";
                EXPECT_EQ(box.text, QString::fromUtf8(kBasePrompt));
                EXPECT_EQ(box.title, QString::fromUtf8(kBaseTitle));
                break;
            case test::ModalSeen::Kind::Other:
                ADD_FAILURE() << "an unknown modal window: " << box.title.toStdString();
                break;
            }
        }
        EXPECT_LE(messages, 1) << "a press ends with at most one message";
        if (!choose && !plot) {
            EXPECT_TRUE(boxes.empty()) << "a box without a press";
        }
        if (plot && oracle::isPlotted(window_.form().state.FunctionName)) {
            if (boxes.empty()) {
                ++plotsDrawn_;
                pointsDrawn_ += plotPoints_;
            } else {
                ++plotFaults_;
            }
        }
        if (plot) {
            EXPECT_TRUE(std::none_of(boxes.begin(), boxes.end(), [](const test::ModalSeen& b) {
                return b.kind != test::ModalSeen::Kind::Message;
            }));
        }
        if (!choose) return;
        const FormState& s = window_.form().state;
        if (messages == 0) {  // completed: the formula is shown
            EXPECT_EQ(text5_->text().toStdString(), s.FormulaText);
            if (s.FunctionName == fn::kLogBase) {
                EXPECT_GE(s.LogBase, 1);
            }
        } else {
            EXPECT_EQ(text5_->text(), text5Before_) << "a stopped press changed the formula";
            EXPECT_TRUE(std::none_of(boxes.begin(), boxes.end() - 1, [](const test::ModalSeen& b) {
                return b.kind == test::ModalSeen::Kind::Message;
            })) << "the message ends the press";
        }
    }

    // The event loop runs again after the action: a zero timer fires, and no
    // modal box is left open.
    void checkResponsive() {
        bool fired = false;
        QTimer::singleShot(0, &window_, [&fired] { fired = true; });
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (!fired && Clock::now() < deadline) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_TRUE(fired) << "the window stopped taking events";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(window_.isVisible());
    }

    MainWindow& window_;
    Rng rng_;
    test::ModalScript modal_;
    std::vector<QLineEdit*> fields_;
    QLineEdit* text5_ = nullptr;
    QComboBox* combo_ = nullptr;
    QPushButton* choose_ = nullptr;
    QPushButton* plot_ = nullptr;
    QString text5Before_;
    int askedInPress_ = 0;
    int patience_ = 0;
    int chooses_ = 0;
    int plots_ = 0;
    double plotPoints_ = 0;
    int plotsDrawn_ = 0;
    double pointsDrawn_ = 0;
    int plotFaults_ = 0;
    std::set<std::string> names_;
    Clock::duration longest_{};
};

TEST(Soak, ThousandRandomActionsOnTheWindow) {
    const unsigned seed = static_cast<unsigned>(envInt("VIRAMONT_SOAK_SEED", 20240611));
    const int actions = envInt("VIRAMONT_SOAK_ACTIONS", kDefaultActions);
    SCOPED_TRACE("seed " + std::to_string(seed));

    QuietSizeHints quiet;
    MainWindow window;
    window.show();
    Session session(window, seed);
    ASSERT_TRUE(session.ready());

    Watchdog watchdog;
    long rssAtMark = -1;
    const auto started = Clock::now();
    int done = 0;
    while (done < actions && !::testing::Test::HasFailure()) {
        ++done;
        SCOPED_TRACE("action " + std::to_string(done));
        watchdog.progress(done);
        const auto t0 = Clock::now();
        session.act();
        session.noteDuration(Clock::now() - t0);
        if (done == kMemoryMark) rssAtMark = residentKb();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    const long rssAtEnd = residentKb();
    const double longestMs = std::chrono::duration<double, std::milli>(session.longestAction()).count();

    std::string names;
    for (const std::string& n : session.namesPressed()) names += " \"" + n + "\"";
    std::printf("soak: ВЫБОР pressed for%s\n", names.c_str());
    std::printf(
        "soak: %d actions in %.2f s (ВЫБОР %d, Command1 %d: %d plots of about %.0f points, %d faults; "
        "boxes %d; longest action %.1f ms), VmRSS %ld kB after %d, %ld kB after %d\n",
        done, seconds, session.presses(false), session.presses(true), session.plotsDrawn(), session.pointsDrawn(),
        session.plotFaults(), session.boxesSeen(), longestMs, rssAtMark, kMemoryMark, rssAtEnd, done);
    RecordProperty("seconds", std::to_string(seconds));
    RecordProperty("rss_kb_at_mark", std::to_string(rssAtMark));
    RecordProperty("rss_kb_at_end", std::to_string(rssAtEnd));

    // The session did what it is for: many presses of both buttons, boxes.
    EXPECT_GE(session.presses(false), actions / 8);
    EXPECT_GE(session.presses(true), actions / 8);
    EXPECT_GE(session.boxesSeen(), actions / 20);
#ifndef VIRAMONT_SOAK_ASAN
    // The sanitizer's allocator keeps freed memory back, so only a plain
    // build can tell growth from quarantine.
    if (actions > kMemoryMark) {
        ASSERT_GT(rssAtMark, 0);
        EXPECT_LE(rssAtEnd - rssAtMark, kMemoryGrowthKb) << "memory kept growing during the session";
    }
#endif
}

} // namespace
} // namespace viramont
