// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadsnapshot.h"

#include "mspcommlink.h"
#include "msphandler.h"
#include "mspscene.h"
#include "mspwiretext.h"

#include <QBuffer>
#include <QRegularExpression>

namespace {

// Reading a snapshot sends nothing anywhere.
class NoKeypadLink final : public MSPCommLink
{
};

QString switchState(const SystemConfiguration &config)
{
    QString text;
    for (int number = 1; number <= 11; ++number)
        text += QLatin1String(config.switchEnabled(number) ? "1" : "0") + QLatin1String(number < 11 ? "," : "");
    return text;
}

} // namespace

bool KeypadSnapshot::parseWith(MSPHandler *handler, const QByteArray &xml, QString *error)
{
    QByteArray data = xml;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    MSPHandler::ParseError where;
    if (handler->read(&buffer, &where))
        return true;
    if (error) {
        *error = !where.isSet() ? tr("not a keypad configuration")
                                 : tr("line %1, column %2: %3").arg(where.line).arg(where.column).arg(where.message);
    }
    return false;
}

KeypadSnapshot::FixtureClassScope::FixtureClassScope(ColorUtils::PrismalProfileID fixtureClass)
    : m_saved(SystemConfiguration::instance()->fixtureClass())
{
    SystemConfiguration::instance()->setFixtureClass(fixtureClass, false);
}

KeypadSnapshot::FixtureClassScope::~FixtureClassScope()
{
    SystemConfiguration::instance()->setFixtureClass(m_saved, false);
}

KeypadSnapshot::KeypadSnapshot()
{
    for (int i = 0; i < MSPSceneModel::sceneCount; ++i)
        m_scenes.sceneAt(i)->setUrl(QStringLiteral("/api/v1/shows/%1").arg(i + 1));
}

KeypadSnapshot::~KeypadSnapshot() = default;

bool KeypadSnapshot::parse(const QByteArray &xml, QString *error)
{
    NoKeypadLink link;
    MSPHandler handler(false, &m_scenes, &m_config, &link);
    if (!parseWith(&handler, xml, error))
        return false;
    if (handler.currentShowIndex() >= 0 && handler.currentShowIndex() < MSPSceneModel::sceneCount)
        m_currentShow = handler.currentShowIndex();
    return true;
}

bool KeypadSnapshot::readConfiguration(const QByteArray &xml, QString *error)
{
    return parse(xml, error);
}

bool KeypadSnapshot::readShows(const QByteArray &xml, QString *error)
{
    return parse(xml, error);
}

bool KeypadSnapshot::readDocument(const QByteArray &xml, QString *error)
{
    // A file holds its scenes before its configuration; its colours are the
    // fixture class's, so the configuration is read first.
    KeypadSnapshot first;
    if (!first.parse(xml, error))
        return false;
    m_config.setFixtureClass(first.m_config.fixtureClass(), false);
    return parse(xml, error);
}

QString KeypadSnapshot::document() const
{
    return document(m_scenes, m_config, m_currentShow);
}

QString KeypadSnapshot::document(const MSPSceneModel &scenes, const SystemConfiguration &config, int currentShow)
{
    FixtureClassScope scope(config.fixtureClass());
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<v1>\n<all_shows>\n");
    text += QLatin1String("<currentShow>") + QString::number(currentShow + 1) + QLatin1String("</currentShow>\n");
    for (int i = 0; i < MSPSceneModel::sceneCount; ++i)
        text += scenes.sceneAt(i)->XMLData() + QLatin1Char('\n');
    text += QLatin1String("</all_shows>");
    text += config.configXML(false);
    text += QLatin1String("\n</v1>");
    return text;
}

QByteArray KeypadSnapshot::withName(const QByteArray &document, const QString &name)
{
    static const QRegularExpression nameValue(
        QStringLiteral("(<url>\\s*/api/v1/config/name\\s*</url>\\s*<value>)[^<]*(</value>)"));
    QString text = QString::fromLatin1(document);
    text.replace(nameValue, QLatin1String("\\1") + MSPWireText::xmlEscaped(name) + QLatin1String("\\2"));
    return text.toLatin1();
}

QList<KeypadSnapshot::Difference> KeypadSnapshot::differences(const KeypadSnapshot &other) const
{
    QList<Difference> list;
    for (int i = 0; i < MSPSceneModel::sceneCount; ++i) {
        QString ours;
        QString theirs;
        {
            FixtureClassScope scope(m_config.fixtureClass());
            ours = m_scenes.sceneAt(i)->formData();
        }
        {
            FixtureClassScope scope(other.m_config.fixtureClass());
            theirs = other.m_scenes.sceneAt(i)->formData();
        }
        if (ours != theirs)
            list.append({QStringLiteral("scene %1").arg(i + 1), ours, theirs});
    }
    const SystemConfiguration &a = m_config;
    const SystemConfiguration &b = other.m_config;
    const auto field = [&list](const char *key, const QString &x, const QString &y) {
        if (x != y)
            list.append({QLatin1String(key), x, y});
    };
    field("name", a.name(), b.name());
    field("global_profile", QString::number(int(a.fixtureClass())), QString::number(int(b.fixtureClass())));
    field("universe", QString::number(a.universe()), QString::number(b.universe()));
    field("dravon", QString::number(a.DravonMode()), QString::number(b.DravonMode()));
    field("num_ports", QString::number(a.numberOfPorts()), QString::number(b.numberOfPorts()));
    field("num_lights", QString::number(a.lightsPerPort()), QString::number(b.lightsPerPort()));
    field("switch_state", switchState(a), switchState(b));
    return list;
}
