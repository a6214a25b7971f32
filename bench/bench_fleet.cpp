// SPDX-License-Identifier: GPL-3.0-or-later
//
// Many keypads: `keypadmgr backup` of 1, 10 and 50 simulated keypads, side
// by side in one run (wall time and the program's peak resident memory,
// median of the runs), and `keypadmgr list` with 50 keypads answering one
// broadcast within the program's 500 ms reply window (every reply must be
// listed). Needs root in a private network namespace (run-bench.sh or
// scripts/in-netns.sh): the test bed starts the simulated keypads there.
//
// Targets: 50 keypads in at most 3x the time of one; peak RSS at most
// 100 MiB; 50 of 50 listed. --strict makes a missed target fail the run.
#include "keypadtestbed.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

struct Sample
{
    double wallMs = 0;
    double peakMiB = 0;
    int exitCode = -1;
    std::string output;
};

// Runs the program to its end: wall time, peak RSS (from wait4), output.
Sample runProgram(const QString &program, const QStringList &arguments)
{
    Sample sample;
    int fds[2];
    if (pipe(fds) != 0)
        return sample;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> words{program.toStdString()};
    for (const QString &argument : arguments)
        words.push_back(argument.toStdString());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return sample;
    }
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        sample.output.append(buffer, size_t(n));
    close(fds[0]);
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    sample.wallMs = clock.nsecsElapsed() / 1e6;
    sample.peakMiB = usage.ru_maxrss / 1024.0;
    sample.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 5;
    bool strict = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--runs=")))
            runs = arg.mid(7).toInt();
        else if (arg == QLatin1String("--strict"))
            strict = true;
        else if (!arg.startsWith(QLatin1String("--benchmark_"))) { // run-bench.sh passes these to every bench_*
            std::fprintf(stderr, "usage: %s [--runs=N] [--strict]\n", argv[0]);
            return 2;
        }
    }
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/keypadmgr");
    if (!QFileInfo(program).isExecutable()) {
        std::fprintf(stderr, "no keypadmgr beside the benchmark\n");
        return 1;
    }

    // The program remembers keypads and backups in the user's settings:
    // the runs get a home of their own, so they neither read the user's
    // remembered subnets (which list and backup --all would scan) nor
    // write into them.
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));

    KeypadTestBed bed;
    if (!bed.isReady()) {
        std::fprintf(stderr, "test bed: %s\n", qPrintable(bed.errorString()));
        return 1;
    }
    constexpr int keypadCount = 50;
    QStringList addresses;
    QElapsedTimer setUp;
    setUp.start();
    for (int i = 0; i < keypadCount; ++i) {
        KeypadTestBed::SimulatorOptions options;
        options.name = QStringLiteral("Keypad %1").arg(i + 1);
        options.heartbeatMs = 0;
        const int id = bed.startSimulator(options);
        if (id < 0) {
            std::fprintf(stderr, "keypad %d: %s\n", i + 1, qPrintable(bed.errorString()));
            return 1;
        }
        addresses << bed.simulatorAddress(id).toString();
    }
    std::printf("%d simulated keypads started in %.1f s\n\n", keypadCount, setUp.elapsed() / 1000.0);

    QTemporaryDir dir;
    std::printf("backup      keypads  wall ms (median of %d)  peak RSS MiB  vs. one keypad\n", runs);
    double oneKeypad = 0;
    bool ok = true;
    for (const int count : {1, 10, 50}) {
        std::vector<double> walls;
        std::vector<double> peaks;
        for (int run = 0; run < runs; ++run) {
            const QString folder = dir.filePath(QStringLiteral("%1-%2").arg(count).arg(run));
            QStringList arguments{QStringLiteral("backup"), QStringLiteral("--dir"), folder};
            for (int i = 0; i < count; ++i)
                arguments << QStringLiteral("--keypad") << addresses.at(i);
            const Sample sample = runProgram(program, arguments);
            const int files = QDir(folder).entryList(QDir::Files).size();
            if (sample.exitCode != 0 || files != count) {
                std::fprintf(stderr, "backup of %d keypads failed (exit %d, %d files)\n", count, sample.exitCode, files);
                ok = false;
            }
            walls.push_back(sample.wallMs);
            peaks.push_back(sample.peakMiB);
        }
        const double wall = median(walls);
        const double peak = *std::max_element(peaks.begin(), peaks.end());
        if (count == 1)
            oneKeypad = wall;
        const double ratio = oneKeypad > 0 ? wall / oneKeypad : 0;
        std::printf("            %7d  %22.0f  %12.1f  %13.2fx\n", count, wall, peak, ratio);
        if (peak > 100 || (count == 50 && ratio > 3))
            ok = !strict && ok;
    }

    std::printf("\nlist: keypads listed of %d answering one broadcast (500 ms window)\n", keypadCount);
    int fewest = keypadCount;
    for (int run = 0; run < runs; ++run) {
        const Sample sample = runProgram(program, {QStringLiteral("list")});
        const int listed = int(std::count(sample.output.begin(), sample.output.end(), '\n'));
        fewest = std::min(fewest, listed);
        std::printf("  run %d: %d listed in %.0f ms\n", run + 1, listed, sample.wallMs);
    }
    if (fewest != keypadCount)
        ok = !strict && ok;
    std::printf("targets: 50 keypads <= 3x one, peak RSS <= 100 MiB, %d of %d listed\n", fewest, keypadCount);
    return ok ? 0 : 1;
}
