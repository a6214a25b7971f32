// SPDX-License-Identifier: GPL-3.0-or-later
#include "chaossoak.h"

#include "mainwindow.h"
#include "mspcontrolpanelwidget.h"
#include "mspscenesettingswidget.h"
#include "userprompts.h"

#include "connectionstate.h"
#include "keypadtestbed.h"
#include "mspcomm.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "networkprefs.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QTextStream>
#include <QTime>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

Q_LOGGING_CATEGORY(lcSoak, "keypad.soak")

/** Answers the window's prompts as the driver decided: a file name or the first button. */
class SoakPrompts : public UserPrompts
{
public:
    explicit SoakPrompts(std::function<void(const QString &)> note)
        : m_note(std::move(note))
    {
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return takeFile();
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &, const QString &) override
    {
        return takeFile();
    }
    QMessageBox::StandardButton message(QMessageBox::Icon, QWidget *, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton) override
    {
        QMessageBox::StandardButton answer = QMessageBox::NoButton;
        if (answers.isEmpty() && (buttons & QMessageBox::Retry) && (buttons & QMessageBox::Cancel)) {
            // Sending again at once and giving up take turns, so a lasting
            // fault does not keep the driver retrying.
            m_retry = !m_retry;
            answer = m_retry ? QMessageBox::Retry : QMessageBox::Cancel;
        } else if (!answers.isEmpty() && (buttons & answers.first())) {
            answer = answers.takeFirst();
        } else {
            for (int bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton && !answer; bit <<= 1) {
                if (buttons & bit)
                    answer = QMessageBox::StandardButton(bit);
            }
        }
        m_note(QStringLiteral("message \"%1\": \"%2\" answered %3").arg(title, text).arg(int(answer), 0, 16));
        if (answered)
            answered(title, answer);
        return answer;
    }

    QStringList files;
    QList<QMessageBox::StandardButton> answers;
    /** Told of every answer given. */
    std::function<void(const QString &title, QMessageBox::StandardButton answer)> answered;

private:
    QString takeFile() { return files.isEmpty() ? QString() : files.takeFirst(); }
    std::function<void(const QString &)> m_note;
    bool m_retry = false;
};

namespace {

constexpr int sceneCount = KeypadState::sceneCount;
const char uploadedText[] = "The configuration was uploaded to the keypad.";
const char restoredText[] = "The keypad's factory defaults were restored.";

template<typename T> T *child(QWidget *parent, const char *name)
{
    return parent ? parent->findChild<T *>(QLatin1String(name)) : nullptr;
}

bool usable(QWidget *widget)
{
    return widget && widget->isVisible() && widget->isEnabled();
}

} // namespace

ChaosSoak::ChaosSoak(const Options &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_random(options.seed)
{
}

ChaosSoak::~ChaosSoak()
{
    stopLoad();
    m_window.reset();
    m_bed.reset();
}

int ChaosSoak::randomInt(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

void ChaosSoak::wait(int ms)
{
    QTest::qWait(ms);
}

void ChaosSoak::step(const QString &text)
{
    const QString line = QStringLiteral("%1 %2 %3")
                             .arg(m_clock.elapsed() / 1000.0, 9, 'f', 3)
                             .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")), text);
    m_steps << line;
    if (m_options.verbose)
        std::fprintf(stderr, "%s\n", qPrintable(line));
}

bool ChaosSoak::fail(const QString &reason)
{
    if (m_failed)
        return false;
    m_failed = true;
    std::fprintf(stderr, "soak: FAILED after %.1f s: %s\nsoak: seed %u; steps:\n", m_clock.elapsed() / 1000.0,
                 qPrintable(reason), m_options.seed);
    for (const QString &line : qAsConst(m_steps))
        std::fprintf(stderr, "  %s\n", qPrintable(line));
    if (m_bed && m_keypad >= 0) {
        const QList<KeypadTestBed::Request> requests = m_bed->requestLog(m_keypad);
        std::fprintf(stderr, "soak: the keypad's last requests:\n");
        for (int i = std::max(0, int(requests.size()) - 150); i < requests.size(); ++i) {
            const KeypadTestBed::Request &r = requests.at(i);
            std::fprintf(stderr, "  %s %s %s %s\n", qPrintable(r.time.time().toString(QStringLiteral("HH:mm:ss.zzz"))),
                         qPrintable(r.method), qPrintable(r.path), r.body.constData());
        }
    }
    std::fprintf(stderr, "soak: replay with: soak --seed %u --seconds %lld\n", m_options.seed,
                 m_options.durationMs / 1000);
    return false;
}

QString ChaosSoak::command(const QString &line)
{
    const QString answer = m_bed->command(m_keypad, line);
    if (!answer.startsWith(QLatin1String("ok")))
        step(QStringLiteral("keypad answered \"%1\" to \"%2\"").arg(answer, line));
    return answer;
}

qint64 ChaosSoak::residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

QString ChaosSoak::describe(const std::optional<Scene> &scene)
{
    return scene ? QString::fromLatin1(KeypadState::sceneBody(*scene)) : QStringLiteral("(none)");
}

bool ChaosSoak::setUp()
{
    m_bed = std::make_unique<KeypadTestBed>();
    if (!m_bed->isReady())
        return fail(QStringLiteral("test bed: ") + m_bed->errorString());
    KeypadTestBed::SimulatorOptions keypad;
    keypad.name = QStringLiteral("Soak");
    keypad.address = QStringLiteral("192.168.77.20/24");
    keypad.firmware = QStringLiteral("2.0.0");
    // Long enough that the program notices the keypad was away.
    keypad.restartMs = 3000;
    m_keypad = m_bed->startSimulator(keypad);
    if (m_keypad < 0)
        return fail(QStringLiteral("simulator: ") + m_bed->errorString());

    QSettings settings;
    settings.clear();
    settings.setValue(QLatin1String(NetworkPrefs::defaultKey), false);
    settings.setValue(QLatin1String(NetworkPrefs::ipKey), KeypadTestBed::hostAddress().toString());
    settings.setValue(QStringLiteral("update_never_check"), true);
    settings.setValue(QStringLiteral("lastDirPath"), m_dir.path());
    m_window = std::make_unique<MainWindow>();
    // A keypad restarting after a factory reset is back within this wait.
    m_window->setAddressChangeWait(4000);
    auto prompts = std::make_unique<SoakPrompts>([this](const QString &text) { step(text); });
    m_prompts = prompts.get();
    m_prompts->answered = [this](const QString &title, QMessageBox::StandardButton answer) {
        // A restore tried again drops every edit, as the first try did.
        if (title == QLatin1String("Restore Factory Default Settings") && answer == QMessageBox::Retry) {
            for (auto &expected : m_expected)
                expected.reset();
        }
    };
    m_window->setUserPrompts(std::move(prompts));
    connect(m_window->statusBar(), &QStatusBar::messageChanged, this, [this](const QString &text) {
        if (text.isEmpty())
            return;
        step(QStringLiteral("status bar: \"%1\"").arg(text));
        if (text == QLatin1String(uploadedText) || text == QLatin1String(restoredText))
            m_claims.append({text, m_claimsFrom, int(m_bed->requestLog(m_keypad).size()), m_eventsFrom});
    });
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        return fail(QStringLiteral("the window was not shown"));

    // Dialogs the prompts do not answer would stop the driver: a user closes them.
    auto *dialogs = new QTimer(this);
    connect(dialogs, &QTimer::timeout, this, [this] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || qobject_cast<QProgressDialog *>(dialog))
            return;
        step(QStringLiteral("closed dialog \"%1\"").arg(dialog->windowTitle()));
        dialog->reject();
    });
    dialogs->start(250);

    // How late a 100 ms timer fires tells how long the event loop was busy.
    auto *ticker = new QTimer(this);
    auto *sinceTick = new QElapsedTimer;
    sinceTick->start();
    connect(ticker, &QTimer::timeout, this, [this, sinceTick] {
        m_longestStallMs = std::max(m_longestStallMs, sinceTick->restart() - 100);
    });
    connect(ticker, &QObject::destroyed, [sinceTick] { delete sinceTick; });
    ticker->start(100);

    QElapsedTimer waited;
    waited.start();
    while (ConnectionState::instance()->state() != ConnectionState::Connected && waited.elapsed() < 30000)
        wait(100);
    if (ConnectionState::instance()->state() != ConnectionState::Connected)
        return fail(QStringLiteral("the program did not connect to the keypad"));
    step(QStringLiteral("connected"));
    return waitForQuiet() && check();
}

int ChaosSoak::run()
{
    m_clock.start();
    if (!setUp())
        return 1;
    while (m_clock.elapsed() < m_options.durationMs) {
        // A spell of editing, with the keypad and the machine misbehaving now and then.
        const int actions = randomInt(4, 16);
        for (int i = 0; i < actions && !m_failed; ++i) {
            if (!m_faultActive && randomInt(0, 99) < 30)
                injectFault();
            else if (m_faultActive && m_clock.elapsed() >= m_faultEndsAt)
                clearFaults();
            act();
            if (!checkClaims())
                return 1;
            wait(randomInt(40, 700));
        }
        clearFaults();
        // A message that came during the last action's wait is judged too.
        if (!waitForQuiet() || !checkClaims() || !check())
            return 1;
    }

    std::printf("soak: seed %u, %.0f s, %d checks (%d scene comparisons), slowest answer at a check %lld ms, "
                "longest busy event loop %lld ms\n",
                m_options.seed, m_clock.elapsed() / 1000.0, m_checks, m_sceneChecks, m_slowestAnswerMs,
                m_longestStallMs);
    QStringList faults;
    for (auto it = m_faultCounts.cbegin(); it != m_faultCounts.cend(); ++it)
        faults << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    QStringList actions;
    for (auto it = m_actionCounts.cbegin(); it != m_actionCounts.cend(); ++it)
        actions << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    std::printf("soak: faults: %s\nsoak: actions: %s\n", qPrintable(faults.join(QLatin1String(", "))),
                qPrintable(actions.join(QLatin1String(", "))));
    std::printf("soak: resident memory %lld KiB at the first check, %lld KiB now, peak %lld KiB\n", m_baselineKiB,
                residentKiB(), m_peakKiB);
    std::fflush(stdout);
    return 0;
}

void ChaosSoak::act()
{
    struct Action
    {
        const char *name;
        int weight;
        void (ChaosSoak::*run)();
    };
    static const Action actions[] = {
        {"edit", 30, &ChaosSoak::editParameter},
        {"effect", 10, &ChaosSoak::chooseEffect},
        {"scene on screen", 10, &ChaosSoak::clickScene},
        {"scene on keypad", 6, &ChaosSoak::pressOnKeypad},
        {"save", 10, &ChaosSoak::pressSave},
        {"undo", 5, &ChaosSoak::pressUndo},
        {"retry", 4, &ChaosSoak::pressRetry},
        {"file save", 2, &ChaosSoak::saveFile},
        {"file open", 2, &ChaosSoak::openFile},
        {"restore", 1, &ChaosSoak::restoreDefaults},
    };
    int total = 0;
    for (const Action &a : actions)
        total += a.weight;
    int pick = randomInt(0, total - 1);
    for (const Action &a : actions) {
        if (pick < a.weight) {
            (this->*a.run)();
            return;
        }
        pick -= a.weight;
    }
}

void ChaosSoak::injectFault()
{
    static const char *const names[] = {"drop", "refuse", "error", "malformed", "delay", "heartbeat off", "restart", "load"};
    const auto kind = Fault(randomInt(0, int(Fault::Load)));
    QString line;
    switch (kind) {
    case Fault::Drop:
        line = QStringLiteral("fault drop %1").arg(randomInt(0, 1) ? 100 : 50);
        break;
    case Fault::Refuse:
        line = QStringLiteral("fault refuse on");
        break;
    case Fault::Error:
        line = randomInt(0, 2) ? QStringLiteral("fault error %1").arg(randomInt(1, 3)) : QStringLiteral("fault error on");
        break;
    case Fault::Malformed:
        line = randomInt(0, 2) ? QStringLiteral("fault malformed %1").arg(randomInt(1, 3))
                               : QStringLiteral("fault malformed on");
        break;
    case Fault::Delay:
        line = QStringLiteral("fault delay %1").arg(randomInt(200, 3000));
        break;
    case Fault::Heartbeat:
        line = QStringLiteral("heartbeat off");
        break;
    case Fault::Restart:
        line = QStringLiteral("restart");
        break;
    case Fault::Load:
        break;
    }
    if (kind == Fault::Load) {
        // One busy process beside the program for a few seconds: the
        // machine is shared, so the burst stays small.
        stopLoad();
        m_load = new QProcess(this);
        const int seconds = randomInt(2, 5);
        m_load->start(QStringLiteral("timeout"), {QString::number(seconds), QStringLiteral("sh"), QStringLiteral("-c"),
                                                  QStringLiteral("while :; do :; done")});
        step(QStringLiteral("FAULT load for %1 s").arg(seconds));
    } else {
        step(QStringLiteral("FAULT ") + line);
        command(line);
    }
    ++m_faultCounts[QLatin1String(names[int(kind)])];
    m_faultActive = true;
    m_faultEndsAt = m_clock.elapsed() + randomInt(500, 8000);
}

void ChaosSoak::clearFaults()
{
    if (!m_faultActive)
        return;
    m_faultActive = false;
    step(QStringLiteral("faults cleared"));
    command(QStringLiteral("fault clear"));
    command(QStringLiteral("heartbeat on"));
    stopLoad();
}

void ChaosSoak::stopLoad()
{
    if (!m_load)
        return;
    // Terminated, not killed: "timeout" passes the signal on to its busy
    // loop, which a killed "timeout" would leave running for good.
    m_load->terminate();
    if (!m_load->waitForFinished(2000))
        m_load->kill();
    m_load->waitForFinished(2000);
    delete m_load;
    m_load = nullptr;
}

bool ChaosSoak::waitForQuiet()
{
    // Back to connected, then a few heartbeats, as a user would wait for
    // the screen to settle; a user stuck at the notice presses Retry.
    ConnectionState *state = ConnectionState::instance();
    // A keypad still restarting is not quiet, whatever answers came before.
    const auto restarting = [this] {
        const QStringList events = m_bed->events(m_keypad);
        for (int i = events.size() - 1; i >= 0; --i) {
            if (events.at(i).startsWith(QLatin1String("restarted")))
                return false;
            if (events.at(i).startsWith(QLatin1String("restarting")))
                return true;
        }
        return false;
    };
    // Nor is a window still restoring or uploading: its progress dialog
    // goes once the keypad has answered (a reset sent again on Retry may
    // not have reached the keypad yet).
    const auto windowBusy = [this] {
        const auto dialogs = m_window->findChildren<QProgressDialog *>();
        return !dialogs.isEmpty();
    };
    QElapsedTimer restart;
    restart.start();
    while ((restarting() || windowBusy()) && restart.elapsed() < 60000)
        wait(100);
    int heartbeats = 0;
    const QMetaObject::Connection counting =
        connect(MSPComm::instance(), &MSPComm::heartBeat, this, [&heartbeats](bool reachable) {
            if (reachable)
                ++heartbeats;
        });
    QElapsedTimer waited;
    waited.start();
    qint64 retriedAt = 0;
    while ((state->state() != ConnectionState::Connected || heartbeats < 3) && waited.elapsed() < 90000) {
        auto *retry = child<QPushButton>(m_window->controlPanel(), "retryButton");
        if (usable(retry) && waited.elapsed() - retriedAt > 10000) {
            retriedAt = waited.elapsed();
            step(QStringLiteral("quiet: Retry on the notice"));
            QTest::mouseClick(retry, Qt::LeftButton);
        }
        if (state->state() != ConnectionState::Connected)
            heartbeats = 0;
        wait(100);
    }
    disconnect(counting);
    if (state->state() != ConnectionState::Connected)
        return fail(QStringLiteral("no connection 90 s after the faults ended (state %1)").arg(state->state()));

    // Until the program has stopped talking to the keypad for a second,
    // and no Save waits for an answer (a delayed one may come later).
    int count = -1;
    for (int i = 0; i < 30 && (m_bed->requestLog(m_keypad).size() != count || MSPComm::instance()->isSaving()); ++i) {
        count = m_bed->requestLog(m_keypad).size();
        wait(1000);
    }
    step(QStringLiteral("quiet"));
    return true;
}

// A scene body read as the program reads it: a colour given in Yxy is that
// colour, whatever red, green and blue came with it (they are derived from
// it, and the wire's Y has three decimals, so a dark colour read back can
// differ from the one sent by a step of rounding).
static bool parseAsRead(const QByteArray &body, KeypadState::Scene *scene)
{
    if (!KeypadState::parseSceneBody(body, scene))
        return false;
    for (KeypadState::Colour &colour : scene->colours) {
        if (colour.Y != 0 || colour.x != 0 || colour.y != 0)
            colour.red = colour.green = colour.blue = 0;
    }
    return true;
}

std::optional<KeypadState::Scene> ChaosSoak::shownScene(int index) const
{
    MSPScene *scene = MSPSceneModel::instance()->sceneAt(index);
    Scene parsed;
    if (!scene || !parseAsRead(scene->formData().toLatin1(), &parsed))
        return std::nullopt;
    return parsed;
}

bool ChaosSoak::keypadScene(int index, Scene *kept, Scene *played)
{
    const QString answer = command(QStringLiteral("show %1").arg(index + 1));
    const QStringList words = answer.split(QLatin1Char(' '));
    return words.size() == 4 && words.at(0) == QLatin1String("ok") && parseAsRead(words.at(1).mid(5).toLatin1(), kept)
        && parseAsRead(words.at(2).mid(7).toLatin1(), played);
}

int ChaosSoak::keypadCurrentScene()
{
    const QString answer = command(QStringLiteral("status"));
    const int at = answer.indexOf(QLatin1String(" current="));
    return at < 0 ? -1 : answer.mid(at + 9).section(QLatin1Char(' '), 0, 0).toInt() - 1;
}

bool ChaosSoak::screenSaysNotOnKeypad(int index) const
{
    // The scene tab says so for the scene it shows; another scene keeps
    // its unsaved edit, which the tab offers to save or undo (and says
    // when it did not reach the keypad) once that scene is shown.
    if (index == MSPSceneModel::instance()->activeSceneIndex()) {
        auto *notice = child<QWidget>(m_window->sceneSettings(), "unsentFrame");
        return notice && notice->isVisible();
    }
    return MSPComm::instance()->hasUnsavedEdit(index);
}

bool ChaosSoak::screenOffersSave() const
{
    auto *save = child<QPushButton>(m_window->sceneSettings(), "applyButton");
    return save && save->isEnabled();
}

std::optional<KeypadState::Scene> ChaosSoak::shownBeforeEdit() const
{
    const int index = m_window->sceneSettings()->shownSceneIndex();
    return index >= 0 && index < sceneCount ? shownScene(index) : std::nullopt;
}

void ChaosSoak::rememberEdit(const std::optional<Scene> &before)
{
    // The edit went to the scene the tab shows, which may still be the
    // last one while the keypad has not answered a scene chosen on screen.
    // A key that changed nothing (End on a control at its end) made no edit.
    const int index = m_window->sceneSettings()->shownSceneIndex();
    if (index < 0 || index >= sceneCount)
        return;
    const std::optional<Scene> after = shownScene(index);
    if (after != before)
        m_expected[size_t(index)] = after;
}

bool ChaosSoak::check()
{
    ++m_checks;
    // The program answers through its event loop.
    QElapsedTimer answer;
    answer.start();
    bool answered = false;
    QTimer::singleShot(0, this, [&answered] { answered = true; });
    while (!answered)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    m_slowestAnswerMs = std::max(m_slowestAnswerMs, answer.elapsed());
    if (answer.elapsed() > m_options.answerLimitMs)
        return fail(QStringLiteral("the program took %1 ms to answer").arg(answer.elapsed()));

    const qint64 resident = residentKiB();
    if (!m_baselineKiB)
        m_baselineKiB = resident;
    m_peakKiB = std::max(m_peakKiB, resident);
    if (m_clock.elapsed() >= m_nextMemoryReportMinute * 60000) {
        std::printf("soak: %lld min: resident memory %lld KiB, %d checks\n", m_clock.elapsed() / 60000, resident, m_checks);
        std::fflush(stdout);
        m_nextMemoryReportMinute = int(m_clock.elapsed() / 60000) + 1;
    }
    if (resident - m_baselineKiB > m_options.memoryGrowthKiB)
        return fail(QStringLiteral("resident memory grew from %1 KiB to %2 KiB").arg(m_baselineKiB).arg(resident));

    const int current = keypadCurrentScene();
    const int active = MSPSceneModel::instance()->activeSceneIndex();
    if (current != active)
        return fail(QStringLiteral("the screen shows scene %1, the keypad plays scene %2").arg(active + 1).arg(current + 1));

    for (int i = 0; i < sceneCount; ++i) {
        ++m_sceneChecks;
        Scene kept;
        Scene played;
        if (!keypadScene(i, &kept, &played))
            return fail(QStringLiteral("could not read scene %1 from the keypad").arg(i + 1));
        const std::optional<Scene> shown = shownScene(i);
        const Scene &onKeypad = i == current ? played : kept;
        const QString detail = QStringLiteral("\n  screen:      %1\n  keypad plays %2\n  keypad keeps %3\n  driver made  %4")
                                   .arg(describe(shown), describe(played), describe(kept), describe(m_expected[size_t(i)]));
        if (m_expected[size_t(i)] && shown != m_expected[size_t(i)])
            return fail(QStringLiteral("scene %1: the driver's edit is gone from the screen").arg(i + 1) + detail);
        if (shown != onKeypad && !screenSaysNotOnKeypad(i))
            return fail(QStringLiteral("scene %1: the screen shows what the keypad does not %2, and does not say so")
                            .arg(i + 1)
                            .arg(i == current ? QStringLiteral("play") : QStringLiteral("keep"))
                        + detail);
        // With nothing to save and nothing said, what the screen shows is kept.
        if (i == active && !screenOffersSave() && !screenSaysNotOnKeypad(i) && shown != kept)
            return fail(QStringLiteral("scene %1: nothing to save on screen, but the keypad does not keep it").arg(i + 1)
                        + detail);
        // What the keypad keeps and the screen shows needs nothing from the driver.
        if (shown == kept && !screenOffersSave())
            m_expected[size_t(i)].reset();
    }
    step(QStringLiteral("check %1 passed").arg(m_checks));
    return true;
}

bool ChaosSoak::checkClaims()
{
    // Judged by what the keypad had received when the message appeared.
    while (!m_claims.isEmpty()) {
        const Claim claim = m_claims.takeFirst();
        const QList<KeypadTestBed::Request> requests =
            m_bed->requestLog(m_keypad).mid(claim.requestsFrom, claim.requests - claim.requestsFrom);
        if (claim.text == QLatin1String(restoredText)) {
            // Received is not enough: a dropped reset leaves the keypad as it was.
            bool reset = false;
            for (const QString &event : m_bed->events(m_keypad).mid(claim.eventsFrom))
                reset = reset || event.startsWith(QLatin1String("restarting factory reset"));
            if (!reset)
                return fail(QStringLiteral("\"%1\" on the status bar, but the keypad has not reset itself since "
                                           "the restore was chosen").arg(claim.text));
            continue;
        }
        for (int i = 0; i < sceneCount && m_savedFile; ++i) {
            const QString path = QStringLiteral("/api/v1/shows/%1").arg(i + 1);
            bool kept = false;
            for (const KeypadTestBed::Request &r : requests) {
                Scene posted;
                kept = kept
                    || (r.path == path && r.body.contains("apply=1") && parseAsRead(r.body, &posted)
                        && posted == (*m_savedFile)[size_t(i)]);
            }
            if (!kept)
                return fail(QStringLiteral("\"%1\" on the status bar, but the keypad had not been sent scene %2 of the "
                                           "file to keep (%3)")
                                .arg(claim.text)
                                .arg(i + 1)
                                .arg(describe((*m_savedFile)[size_t(i)])));
        }
    }
    return true;
}

void ChaosSoak::clickScene()
{
    const int scene = randomInt(1, sceneCount);
    auto *button = child<QAbstractButton>(m_window->controlPanel(), qPrintable(QStringLiteral("scene%1Button").arg(scene)));
    if (!usable(button))
        return;
    ++m_actionCounts[QStringLiteral("scene on screen")];
    step(QStringLiteral("click scene %1 on screen").arg(scene));
    QTest::mouseClick(button, Qt::LeftButton);
}

void ChaosSoak::pressOnKeypad()
{
    const int scene = randomInt(1, sceneCount);
    ++m_actionCounts[QStringLiteral("scene on keypad")];
    step(QStringLiteral("press %1 on the keypad").arg(scene));
    command(QStringLiteral("press %1").arg(scene));
}

void ChaosSoak::chooseEffect()
{
    auto *combo = child<QComboBox>(m_window->sceneSettings(), "effectsComboBox");
    if (!usable(combo))
        return;
    const int type = randomInt(0, combo->count() - 1);
    if (type == combo->currentIndex())
        return;
    ++m_actionCounts[QStringLiteral("effect")];
    step(QStringLiteral("choose effect \"%1\" for scene %2")
             .arg(combo->itemText(type))
             .arg(m_window->sceneSettings()->shownSceneIndex() + 1));
    const std::optional<Scene> before = shownBeforeEdit();
    combo->setFocus();
    combo->setCurrentIndex(type);
    rememberEdit(before);
}

void ChaosSoak::editParameter()
{
    auto *stack = child<QStackedWidget>(m_window->sceneSettings(), "effectPropertiesStack");
    QWidget *page = stack ? stack->currentWidget() : nullptr;
    if (!usable(page))
        return;
    QList<QWidget *> controls;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        if (!usable(w))
            continue;
        if (qobject_cast<QAbstractSlider *>(w) || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QRadioButton *>(w)
            || (qobject_cast<QToolButton *>(w) && static_cast<QToolButton *>(w)->isCheckable()))
            controls << w;
    }
    if (controls.isEmpty())
        return;
    QWidget *control = controls.at(randomInt(0, controls.size() - 1));
    const QString name = control->objectName().isEmpty() ? QString::fromLatin1(control->metaObject()->className())
                                                          : control->objectName();
    ++m_actionCounts[QStringLiteral("edit")];
    const int scene = m_window->sceneSettings()->shownSceneIndex() + 1;
    const std::optional<Scene> before = shownBeforeEdit();
    if (qobject_cast<QAbstractButton *>(control)) {
        step(QStringLiteral("scene %1: click %2").arg(scene).arg(name));
        QTest::mouseClick(control, Qt::LeftButton);
    } else {
        static const Qt::Key keys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End};
        const Qt::Key key = keys[randomInt(0, 5)];
        const int times = randomInt(1, 4);
        step(QStringLiteral("scene %1: key %2 x%3 on %4").arg(scene).arg(QKeySequence(key).toString()).arg(times).arg(name));
        control->setFocus();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(control, key);
    }
    rememberEdit(before);
}

void ChaosSoak::pressSave()
{
    auto *save = child<QPushButton>(m_window->sceneSettings(), "applyButton");
    if (!usable(save))
        return;
    ++m_actionCounts[QStringLiteral("save")];
    step(QStringLiteral("Save scene %1").arg(MSPSceneModel::instance()->activeSceneIndex() + 1));
    QTest::mouseClick(save, Qt::LeftButton);
}

void ChaosSoak::pressUndo()
{
    auto *undo = child<QPushButton>(m_window->sceneSettings(), "revertButton");
    if (!usable(undo))
        return;
    const int index = MSPSceneModel::instance()->activeSceneIndex();
    ++m_actionCounts[QStringLiteral("undo")];
    step(QStringLiteral("Undo scene %1").arg(index + 1));
    QTest::mouseClick(undo, Qt::LeftButton);
    m_expected[size_t(index)].reset();
}

void ChaosSoak::pressRetry()
{
    auto *retry = child<QPushButton>(m_window->sceneSettings(), "retryButton");
    if (!usable(retry))
        return;
    ++m_actionCounts[QStringLiteral("retry")];
    step(QStringLiteral("Retry scene %1").arg(MSPSceneModel::instance()->activeSceneIndex() + 1));
    QTest::mouseClick(retry, Qt::LeftButton);
}

void ChaosSoak::saveFile()
{
    const QString path = m_dir.filePath(QStringLiteral("soak.xml"));
    m_prompts->files = QStringList(path);
    ++m_actionCounts[QStringLiteral("file save")];
    step(QStringLiteral("File > Save"));
    std::array<Scene, sceneCount> scenes;
    for (int i = 0; i < sceneCount; ++i)
        scenes[size_t(i)] = shownScene(i).value_or(Scene());
    if (m_window->save())
        m_savedFile = scenes;
    else
        step(QStringLiteral("not saved"));
}

void ChaosSoak::openFile()
{
    if (!m_savedFile)
        return;
    m_prompts->files = QStringList(m_dir.filePath(QStringLiteral("soak.xml")));
    ++m_actionCounts[QStringLiteral("file open")];
    step(QStringLiteral("File > Open"));
    m_claimsFrom = int(m_bed->requestLog(m_keypad).size());
    if (m_window->open()) {
        for (int i = 0; i < sceneCount; ++i)
            m_expected[size_t(i)] = (*m_savedFile)[size_t(i)];
    } else {
        step(QStringLiteral("not opened"));
    }
}

void ChaosSoak::restoreDefaults()
{
    if (ConnectionState::instance()->state() != ConnectionState::Connected)
        return;
    ++m_actionCounts[QStringLiteral("restore")];
    step(QStringLiteral("Restore factory defaults: Yes"));
    m_claimsFrom = int(m_bed->requestLog(m_keypad).size());
    m_eventsFrom = int(m_bed->events(m_keypad).size());
    m_prompts->answers = {QMessageBox::Yes};
    m_window->handleRestore();
    // The user chose to drop every edit.
    for (auto &expected : m_expected)
        expected.reset();
}
