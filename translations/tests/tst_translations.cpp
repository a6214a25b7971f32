// SPDX-License-Identifier: GPL-3.0-or-later
//
// Keeps the translations complete: every text of the program and its
// libraries, as lupdate finds it in today's sources, has a finished German
// translation that keeps the text's placeholders and keyboard accelerator.

#include "apptranslations.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Entry
{
    QString context;
    QString source;
    QStringList translations; ///< one per numerus form, or just one
    QString type; ///< "", "unfinished", "vanished", "obsolete"
};

QList<Entry> readTs(const QString &path, QString *error)
{
    QList<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return entries;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Entry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            entry = Entry();
            entry.context = context;
        } else if (name == QLatin1String("source")) {
            entry.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            entry.type = xml.attributes().value(QLatin1String("type")).toString();
            // Plural forms come as <numerusform> children.
            QString text;
            while (!(xml.isEndElement() && xml.name() == QLatin1String("translation")) && !xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == QLatin1String("numerusform"))
                    entry.translations << xml.readElementText();
                else if (xml.isCharacters())
                    text += xml.text();
            }
            if (entry.translations.isEmpty())
                entry.translations << text;
            entries << entry;
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return entries;
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%L?\\d+|%n"));
    QSet<QString> found;
    auto it = marker.globalMatch(text);
    while (it.hasNext())
        found.insert(it.next().captured().remove(QLatin1Char('L')));
    return found;
}

bool hasAccelerator(const QString &text)
{
    static const QRegularExpression accelerator(QStringLiteral("(^|[^&])&[^& ]"));
    return accelerator.match(text).hasMatch();
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void complete_data();
    void complete();
    void placeholdersAndAccelerators_data();
    void placeholdersAndAccelerators();
    void germanLoads();

private:
    void addLanguageRows();

    QTemporaryDir m_dir;
    QMap<QString, QList<Entry>> m_entries; // by .ts file name
};

void tst_Translations::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // lupdate brings a copy up to date with the sources: a text added to the
    // code and not yet to the .ts file shows up there unfinished.
    const QStringList tsFiles = QStringLiteral(KEYPAD_TS_FILES).split(QLatin1Char(';'));
    QStringList copies;
    for (const QString &ts : tsFiles) {
        const QString copy = m_dir.filePath(QFileInfo(ts).fileName());
        QVERIFY2(QFile::copy(ts, copy), qPrintable(ts));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        copies << copy;
    }
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::ForwardedChannels);
    lupdate.start(QStringLiteral(KEYPAD_CMAKE_COMMAND),
                  {QStringLiteral("-D"), QStringLiteral("LUPDATE=" KEYPAD_LUPDATE),
                   QStringLiteral("-D"), QStringLiteral("SOURCE_DIR=" KEYPAD_SOURCE_DIR),
                   QStringLiteral("-D"), QStringLiteral("TS_FILES=") + copies.join(QLatin1Char(';')),
                   QStringLiteral("-P"), QStringLiteral(KEYPAD_SOURCE_DIR "/cmake/UpdateTranslations.cmake")});
    QVERIFY(lupdate.waitForFinished(120000));
    QCOMPARE(lupdate.exitStatus(), QProcess::NormalExit);
    QCOMPARE(lupdate.exitCode(), 0);
    for (const QString &copy : copies) {
        QString error;
        const QList<Entry> entries = readTs(copy, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!entries.isEmpty());
        m_entries.insert(QFileInfo(copy).fileName(), entries);
    }
}

void tst_Translations::addLanguageRows()
{
    QTest::addColumn<QString>("tsFile");
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key();
}

void tst_Translations::complete_data()
{
    addLanguageRows();
}

void tst_Translations::complete()
{
    QFETCH(QString, tsFile);
    QStringList missing;
    for (const Entry &entry : m_entries.value(tsFile)) {
        bool empty = false;
        for (const QString &text : entry.translations)
            empty = empty || text.isEmpty();
        if (!entry.type.isEmpty() || empty)
            missing << QStringLiteral("  %1: \"%2\"").arg(entry.context, entry.source);
    }
    QVERIFY2(missing.isEmpty(),
             qPrintable(QStringLiteral("%1 texts without a finished translation in %2 "
                                       "(update with the update_translations target, then translate):\n%3")
                            .arg(missing.size())
                            .arg(tsFile, missing.join(QLatin1Char('\n')))));
}

void tst_Translations::placeholdersAndAccelerators_data()
{
    addLanguageRows();
}

void tst_Translations::placeholdersAndAccelerators()
{
    QFETCH(QString, tsFile);
    QStringList wrong;
    for (const Entry &entry : m_entries.value(tsFile)) {
        if (!entry.type.isEmpty())
            continue;
        for (const QString &text : entry.translations) {
            if (text.isEmpty())
                continue;
            const bool numerus = entry.translations.size() > 1;
            QSet<QString> expected = placeholders(entry.source);
            QSet<QString> got = placeholders(text);
            // A singular form may say "one" instead of %n.
            if (numerus) {
                expected.remove(QStringLiteral("%n"));
                got.remove(QStringLiteral("%n"));
            }
            if (got != expected)
                wrong << QStringLiteral("  %1: \"%2\" -> \"%3\" (placeholders)").arg(entry.context, entry.source, text);
            if (hasAccelerator(entry.source) != hasAccelerator(text))
                wrong << QStringLiteral("  %1: \"%2\" -> \"%3\" (accelerator)").arg(entry.context, entry.source, text);
        }
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

void tst_Translations::germanLoads()
{
    // The build puts the compiled translation where the program looks.
    QVERIFY2(QFileInfo::exists(AppTranslations::folder() + QStringLiteral("/keypadmgr_de.qm")),
             qPrintable(AppTranslations::folder()));
    QVERIFY(AppTranslations::install(QCoreApplication::instance(), QLocale(QLocale::German, QLocale::Germany)));
    QCOMPARE(QCoreApplication::translate("MainWindow", "&File"), QStringLiteral("&Datei"));
    // Qt's own texts come along.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    // A language without a translation stays English.
    QVERIFY(!AppTranslations::install(QCoreApplication::instance(), QLocale(QLocale::Japanese)));
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
