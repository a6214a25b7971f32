// SPDX-License-Identifier: GPL-3.0-or-later
//
// The product guide's table of effects against the editors: every effect
// the program offers is in the guide, and each is described with exactly
// the settings its editor shows.

#include "mspeffectwidget.h"
#include "mspeffectwidgetfactory.h"

#include "mspeffect.h"
#include "mspeffectfactory.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

/** The guide's words for each setting, and the control that shows it. */
const QMap<QString, QString> &controlOfSetting()
{
    static const QMap<QString, QString> controls{
        {QStringLiteral("the colour"), QStringLiteral("colorPicker")},
        {QStringLiteral("colour list"), QStringLiteral("colorListPicker")},
        {QStringLiteral("speed"), QStringLiteral("speedSlider")},
        {QStringLiteral("direction"), QStringLiteral("leftToRightButton")},
        {QStringLiteral("width"), QStringLiteral("widthSlider")},
        {QStringLiteral("fade"), QStringLiteral("fadeCheckBox")},
        {QStringLiteral("temperature"), QStringLiteral("temperatureSlider")},
        {QStringLiteral("intensity"), QStringLiteral("brightnessSlider")},
    };
    return controls;
}

/** Effect name -> the settings the guide's table lists for it. */
QMap<QString, QStringList> guideSettings(QString *error)
{
    QFile guide(qEnvironmentVariable("KEYPAD_SOURCE_DIR") + QStringLiteral("/docs/ProductGuide.md"));
    if (!guide.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = guide.fileName() + QStringLiteral(": ") + guide.errorString();
        return {};
    }
    QMap<QString, QStringList> settings;
    bool inTable = false;
    const QStringList lines = QString::fromUtf8(guide.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("| Effect |"))) {
            inTable = true;
            continue;
        }
        if (!inTable || line.startsWith(QLatin1String("|---")))
            continue;
        if (!line.startsWith(QLatin1Char('|')))
            break;
        const QStringList cells = line.split(QLatin1Char('|'));
        // "| name | what | settings |" splits into "", name, what, settings, "".
        if (cells.size() < 5)
            continue;
        // "temperature (warm, neutral, cool), intensity": the remarks in
        // brackets are no settings of their own.
        static const QRegularExpression remark(QStringLiteral("\\s*\\([^)]*\\)"));
        QStringList words;
        const QStringList items = QString(cells.at(3)).remove(remark).split(QLatin1Char(','));
        for (const QString &item : items)
            words << item.trimmed();
        settings.insert(cells.at(1).trimmed(), words);
    }
    return settings;
}

} // namespace

class tst_ProductGuide : public QObject
{
    Q_OBJECT
private slots:
    void effectsAsTheEditorsShowThem_data();
    void effectsAsTheEditorsShowThem();
    void pdfTextIsTheGuidesText();
};

void tst_ProductGuide::effectsAsTheEditorsShowThem_data()
{
    QTest::addColumn<int>("type");
    for (int type = 0; type < MSPEffect::typeCount; ++type)
        QTest::newRow(qPrintable(MSPEffect::effectTypeName(type))) << type;
}

void tst_ProductGuide::effectsAsTheEditorsShowThem()
{
    QFETCH(int, type);
    QString error;
    const QMap<QString, QStringList> guide = guideSettings(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString name = MSPEffect::effectTypeName(type);
    QVERIFY2(guide.contains(name), qPrintable(name + QStringLiteral(" is not in the guide's table of effects")));

    std::unique_ptr<MSPEffect> effect(MSPEffectFactory::instance()->create(type, nullptr));
    std::unique_ptr<MSPEffectWidget> editor(MSPEffectWidgetFactory::instance()->create(type, nullptr));
    QVERIFY(effect && editor);
    QVERIFY(editor->setEffect(effect.get()));
    editor->show();

    QStringList shown;
    for (auto it = controlOfSetting().cbegin(); it != controlOfSetting().cend(); ++it) {
        auto *control = editor->findChild<QWidget *>(it.value());
        // A colour list is edited in the picker beside it: the list is the setting.
        const bool listed = it.key() == QLatin1String("the colour")
            && editor->findChild<QWidget *>(QStringLiteral("colorListPicker"))
            && editor->findChild<QWidget *>(QStringLiteral("colorListPicker"))->isVisible();
        if (control && control->isVisible() && !listed)
            shown << it.key();
    }
    QStringList described = guide.value(name);
    described.sort();
    shown.sort();
    QCOMPARE(described, shown);
}

void tst_ProductGuide::pdfTextIsTheGuidesText()
{
    const QString pdf = qEnvironmentVariable("KEYPAD_BIN_DIR") + QStringLiteral("/help/LumetraKeypad_ProductGuide.pdf");
    QVERIFY2(QFile::exists(pdf), qPrintable(pdf));
    const auto run = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return QString();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                                           QStringLiteral("-")});
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) gave no text");

    QFile guide(qEnvironmentVariable("KEYPAD_SOURCE_DIR") + QStringLiteral("/docs/ProductGuide.md"));
    QVERIFY(guide.open(QIODevice::ReadOnly | QIODevice::Text));
    QString markdown = QString::fromUtf8(guide.readAll());
    // Pictures show as pictures, not as their file names.
    static const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\([^)]*\))"));
    const int pictures = int(markdown.count(picture));
    markdown.remove(picture);

    // Every word of the guide can be found in the PDF as typed (a search
    // finds it; words broken at a line's hyphen come out joined).
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    QStringList missing;
    for (auto it = word.globalMatch(markdown); it.hasNext();) {
        const QString w = it.next().captured(0);
        if (!text.contains(w) && !missing.contains(w))
            missing << w;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not in the PDF's text: ") + missing.join(QLatin1Char(' '))));

    // And every picture is in it.
    const QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(pictures > 0);
    QCOMPARE(images.size() - 2, pictures); // two lines of column heads
}

QTEST_MAIN(tst_ProductGuide)
#include "tst_productguide.moc"
