// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include <QTest>

Q_DECLARE_METATYPE(CommandLine::Action)

class tst_CommandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void versionText();
    void helpNamesTheOptions();
};

void tst_CommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<CommandLine::Action>("action");
    QTest::addColumn<bool>("demo");

    using A = CommandLine::Action;
    QTest::newRow("nothing") << QStringList{} << A::Run << false;
    QTest::newRow("demo") << QStringList{"--demo"} << A::Run << true;
    QTest::newRow("help") << QStringList{"--help"} << A::ShowHelp << false;
    QTest::newRow("-h") << QStringList{"-h"} << A::ShowHelp << false;
    QTest::newRow("version") << QStringList{"--version"} << A::ShowVersion << false;
    QTest::newRow("-v") << QStringList{"-v"} << A::ShowVersion << false;
    QTest::newRow("version wins over demo") << QStringList{"--demo", "--version"} << A::ShowVersion << false;
    QTest::newRow("version beside an unknown option") << QStringList{"--frobnicate", "--version"}
                                                       << A::ShowVersion << false;
    // What QApplication takes for itself is no error here.
    QTest::newRow("Qt's options") << QStringList{"-platform", "offscreen", "--demo", "-style=fusion", "-reverse"}
                                  << A::Run << true;
    QTest::newRow("Qt's options, two dashes") << QStringList{"--platform", "xcb", "--style", "fusion"} << A::Run
                                              << false;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << A::Error << false;
    QTest::newRow("stray argument") << QStringList{"config.xml"} << A::Error << false;
}

void tst_CommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Action, action);
    QFETCH(bool, demo);
    CommandLine commandLine;
    QCOMPARE(commandLine.parse(QStringList{QStringLiteral("keypadmgr")} + arguments), action);
    QCOMPARE(commandLine.demo(), demo);
    if (action == CommandLine::Action::Error)
        QVERIFY(!commandLine.errorText().isEmpty());
}

void tst_CommandLine::versionText()
{
    // As the About box shows it: version, build date, build number.
    QCOMPARE(CommandLine::versionText(), QStringLiteral("Lumetra Keypad Effect Manager 1.3 20131127-196"));
}

void tst_CommandLine::helpNamesTheOptions()
{
    CommandLine commandLine;
    commandLine.parse({QStringLiteral("keypadmgr"), QStringLiteral("--help")});
    const QString help = commandLine.helpText();
    for (const char *option : {"--help", "--version", "--demo", "list [--scan CIDR]", "backup (--all | --keypad A...)",
                               "restore FILE --keypad A [--with-identity]", "diff FILE --keypad A [--json]",
                               "Example: keypadmgr list", "Example: keypadmgr backup",
                               "Example: keypadmgr restore", "Example: keypadmgr diff"})
        QVERIFY2(help.contains(QLatin1String(option)), qPrintable(help));
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
