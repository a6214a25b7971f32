// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "appversion.h"

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
    // Help and version win over anything else on the line, so they answer
    // even beside an option that only the windowing system knows.
    const bool parsed = m_parser.parse(arguments);
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
    return m_parser.helpText();
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
