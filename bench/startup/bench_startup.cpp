// SPDX-License-Identifier: GPL-3.0-or-later
//
// Start-up benchmark runner. Starts startup_bare and startup_keypadmgr (found
// beside this binary) as whole fresh processes on the offscreen platform,
// interleaved, many times each; each helper prints the CLOCK_MONOTONIC time
// of its milestones, the last being its main window's first paint, and
// quits. Reports the medians of
//   - time from spawning the process to its first paint (this clock is
//     system-wide, so the helper's stamp and ours compare directly),
//   - time from spawning to the process having exited,
//   - peak resident memory (ru_maxrss from wait4),
// and compares keypadmgr against the bare program with the targets: at most
// twice the bare program's time to first paint, at most 25 MiB more peak
// memory.
//
//   bench_startup [--runs=N] [--phases] [--strict]
//   bench_startup --first-shows [--runs=N] [--strict]
//
// --phases adds each program's milestones (median time from the start of
// the process, and the median step from the milestone before). --strict makes a missed target an exit status of 1.
// --first-shows times instead what keypadmgr builds when first shown (each
// effect editor, the picker's white and channel pages, the settings tabs,
// the update dialog), opened one after the other after the first paint:
// the median of each, against a target of 50 ms each. Google Benchmark
// options (--benchmark_*, passed by scripts/run-bench.sh) are accepted and
// ignored. Both helpers get the same fresh, empty HOME and XDG folders, so
// no settings or colour library of the user take part.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace {

constexpr double timeRatioTarget = 2.0;
constexpr double rssExtraTargetMiB = 25.0;
constexpr int runTimeoutMs = 30000;
constexpr double firstShowTargetMs = 50.0;

struct Sample {
    std::vector<std::pair<std::string, double>> phasesMs; // from spawning, in order
    double firstPaintMs = 0;
    double exitMs = 0;
    double maxRssMiB = 0;
};

struct Program {
    std::string name;
    std::string path;
    std::vector<Sample> samples;
    std::vector<std::string> arguments;
};

long long monotonicNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

std::string ownDirectory()
{
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    buf[n] = '\0';
    std::string path(buf);
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::vector<double> column(const std::vector<Sample> &samples, double Sample::*field)
{
    std::vector<double> out;
    out.reserve(samples.size());
    for (const Sample &s : samples)
        out.push_back(s.*field);
    return out;
}

// The helpers' environment: ours, with the platform and the per-user
// folders overridden.
std::vector<std::string> childEnvironment(const std::string &home)
{
    static const char *const overridden[] = {
        "QT_QPA_PLATFORM", "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
        "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "QT_LOGGING_RULES",
    };
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string key = entry.substr(0, entry.find('='));
        if (std::find(std::begin(overridden), std::end(overridden), key) == std::end(overridden))
            env.push_back(entry);
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("QT_LOGGING_RULES=*.debug=false");
    env.push_back("HOME=" + home);
    env.push_back("XDG_CONFIG_HOME=" + home + "/config");
    env.push_back("XDG_DATA_HOME=" + home + "/data");
    env.push_back("XDG_CACHE_HOME=" + home + "/cache");
    env.push_back("XDG_RUNTIME_DIR=" + home + "/runtime");
    return env;
}

bool runOnce(const Program &program, const std::vector<std::string> &env, Sample *sample)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        std::perror("pipe2");
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<char *> argv { const_cast<char *>(program.path.c_str()) };
    for (const std::string &argument : program.arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &e : env)
        envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);

    const long long start = monotonicNs();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.path.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", program.path.c_str(), std::strerror(rc));
        close(fds[0]);
        return false;
    }

    std::string output;
    bool timedOut = false;
    for (;;) {
        pollfd p { fds[0], POLLIN, 0 };
        const long long elapsedMs = (monotonicNs() - start) / 1000000;
        const int ready = poll(&p, 1, int(std::max(0LL, runTimeoutMs - elapsedMs)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        char buf[512];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        output.append(buf, size_t(n));
    }
    close(fds[0]);

    int status = 0;
    rusage usage {};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) { }
    const long long end = monotonicNs();

    if (timedOut) {
        std::fprintf(stderr, "%s: no first paint within %d ms\n", program.name.c_str(), runTimeoutMs);
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s: ended badly (status 0x%x)\n", program.name.c_str(), status);
        return false;
    }
    bool painted = false;
    size_t lineStart = 0;
    while (lineStart < output.size()) {
        size_t lineEnd = output.find('\n', lineStart);
        if (lineEnd == std::string::npos)
            lineEnd = output.size();
        const std::string line = output.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        char name[64];
        long long stamp = 0;
        if (std::sscanf(line.c_str(), "phase %63s %lld", name, &stamp) != 2)
            continue;
        const double ms = double(stamp - start) / 1e6;
        sample->phasesMs.emplace_back(name, ms);
        if (std::strcmp(name, "first_paint") == 0) {
            sample->firstPaintMs = ms;
            painted = true;
        }
    }
    if (!painted) {
        std::fprintf(stderr, "%s: exited without a first paint\n", program.name.c_str());
        return false;
    }
    sample->exitMs = double(end - start) / 1e6;
    sample->maxRssMiB = double(usage.ru_maxrss) / 1024.0; // KiB on Linux
    return true;
}

// Each "before_<x>" milestone followed by "<x>": the median time of <x>.
int runFirstShows(Program program, const std::vector<std::string> &env, int runs, bool strict, const char *home)
{
    bool ok = true;
    Sample warm;
    ok = runOnce(program, env, &warm);
    for (int r = 0; ok && r < runs; ++r) {
        Sample s;
        ok = runOnce(program, env, &s);
        program.samples.push_back(s);
    }
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    if (!ok)
        return 1;
    std::printf("First show after start-up (demo mode), %d fresh processes, medians:\n", runs);
    bool allMet = true;
    const auto &names = program.samples.front().phasesMs;
    for (size_t i = 1; i < names.size(); ++i) {
        if (names[i - 1].first != "before_" + names[i].first)
            continue;
        std::vector<double> took;
        for (const Sample &s : program.samples) {
            if (s.phasesMs.size() == names.size())
                took.push_back(s.phasesMs[i].second - s.phasesMs[i - 1].second);
        }
        const double ms = median(took);
        const bool met = ms <= firstShowTargetMs;
        allMet = allMet && met;
        std::printf("  %-20s %8.1f ms  (target <= %.0f ms: %s)\n", names[i].first.c_str(), ms, firstShowTargetMs,
                    met ? "met" : "MISSED");
    }
    return strict && !allMet ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 30;
    bool strict = false;
    bool phases = false;
    bool firstShows = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg(argv[i]);
        if (arg.rfind("--runs=", 0) == 0) {
            runs = std::atoi(arg.c_str() + 7);
        } else if (arg == "--phases") {
            phases = true;
        } else if (arg == "--first-shows") {
            firstShows = true;
        } else if (arg == "--strict") {
            strict = true;
        } else if (arg.rfind("--benchmark_", 0) == 0) {
            // run-bench.sh passes these to every bench_* binary.
        } else {
            std::fprintf(stderr, "usage: %s [--runs=N] [--phases] [--first-shows] [--strict]\n", argv[0]);
            return 2;
        }
    }
    if (runs < 1) {
        std::fprintf(stderr, "--runs must be at least 1\n");
        return 2;
    }

    char home[] = "/tmp/bench_startup.XXXXXX";
    if (!mkdtemp(home)) {
        std::perror("mkdtemp");
        return 1;
    }
    for (const char *sub : { "/config", "/data", "/cache", "/runtime" })
        mkdir((std::string(home) + sub).c_str(), 0700);
    const std::vector<std::string> env = childEnvironment(home);

    const std::string dir = ownDirectory();
    Program programs[] = {
        { "startup_bare", dir + "/startup_bare", {}, {} },
        { "startup_keypadmgr", dir + "/startup_keypadmgr", {}, {} },
    };
    if (firstShows)
        return runFirstShows(Program { "startup_keypadmgr", dir + "/startup_keypadmgr", {}, { "--first-shows" } },
                             env, runs, strict, home);

    // One discarded run each warms the page cache and the font cache.
    bool ok = true;
    for (Program &p : programs) {
        Sample warm;
        ok = runOnce(p, env, &warm) && ok;
    }
    for (int r = 0; ok && r < runs; ++r) {
        for (Program &p : programs) {
            Sample s;
            if (!runOnce(p, env, &s)) {
                ok = false;
                break;
            }
            p.samples.push_back(s);
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    if (!ok)
        return 1;

    std::printf("Start-up to first paint, %d fresh processes each (offscreen, interleaved), medians:\n", runs);
    std::printf("  %-20s %14s %14s %14s\n", "program", "first paint", "exited", "peak RSS");
    double paint[2], rss[2];
    for (int i = 0; i < 2; ++i) {
        const Program &p = programs[i];
        paint[i] = median(column(p.samples, &Sample::firstPaintMs));
        rss[i] = median(column(p.samples, &Sample::maxRssMiB));
        std::printf("  %-20s %11.1f ms %11.1f ms %10.1f MiB\n", p.name.c_str(), paint[i],
                    median(column(p.samples, &Sample::exitMs)), rss[i]);
    }
    if (phases) {
        for (const Program &p : programs) {
            std::printf("  %s milestones (from process start / step):\n", p.name.c_str());
            const auto &names = p.samples.front().phasesMs;
            for (size_t i = 0; i < names.size(); ++i) {
                std::vector<double> at, step;
                for (const Sample &s : p.samples) {
                    if (s.phasesMs.size() != names.size())
                        continue;
                    at.push_back(s.phasesMs[i].second);
                    step.push_back(s.phasesMs[i].second - (i ? s.phasesMs[i - 1].second : 0.0));
                }
                std::printf("    %-16s %8.1f ms %+8.1f ms\n", names[i].first.c_str(), median(at), median(step));
            }
        }
    }
    const double ratio = paint[1] / paint[0];
    const double extra = rss[1] - rss[0];
    const bool timeOk = ratio <= timeRatioTarget;
    const bool rssOk = extra <= rssExtraTargetMiB;
    std::printf("  keypadmgr / bare: first paint %.2fx (target <= %.1fx: %s), "
                "peak RSS %+.1f MiB (target <= +%.0f MiB: %s)\n",
                ratio, timeRatioTarget, timeOk ? "met" : "MISSED",
                extra, rssExtraTargetMiB, rssOk ? "met" : "MISSED");
    return strict && !(timeOk && rssOk) ? 1 : 0;
}
