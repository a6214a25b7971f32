// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

/**
 * The program's command line: --help, --version and --demo (the commands
 * for many keypads are FleetCommand's; --help lists them too). Parsing needs
 * no application object, so the program answers --help and --version
 * without a display.
 */
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
    Q_DISABLE_COPY(CommandLine)
public:
    enum class Action { Run, ShowHelp, ShowVersion, Error };

    CommandLine();

    /**
     * Reads the arguments (the first is the program's name). The options
     * that Qt's own application object takes (-platform, -style, ...) are
     * passed over, so they can be read before that object exists.
     */
    Action parse(const QStringList &arguments);

    /** Start in demo mode, without looking for a keypad. */
    bool demo() const { return m_demo; }
    /** The usage text for --help (needs an application object). */
    QString helpText() const;
    /** What went wrong, for Action::Error. */
    QString errorText() const;

    /** "Lumetra Keypad Effect Manager 1.3 20131127-196": version, build date and build number. */
    static QString versionText();

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_demoOption;
    bool m_demo = false;
};
