// SPDX-License-Identifier: GPL-3.0-or-later
//
// Typing in the colour tree's filter box over a library of 10 000 colours in
// 20 lists: each keystroke refilters, opens the lists that hold a match and
// repaints the tree. Target: at most 50 ms per keystroke.
#include "benchmarkrun.h"
#include "colortreeandfilterwidget.h"
#include "ovrcolor.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorlibrarytreeview.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kLists = 20;
constexpr int kColorsPerList = 500;

const char *const kWords[] = {"Warm", "Cool", "Amber", "Rose", "Sky", "Deep", "Pale", "Candle", "Steel", "Moss"};
const char *const kNouns[] = {"White", "Red", "Blue", "Green", "Glow", "Wash", "Mist", "Haze"};

class Fixture
{
public:
    Fixture()
    {
        OvrColorLibrary *library = OvrColorLibrary::Instance();
        library->setEditingMultipleColors(true);
        for (int l = 0; l < kLists; ++l) {
            const QString list = QStringLiteral("Library %1").arg(l + 1);
            library->createColorList(list, true);
            for (int c = 0; c < kColorsPerList; ++c) {
                const int n = l * kColorsPerList + c;
                const QString name = QStringLiteral("%1 %2 %3")
                                         .arg(QLatin1String(kWords[n % 10]), QLatin1String(kNouns[(n / 10) % 8]))
                                         .arg(n);
                library->createColor(OvrColor::fromHsv8(n % 360, 200, 255), name, list);
            }
        }
        library->setEditingMultipleColors(false);
        widget.reset(new OvrColorPickerLib::ColorTreeAndFilterWidget);
        widget->resize(360, 700);
        widget->show();
        QCoreApplication::processEvents();
    }

    // One keystroke: the new filter text, then layout and paint as the event loop would.
    void type(const QString &text)
    {
        widget->treeView()->setFilterText(text);
        widget->treeView()->viewport()->repaint();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<OvrColorPickerLib::ColorTreeAndFilterWidget> widget;
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// Typing "candle glow" letter by letter, then deleting it again.
void BM_FilterTyping(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString word = QStringLiteral("candle glow");
    QStringList strokes;
    for (int i = 1; i <= word.size(); ++i)
        strokes.append(word.left(i));
    for (int i = word.size() - 1; i >= 0; --i)
        strokes.append(word.left(i));
    int i = 0;
    for (auto _ : state) {
        f.type(strokes.at(i));
        i = (i + 1) % strokes.size();
    }
    state.SetLabel("per keystroke");
}
BENCHMARK(BM_FilterTyping)->Unit(benchmark::kMillisecond);

// The worst keystroke: from no filter to one letter that matches nearly
// every colour (every list opens), and back.
void BM_FilterBroadestMatch(benchmark::State &state)
{
    Fixture &f = fixture();
    bool on = false;
    for (auto _ : state) {
        on = !on;
        f.type(on ? QStringLiteral("e") : QString());
    }
    state.SetLabel("per keystroke");
}
BENCHMARK(BM_FilterBroadestMatch)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Remembered tree state goes to a throw-away folder, never the user's settings.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("Lumetra Bench"));
    return runBenchmarks(argc, argv);
}
