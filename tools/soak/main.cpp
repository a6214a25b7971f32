// SPDX-License-Identifier: GPL-3.0-or-later
//
// soak: the chaos soak. Runs the program against a simulated keypad,
// injects faults at seeded random moments and checks after every quiet
// spell that the screen and the keypad are in step (see chaossoak.h).
#include "chaossoak.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumetra Keypad Effect Manager"));
    // Settings and colours of this run only, never the user's.
    QStandardPaths::setTestModeEnabled(true);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Drives keypadmgr against a simulated keypad that misbehaves at random moments and checks that the "
        "screen and the keypad stay in step. Runs inside a private network namespace (scripts/in-netns.sh)."));
    parser.addHelpOption();
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Random seed (default: the clock)."),
                                        QStringLiteral("n"));
    const QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("How long to run (default 60)."),
                                           QStringLiteral("s"), QStringLiteral("60"));
    const QCommandLineOption minutesOption(QStringLiteral("minutes"), QStringLiteral("How long to run, in minutes."),
                                           QStringLiteral("m"));
    const QCommandLineOption memoryOption(QStringLiteral("memory-growth-mib"),
                                          QStringLiteral("Bound on resident memory growth after the first check."),
                                          QStringLiteral("MiB"), QStringLiteral("256"));
    const QCommandLineOption verboseOption(QStringLiteral("verbose"), QStringLiteral("Print each step as it happens."));
    parser.addOptions({seedOption, secondsOption, minutesOption, memoryOption, verboseOption});
    parser.process(app);

    ChaosSoak::Options options;
    options.seed = parser.isSet(seedOption) ? parser.value(seedOption).toUInt()
                                            : quint32(QDateTime::currentMSecsSinceEpoch() % 1000000007);
    options.durationMs = parser.isSet(minutesOption) ? parser.value(minutesOption).toLongLong() * 60000
                                                     : parser.value(secondsOption).toLongLong() * 1000;
    // The address sanitizer keeps freed memory aside (256 MiB) before it
    // reuses it: under it, that much growth is the sanitizer's own.
#if defined(__SANITIZE_ADDRESS__)
    constexpr qint64 sanitizerQuarantineMiB = 256;
#else
    constexpr qint64 sanitizerQuarantineMiB = 0;
#endif
    options.memoryGrowthKiB = (parser.value(memoryOption).toLongLong() + sanitizerQuarantineMiB) * 1024;
    options.verbose = parser.isSet(verboseOption);
    if (options.durationMs <= 0) {
        std::fprintf(stderr, "soak: the duration must be positive\n");
        return 2;
    }
    std::printf("soak: seed %u, %lld s, memory growth bound %lld MiB\n", options.seed, options.durationMs / 1000,
                options.memoryGrowthKiB / 1024);
    std::fflush(stdout);
    ChaosSoak soak(options);
    return soak.run();
}
