// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keypadstate.h"

#include <QElapsedTimer>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <memory>
#include <optional>
#include <random>

class KeypadTestBed;
class MainWindow;
class QProcess;
class SoakPrompts;

/**
 * Drives the program's main window against a simulated keypad through its
 * own widgets for a while, makes the keypad and the machine misbehave at
 * moments drawn from a seeded random source, and after each quiet spell
 * checks that the screen and the keypad are in step:
 *
 *   - every scene the screen shows is what the keypad plays or keeps, or
 *     the screen says the change is not on the keypad;
 *   - no edit the driver made is gone unless it pressed Undo or chose to
 *     discard it;
 *   - no success message stands for something the keypad did not get;
 *   - the event loop answers within a second and memory stays bounded.
 *
 * The keypad's state is read from the simulator's control channel, never
 * from the program. A failure prints the seed and every step; the same
 * seed replays the same choices.
 */
class ChaosSoak : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ChaosSoak)
public:
    struct Options
    {
        quint32 seed = 1;
        qint64 durationMs = 60000;
        /** How far resident memory may grow over its value at the first check. */
        qint64 memoryGrowthKiB = 256 * 1024;
        /** How long the program may take to answer through its event loop. */
        int answerLimitMs = 1000;
        bool verbose = false;
    };

    explicit ChaosSoak(const Options &options, QObject *parent = nullptr);
    ~ChaosSoak() override;

    /** Runs the whole soak; 0 when every check held. */
    int run();

private:
    using Scene = KeypadState::Scene;
    enum class Fault { Drop, Refuse, Error, Malformed, Delay, Heartbeat, Restart, Load };

    bool setUp();
    void act();
    void injectFault();
    void clearFaults();
    bool waitForQuiet();
    bool check();

    // Actions, each as a user would do it.
    void clickScene();
    void chooseEffect();
    void editParameter();
    void pressSave();
    void pressUndo();
    void pressRetry();
    void pressOnKeypad();
    void saveFile();
    void openFile();
    void restoreDefaults();

    // What the screen and the keypad hold.
    std::optional<Scene> shownScene(int index) const;
    bool keypadScene(int index, Scene *kept, Scene *played);
    int keypadCurrentScene();
    bool screenSaysNotOnKeypad(int index) const;
    bool screenOffersSave() const;
    /** The scene the tab shows, as shown before an edit. */
    std::optional<Scene> shownBeforeEdit() const;
    /** Remembers the shown scene as the driver's edit, when the edit changed it from @p before. */
    void rememberEdit(const std::optional<Scene> &before);
    /** Ends the burst of load, the busy loop included. */
    void stopLoad();
    bool checkClaims();

    void step(const QString &text);
    bool fail(const QString &reason);
    void wait(int ms);
    int randomInt(int low, int high);
    QString command(const QString &line);
    static qint64 residentKiB();
    static QString describe(const std::optional<Scene> &scene);

    Options m_options;
    std::mt19937 m_random;
    QElapsedTimer m_clock;
    std::unique_ptr<KeypadTestBed> m_bed;
    std::unique_ptr<MainWindow> m_window;
    SoakPrompts *m_prompts = nullptr;
    QTemporaryDir m_dir;
    int m_keypad = -1;

    // What the driver made each scene: empty when it should be what the keypad keeps.
    std::array<std::optional<Scene>, KeypadState::sceneCount> m_expected;
    // The scenes written to the last saved file.
    std::optional<std::array<Scene, KeypadState::sceneCount>> m_savedFile;
    // Success messages seen on the status bar since the last look, with
    // where the keypad's request log and events stood when the upload or
    // restore began and when the message appeared.
    struct Claim
    {
        QString text;
        int requestsFrom;
        int requests;
        int eventsFrom;
    };
    QList<Claim> m_claims;
    // Where the keypad's request log and events stood when the last upload or restore began.
    int m_claimsFrom = 0;
    int m_eventsFrom = 0;

    QStringList m_steps;
    bool m_faultActive = false;
    qint64 m_faultEndsAt = 0;
    QProcess *m_load = nullptr;
    QMap<QString, int> m_faultCounts;
    QMap<QString, int> m_actionCounts;
    int m_checks = 0;
    int m_sceneChecks = 0;
    qint64 m_baselineKiB = 0;
    qint64 m_peakKiB = 0;
    qint64 m_slowestAnswerMs = 0;
    qint64 m_longestStallMs = 0;
    int m_nextMemoryReportMinute = 1;
    bool m_failed = false;
};
