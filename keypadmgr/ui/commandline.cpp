// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "appversion.h"
#include "fleetcommand.h"

namespace {

// The options that QGuiApplication and QApplication take for themselves,
// with one or two leading dashes; those in the first list take a value
// ("-style fusion" or "-style=fusion").
const char *const windowSystemOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "style", "stylesheet", "display", "geometry", "name", "title", "fn", "font",
    "bg", "background", "fg", "foreground", "btn", "button", "im", "inputstyle", "visual", "ncols",
    "qmljsdebugger", "dialogs"};
const char *const windowSystemFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "cmap",
                                         "testability"};

QStringList withoutWindowSystemOptions(const QStringList &arguments)
{
    QStringList kept;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (i == 0 || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("--")) {
            kept << argument;
            continue;
        }
        QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const bool hasInlineValue = name.contains(QLatin1Char('='));
        name = name.section(QLatin1Char('='), 0, 0);
        bool taken = false;
        for (const char *option : windowSystemOptionsWithValue) {
            if (name == QLatin1String(option)) {
                taken = true;
                if (!hasInlineValue)
                    ++i; // its value
                break;
            }
        }
        for (const char *flag : windowSystemFlags)
            taken = taken || (!hasInlineValue && name == QLatin1String(flag));
        if (!taken)
            kept << argument;
    }
    return kept;
}

} // namespace

CommandLine::CommandLine()
    : m_demoOption(QStringLiteral("demo"),
                   tr("Start in demo mode: edit scenes and settings without a keypad. "
                      "Nothing is sent to the network to look for keypads."))
{
    m_parser.setApplicationDescription(
        tr("Finds Lumetra keypads on the network and edits their lighting scenes and system settings."));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOption(m_demoOption);
}

CommandLine::Action CommandLine::parse(const QStringList &arguments)
{
    m_demo = false;
    // Help and version win over anything else on the line.
    const bool parsed = m_parser.parse(withoutWindowSystemOptions(arguments));
    if (m_parser.isSet(QStringLiteral("help")))
        return Action::ShowHelp;
    if (m_parser.isSet(QStringLiteral("version")))
        return Action::ShowVersion;
    if (!parsed || !m_parser.positionalArguments().isEmpty())
        return Action::Error;
    m_demo = m_parser.isSet(m_demoOption);
    return Action::Run;
}

QString CommandLine::helpText() const
{
    return m_parser.helpText() + QLatin1Char('\n') + FleetCommand::commandsHelp();
}

QString CommandLine::errorText() const
{
    if (!m_parser.errorText().isEmpty())
        return m_parser.errorText();
    return tr("Unexpected argument '%1'.").arg(m_parser.positionalArguments().value(0));
}

QString CommandLine::versionText()
{
    return QStringLiteral("%1 %2 %3-%4")
        .arg(QLatin1String(AppVersion::applicationName), QLatin1String(AppVersion::version))
        .arg(AppVersion::buildDate)
        .arg(QLatin1String(AppVersion::buildNumber));
}
