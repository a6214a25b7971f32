// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypadstate.h"

#include <QList>
#include <QPair>
#include <QStringList>

#include <algorithm>

namespace {

using FormField = QPair<QByteArray, QByteArray>;

// The program inserts its values into bodies as they are, without any
// escaping, so the keypad splits at '&' and the first '=' and takes the
// rest literally. Empty pieces (the second configuration body starts with
// '&') are skipped.
QList<FormField> parseForm(const QByteArray &body)
{
    QList<FormField> fields;
    const QList<QByteArray> pieces = body.split('&');
    for (const QByteArray &piece : pieces) {
        if (piece.trimmed().isEmpty())
            continue;
        const int eq = piece.indexOf('=');
        if (eq < 0)
            fields.append({piece.trimmed(), QByteArray()});
        else
            fields.append({piece.left(eq).trimmed(), piece.mid(eq + 1)});
    }
    return fields;
}

// Decimal integer; anything else reads as 0, as on the keypad's side of
// the wire a missing number is a zero.
int toInt(const QByteArray &text, bool *ok = nullptr)
{
    bool good = false;
    const int value = text.trimmed().toInt(&good);
    if (ok)
        *ok = good;
    return good ? value : 0;
}

// "(a,b,c)" into three integers; a malformed tuple gives zeros.
QVector<int> toTriple(const QByteArray &text)
{
    QByteArray inner = text.trimmed();
    if (inner.startsWith('('))
        inner.remove(0, 1);
    if (inner.endsWith(')'))
        inner.chop(1);
    const QList<QByteArray> parts = inner.split(',');
    QVector<int> values(3, 0);
    if (parts.size() != 3)
        return values;
    for (int i = 0; i < 3; ++i)
        values[i] = toInt(parts.at(i));
    return values;
}

// Yxy values travel as the low 16 bits of the scaled product; the keypad
// keeps them that way and writes them back unsigned, the range the
// program's reader accepts.
quint16 low16(int value)
{
    return quint16(value & 0xFFFF);
}

int clampByte(int value)
{
    return std::clamp(value, 0, 255);
}

// The name goes into XML; unescaped markup characters would make the whole
// configuration reply unreadable. Tab, line feed and carriage return go as
// character references, so a reader gets them back as they were (a raw
// carriage return would read as a line feed). The other control characters
// cannot appear in an XML document at all, not even as references, and are
// left out.
QByteArray xmlText(const QString &text)
{
    QByteArray escaped;
    escaped.reserve(text.size());
    for (const char c : text.toLatin1()) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '\t':
            escaped += "&#9;";
            break;
        case '\n':
            escaped += "&#10;";
            break;
        case '\r':
            escaped += "&#13;";
            break;
        default:
            if (uchar(c) >= 0x20)
                escaped += c;
            break;
        }
    }
    return escaped;
}

// Index of "colorN" / "custom_xy_N" (1..6) as 0..5, or -1.
int colourSlot(const QByteArray &key, const QByteArray &prefix)
{
    if (!key.startsWith(prefix))
        return -1;
    bool ok = false;
    const int n = key.mid(prefix.size()).toInt(&ok);
    return ok && n >= 1 && n <= KeypadState::maxColours ? n - 1 : -1;
}

const QByteArray xmlProlog = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n");

QByteArray property(const char *key, const QByteArray &value)
{
    return QByteArrayLiteral("<property>\n<url>/api/v1/config/") + key + QByteArrayLiteral("</url>\n<value>") + value
        + QByteArrayLiteral("</value>\n</property>\n");
}

} // namespace

KeypadState::KeypadState()
    : m_kept(sceneCount)
    , m_preview(sceneCount)
    , m_hasPreview(sceneCount, false)
    , m_name(QStringLiteral("Lumetra Keypad"))
    , m_version(QStringLiteral("1.2.0"))
    , m_switches(switchCount, true)
{
    const QVector<QString> bodies = defaultSceneBodies();
    for (int i = 0; i < sceneCount; ++i)
        parseSceneBody(bodies.at(i).toLatin1(), &m_kept[i]);
}

QVector<QString> KeypadState::defaultSceneBodies()
{
    return {
        QStringLiteral("effect=0&param1=255&param2=0&param3=0&param_xy=(0,0,0)&num_colors=0"),
        QStringLiteral("effect=1&param1=85&param2=255&param3=255&param_xy=(0,0,0)&num_colors=0"),
        QStringLiteral("effect=2&param1=16&param2=0&param_xy=(0,0,0)&num_colors=0"),
        QStringLiteral("effect=3&param1=8&param2=1&param3=4&param_xy=(0,0,0)&num_colors=0"),
        QStringLiteral("effect=4&param1=4&param2=0&param3=2&param_xy=(0,0,0)&num_colors=2"
                       "&color1=(255,0,0)&custom_xy_1=(0,0,0)&color2=(0,0,255)&custom_xy_2=(0,0,0)"),
        QStringLiteral("effect=5&param1=10&param2=1&param_xy=(0,0,0)&num_colors=0"),
        QStringLiteral("effect=6&param1=128&param2=255&param_xy=(0,0,0)&num_colors=0"),
        QStringLiteral("effect=7&param1=200&param2=191&param_xy=(0,0,0)&num_colors=0"),
    };
}

KeypadState::Scene KeypadState::keptScene(int index) const
{
    return m_kept.value(index);
}

KeypadState::Scene KeypadState::playedScene(int index) const
{
    return hasPreview(index) ? m_preview.at(index) : m_kept.value(index);
}

bool KeypadState::hasPreview(int index) const
{
    return index >= 0 && index < sceneCount && m_hasPreview.at(index);
}

void KeypadState::setKeptScene(int index, const Scene &scene)
{
    if (index < 0 || index >= sceneCount)
        return;
    m_kept[index] = scene;
    m_hasPreview[index] = false;
}

bool KeypadState::parseSceneBody(const QByteArray &body, Scene *scene)
{
    Scene parsed;
    bool haveEffect = false;
    int numColours = 0;
    QVector<Colour> slots(maxColours);
    const QList<FormField> fields = parseForm(body);
    for (const FormField &field : fields) {
        const QByteArray &key = field.first;
        const QByteArray &value = field.second;
        int slot = -1;
        if (key == "effect") {
            bool ok = false;
            parsed.effect = toInt(value, &ok);
            haveEffect = ok && parsed.effect >= 0 && parsed.effect < effectTypeCount;
        } else if (key == "param1" || key == "param2" || key == "param3") {
            parsed.params[key.at(5) - '1'] = toInt(value);
        } else if (key == "param_xy") {
            const QVector<int> xyY = toTriple(value);
            parsed.x = low16(xyY.at(0));
            parsed.y = low16(xyY.at(1));
            parsed.Y = low16(xyY.at(2));
        } else if (key == "num_colors") {
            // Six colour slots is all a scene has; a larger count cannot
            // make it read beyond them.
            numColours = std::clamp(toInt(value), 0, int(maxColours));
        } else if ((slot = colourSlot(key, "color")) >= 0) {
            const QVector<int> rgb = toTriple(value);
            slots[slot].red = clampByte(rgb.at(0));
            slots[slot].green = clampByte(rgb.at(1));
            slots[slot].blue = clampByte(rgb.at(2));
        } else if ((slot = colourSlot(key, "custom_xy_")) >= 0) {
            const QVector<int> xyY = toTriple(value);
            slots[slot].x = low16(xyY.at(0));
            slots[slot].y = low16(xyY.at(1));
            slots[slot].Y = low16(xyY.at(2));
        }
    }
    if (!haveEffect)
        return false;
    parsed.colours = slots.mid(0, numColours);
    if (scene)
        *scene = parsed;
    return true;
}

QByteArray KeypadState::sceneBody(const Scene &scene)
{
    const auto triple = [](int a, int b, int c) -> QByteArray {
        return '(' + QByteArray::number(a) + ',' + QByteArray::number(b) + ',' + QByteArray::number(c) + ')';
    };
    QByteArray body = QByteArrayLiteral("effect=") + QByteArray::number(scene.effect);
    for (int i = 0; i < 3; ++i)
        body += "&param" + QByteArray::number(i + 1) + '=' + QByteArray::number(scene.params.value(i));
    body += "&param_xy=" + triple(scene.x, scene.y, scene.Y) + "&num_colors=" + QByteArray::number(scene.colours.size());
    for (int i = 0; i < scene.colours.size(); ++i) {
        const Colour &c = scene.colours.at(i);
        const QByteArray n = QByteArray::number(i + 1);
        body += "&color" + n + '=' + triple(c.red, c.green, c.blue) + "&custom_xy_" + n + '=' + triple(c.x, c.y, c.Y);
    }
    return body;
}

void KeypadState::dropPreviews()
{
    m_hasPreview.fill(false);
}

KeypadState::SceneOutcome KeypadState::postScene(int index, const QByteArray &body)
{
    if (index < 0 || index >= sceneCount)
        return SceneOutcome::Rejected;
    if (body.trimmed().isEmpty()) {
        selectScene(index);
        return SceneOutcome::Selected;
    }

    int apply = -1;
    bool hasSettings = false;
    const QList<FormField> fields = parseForm(body);
    for (const FormField &field : fields) {
        if (field.first == "apply")
            apply = toInt(field.second) != 0 ? 1 : 0;
        else if (field.first == "effect")
            hasSettings = true;
    }

    if (hasSettings) {
        Scene scene;
        if (!parseSceneBody(body, &scene))
            return SceneOutcome::Rejected;
        if (m_current != index)
            selectScene(index);
        m_preview[index] = scene;
        m_hasPreview[index] = true;
    } else if (apply < 0) {
        return SceneOutcome::Rejected;
    }

    if (apply == 1) {
        if (m_hasPreview.at(index))
            m_kept[index] = m_preview.at(index);
        m_hasPreview[index] = false;
        return SceneOutcome::Kept;
    }
    if (apply == 0) {
        m_hasPreview[index] = false;
        return SceneOutcome::Reverted;
    }
    return SceneOutcome::Previewed;
}

void KeypadState::selectScene(int index)
{
    if (index < 0 || index >= sceneCount)
        return;
    // Leaving a scene ends its preview: the lights now play another one.
    for (int i = 0; i < sceneCount; ++i) {
        if (i != index)
            m_hasPreview[i] = false;
    }
    m_current = index;
    if (m_brightness < 0)
        m_brightness = m_lastBrightness;
}

void KeypadState::setName(const QString &name)
{
    m_name = name.left(maxNameLength);
}

bool KeypadState::switchEnabled(int number) const
{
    return number >= 1 && number <= switchCount && m_switches.at(number - 1);
}

void KeypadState::toggleLights()
{
    if (m_brightness >= 0) {
        m_lastBrightness = m_brightness;
        m_brightness = -1;
    } else {
        m_brightness = m_lastBrightness;
    }
}

void KeypadState::stepBrightness(bool up)
{
    if (m_brightness < 0)
        m_brightness = m_lastBrightness;
    m_brightness = std::clamp(m_brightness + (up ? brightnessStep : -brightnessStep), 0, 255);
    m_lastBrightness = m_brightness;
}

KeypadState::ConfigOutcome KeypadState::postConfig(const QByteArray &body, bool fromControl)
{
    ConfigOutcome outcome;
    const QList<FormField> fields = parseForm(body);
    auto setRanged = [&](int *target, const FormField &field, int low, int high) {
        bool ok = false;
        const int value = toInt(field.second, &ok);
        if (!ok || value < low || value > high) {
            outcome.ignored << QString::fromLatin1(field.first + '=' + field.second);
            return;
        }
        outcome.changed |= *target != value;
        *target = value;
    };
    for (const FormField &field : fields) {
        const QByteArray &key = field.first;
        const QByteArray &value = field.second;
        if (key == "name") {
            const QString before = m_name;
            setName(QString::fromLatin1(value));
            outcome.changed |= before != m_name;
        } else if (key == "universe") {
            setRanged(&m_universe, field, 0, 255);
        } else if (key == "dravon") {
            setRanged(&m_dravon, field, 1, 2);
        } else if (key == "num_ports") {
            setRanged(&m_ports, field, 1, 16);
        } else if (key == "num_lights") {
            setRanged(&m_lights, field, 1, 170);
        } else if (key == "global_profile") {
            setRanged(&m_fixtureClass, field, 0, 9);
        } else if (key == "abs_bright") {
            if (value.trimmed() == "off") {
                if (m_brightness >= 0)
                    m_lastBrightness = m_brightness;
                outcome.changed |= m_brightness != -1;
                m_brightness = -1;
            } else {
                const int before = m_brightness;
                setRanged(&m_brightness, field, 0, 255);
                if (m_brightness >= 0)
                    m_lastBrightness = m_brightness;
                outcome.changed |= before != m_brightness;
            }
        } else if (key == "enable_switch" || key == "disable_switch") {
            bool ok = false;
            const int number = toInt(value, &ok);
            if (!ok || number < 1 || number > switchCount) {
                outcome.ignored << QString::fromLatin1(key + '=' + value);
                continue;
            }
            const bool enable = key == "enable_switch";
            outcome.changed |= m_switches.at(number - 1) != enable;
            m_switches[number - 1] = enable;
        } else if (key == "rel_bright") {
            stepBrightness(toInt(value) != 0);
            outcome.changed = true;
        } else if (key == "off_press") {
            if (toInt(value) != 0) {
                toggleLights();
                outcome.changed = true;
            }
        } else if (key == "factory_reset") {
            outcome.factoryReset = toInt(value) != 0;
        } else if (key == "ip") {
            const QString address = normalisedAddress(QString::fromLatin1(value));
            if (address.isEmpty())
                outcome.ignored << QString::fromLatin1(key + '=' + value);
            else if (address != m_ip)
                outcome.newAddress = address;
        } else if (key == "version" && fromControl) {
            outcome.changed |= m_version != QString::fromLatin1(value);
            m_version = QString::fromLatin1(value);
        } else if (key != "apply") {
            outcome.ignored << QString::fromLatin1(key);
        }
    }
    return outcome;
}

QString KeypadState::normalisedAddress(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return QString();
    QStringList out;
    for (const QString &part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok, 10);
        if (!ok || value < 0 || value > 255 || part.startsWith(QLatin1Char('+')) || part.startsWith(QLatin1Char('-')))
            return QString();
        out << QString::number(value);
    }
    return out.join(QLatin1Char('.'));
}

QByteArray KeypadState::showElement(int index, const Scene &scene)
{
    QByteArray xml = QByteArrayLiteral("<show><url>/api/v1/shows/") + QByteArray::number(index + 1)
        + QByteArrayLiteral("</url>\n<effect>") + QByteArray::number(scene.effect)
        + QByteArrayLiteral("</effect>\n<parameters>");
    for (int i = 0; i < 3; ++i)
        xml += QByteArrayLiteral("<param>") + QByteArray::number(scene.params.value(i)) + QByteArrayLiteral("</param>");
    xml += QByteArrayLiteral("<by>") + QByteArray::number(scene.Y) + QByteArrayLiteral("</by><x>")
        + QByteArray::number(scene.x) + QByteArrayLiteral("</x><y>") + QByteArray::number(scene.y)
        + QByteArrayLiteral("</y></parameters><numColors>") + QByteArray::number(scene.colours.size())
        + QByteArrayLiteral("</numColors>\n<customColors>");
    for (const Colour &c : scene.colours) {
        xml += QByteArrayLiteral("<color>\n<red>") + QByteArray::number(c.red) + QByteArrayLiteral("</red>\n<grn>")
            + QByteArray::number(c.green) + QByteArrayLiteral("</grn>\n<blu>") + QByteArray::number(c.blue)
            + QByteArrayLiteral("</blu>\n<by>") + QByteArray::number(c.Y) + QByteArrayLiteral("</by><x>")
            + QByteArray::number(c.x) + QByteArrayLiteral("</x><y>") + QByteArray::number(c.y)
            + QByteArrayLiteral("</y> </color>");
    }
    for (int i = scene.colours.size(); i < maxColours; ++i)
        xml += QByteArrayLiteral("<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>");
    xml += QByteArrayLiteral("\n</customColors>\n</show>");
    return xml;
}

QByteArray KeypadState::allShowsXml() const
{
    QByteArray xml = xmlProlog + QByteArrayLiteral("<all_shows>\n<currentShow>") + QByteArray::number(m_current + 1)
        + QByteArrayLiteral("</currentShow>\n");
    for (int i = 0; i < sceneCount; ++i)
        xml += showElement(i, playedScene(i)) + '\n';
    xml += QByteArrayLiteral("</all_shows>\n");
    return xml;
}

QByteArray KeypadState::showReplyXml(int index) const
{
    return xmlProlog + QByteArrayLiteral("<shows>\n<currentShow>") + QByteArray::number(m_current + 1)
        + QByteArrayLiteral("</currentShow>\n") + showElement(index, playedScene(index))
        + QByteArrayLiteral("\n</shows>\n");
}

QByteArray KeypadState::configXml() const
{
    QByteArray switches;
    for (int i = 0; i < switchCount; ++i) {
        if (i > 0)
            switches += ',';
        switches += m_switches.at(i) ? '1' : '0';
    }
    return xmlProlog + QByteArrayLiteral("<config>\n") + property("name", xmlText(m_name))
        + property("ip", m_ip.toLatin1()) + property("version", xmlText(m_version))
        + property("global_profile", QByteArray::number(m_fixtureClass))
        + property("universe", QByteArray::number(m_universe)) + property("dravon", QByteArray::number(m_dravon))
        + property("num_ports", QByteArray::number(m_ports)) + property("num_lights", QByteArray::number(m_lights))
        + property("brightness", m_brightness < 0 ? QByteArray("off") : QByteArray::number(m_brightness))
        + property("switch_state", switches) + QByteArrayLiteral("</config>\n");
}
