// SPDX-License-Identifier: GPL-3.0-or-later
//
// The colour library model: reading a large userColors.xml, uid lookups on
// it, and a batch of additions that must end in exactly one file write.
// Runs with HOME and XDG_DATA_HOME in a temporary folder of its own, so the
// user's colours are never touched.
#include "benchmarkrun.h"
#include "ovrcolorlibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

constexpr int listCount = 20;
constexpr int colorCount = 10000;

QString uidFor(int i)
{
    return QStringLiteral("{00000000-0000-4000-8000-%1}").arg(i, 12, 10, QLatin1Char('0'));
}

// A user file of colorCount colours in listCount lists, a mix of RGB, Yxy
// and n-channel values as the program stores them.
void writeUserFile()
{
    const QString values[] = {OvrColor::fromRgb8(255, 128, 0).aName(),
                              OvrColor::fromxyY(0.3127, 0.329, 0.8).aName(),
                              OvrColor::fromNChannel16({65535, 1000, 2000, 3000, 40000},
                                                       ColorUtils::ChannelConfiguration(5),
                                                       ColorUtils::PrismalProfileID(0))
                                  .aName()};
    QByteArray text = "<ColorLibraryList>\n";
    for (int list = 0; list < listCount; ++list) {
        text += " <ColorLibrary isUserLibrary=\"1\" name=\"List " + QByteArray::number(list) + "\">\n";
        for (int i = list * (colorCount / listCount); i < (list + 1) * (colorCount / listCount); ++i) {
            text += "  <Color name=\"Colour " + QByteArray::number(i) + "\" uid=\"" + uidFor(i).toLatin1()
                + "\" value=\"" + values[i % 3].toLatin1() + "\" originatingPreset=\"Stage Colors\" colorId=\"C"
                + QByteArray::number(i) + "\"/>\n";
        }
        text += " </ColorLibrary>\n";
    }
    text += "</ColorLibraryList>\n";
    const QString path = OvrColorLibrary::defaultUserColorsPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        std::abort();
}

// A new library, set up as the program sets it up, before it reads the user's colours.
OvrColorLibrary *freshLibrary()
{
    OvrColorLibrary::cleanup();
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    library->init(false, true, true);
    return library;
}

OvrColorLibrary *loadedLibrary()
{
    OvrColorLibrary *library = freshLibrary();
    library->loadUserColors();
    return library;
}

// The uids the look-up benchmarks ask for: every seventh colour's.
QStringList sampledUids()
{
    QStringList uids;
    for (int i = 0; i < colorCount; i += 7)
        uids.append(uidFor(i));
    return uids;
}

void BM_LoadUserColors(benchmark::State &state)
{
    writeUserFile();
    for (auto _ : state) {
        state.PauseTiming();
        OvrColorLibrary *library = freshLibrary();
        state.ResumeTiming();
        library->loadUserColors();
    }
    if (OvrColorLibrary::Instance()->getColorUids(QStringLiteral("List 19")).size() != colorCount / listCount)
        state.SkipWithError("the file was not read whole");
}
BENCHMARK(BM_LoadUserColors)->Unit(benchmark::kMillisecond);

void BM_GetByUid(benchmark::State &state)
{
    writeUserFile();
    OvrColorLibrary *library = loadedLibrary();
    const QStringList uids = sampledUids();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(library->get(uids.at(i)));
        i = (i + 1) % uids.size();
    }
}
BENCHMARK(BM_GetByUid);

void BM_GetIndexOfUid(benchmark::State &state)
{
    writeUserFile();
    OvrColorLibrary *library = loadedLibrary();
    const QStringList uids = sampledUids();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(library->getIndexOfUid(uids.at(i)));
        i = (i + 1) % uids.size();
    }
}
BENCHMARK(BM_GetIndexOfUid);

// 1000 colours added to a user list in one editing batch of the 10 000-colour
// library: the additions alone ("adds"), and with the one write that ends the
// batch (the whole iteration). "writes" counts file writes per batch.
void BM_BatchAdd1000(benchmark::State &state)
{
    writeUserFile();
    OvrColorLibrary *library = loadedLibrary();
    const QString list = QStringLiteral("Batch");
    library->createColorList(list, true);
    int writes = 0;
    QObject::connect(library, &OvrColorLibrary::userColorsSaved, library, [&writes] { ++writes; });
    const OvrColor color = OvrColor::fromRgb8(10, 200, 30);
    double addSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        library->clear(list);
        writes = 0;
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        library->setEditingMultipleColors(true);
        for (int i = 0; i < 1000; ++i)
            library->createColor(color, QStringLiteral("Added"), list);
        addSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        library->setEditingMultipleColors(false);
        if (writes != 1)
            state.SkipWithError("not exactly one write");
    }
    state.counters["adds_ms"] = benchmark::Counter(addSeconds * 1000 / double(state.iterations()));
    state.counters["writes"] = writes;
}
BENCHMARK(BM_BatchAdd1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QLatin1String("/data")).toLocal8Bit());
    QCoreApplication app(argc, argv);
    // As in the program: the saved document is not echoed to the debug stream.
    QLoggingCategory::setFilterRules(QStringLiteral("ovrcolor.debug=false"));

    const int result = runBenchmarks(argc, argv);
    OvrColorLibrary::cleanup();
    return result;
}
