// SPDX-License-Identifier: GPL-3.0-or-later
#include "msphandler.h"

#include "modellogging.h"
#include "mspcommlink.h"
#include "mspcustomwasheffect.h"
#include "mspeffect.h"
#include "mspeffectfactory.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "systemconfiguration.h"

#include <QCoreApplication>
#include <QXmlInputSource>
#include <QXmlSimpleReader>

QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED

namespace {

const QString configPath = QStringLiteral("/api/v1/config");

// Switches in switch_state order: scenes 1..8, On/Off (9), Up (10), Down (11).
constexpr int switchCount = 11;

// Stops the reading at the first fatal error and remembers where it was.
class FirstError final : public QXmlErrorHandler
{
public:
    explicit FirstError(MSPHandler::ParseError *error)
        : m_error(error)
    {
    }
    bool warning(const QXmlParseException &) override { return true; }
    bool error(const QXmlParseException &) override { return true; }
    bool fatalError(const QXmlParseException &exception) override
    {
        *m_error = {exception.lineNumber(), exception.columnNumber(), exception.message()};
        return false;
    }
    QString errorString() const override { return QString(); }

private:
    MSPHandler::ParseError *const m_error;
};

} // namespace

bool MSPHandler::read(QIODevice *device, ParseError *error)
{
    QXmlSimpleReader reader;
    // Neither the keypad nor a file uses XML namespaces, and the handler
    // goes by qualified names alone: the reader need not resolve them.
    reader.setFeature(QStringLiteral("http://xml.org/sax/features/namespaces"), false);
    reader.setFeature(QStringLiteral("http://xml.org/sax/features/namespace-prefixes"), true);
    reader.setContentHandler(this);
    FirstError firstError(error);
    if (error)
        reader.setErrorHandler(&firstError);
    else
        reader.setErrorHandler(this);
    QXmlInputSource source(device);
    return reader.parse(&source);
}

MSPHandler::MSPHandler(bool online, MSPSceneModel *model, SystemConfiguration *config, MSPCommLink *comm)
    : m_online(online)
    , m_model(model ? model : MSPSceneModel::instance())
    , m_config(config ? config : SystemConfiguration::instance())
    , m_comm(comm ? comm : MSPCommLink::instance())
    , m_fixtureClass(m_config->fixtureClass())
    , m_currentColor(OvrColor::fromRgb8(0, 0, 0))
{
}

MSPHandler::~MSPHandler()
{
    // A document that breaks off inside all_shows never reaches its end tag;
    // posts must not stay suspended for the rest of the session.
    if (m_suspendedPosts)
        m_comm->setPostsSuspended(false);
}

bool MSPHandler::startElement(const QString &, const QString &, const QString &qName, const QXmlAttributes &)
{
    // Each element's text is its own character data only: an empty element
    // reads as empty rather than as whatever came before it.
    m_text.clear();
    if (qName == QLatin1String("all_shows")) {
        // Applying the keypad's own shows must not post them back to it.
        m_comm->setPostsSuspended(!m_online);
        m_suspendedPosts = !m_online;
    } else if (qName == QLatin1String("show")) {
        // Nothing of the previous show may leak into this one (a show
        // without a path would otherwise overwrite the previous scene).
        clearShowState();
    } else if (qName == QLatin1String("parameters")) {
        m_params.clear();
        m_colorYxy = Yxy();
        m_effectYxy = Yxy();
    } else if (qName == QLatin1String("customColors")) {
        m_colors.clear();
    } else if (qName == QLatin1String("color")) {
        m_colorYxy = Yxy();
    }
    return true;
}

bool MSPHandler::characters(const QString &ch)
{
    // The reader may deliver one text in pieces (around entities).
    m_text += ch;
    return true;
}

bool MSPHandler::endElement(const QString &, const QString &, const QString &qName)
{
    bool ok = true;
    if (qName == QLatin1String("all_shows")) {
        m_comm->setPostsSuspended(false);
        m_suspendedPosts = false;
        qCDebug(lcKeypadModel) << "all shows";
        if (m_online && m_currentShowIndex >= 0) {
            MSPCommLink::waitProcessingEvents(showPause);
            m_comm->requestShow(m_currentShowIndex, true);
        }
    } else if (qName == QLatin1String("currentShow")) {
        const int show = textAsInt();
        if (show >= 1 && show <= MSPSceneModel::sceneCount)
            m_currentShowIndex = show - 1;
        else
            qCWarning(lcKeypadModel) << "ignored current show" << m_text;
    } else if (qName == QLatin1String("brightness")) {
        if (!m_online)
            m_config->setBrightness(m_text.trimmed() == QLatin1String("off") ? SystemConfiguration::brightnessOff
                                                                             : textAsInt());
    } else if (qName == QLatin1String("url")) {
        m_url = m_text;
    } else if (qName == QLatin1String("effect")) {
        m_effectType = textAsInt();
    } else if (qName == QLatin1String("param")) {
        m_params.append(m_text);
    } else if (qName == QLatin1String("numColors")) {
        m_numColors = textAsInt();
    } else if (qName == QLatin1String("value")) {
        m_value = m_text;
    } else if (qName == QLatin1String("parameters")) {
        m_effectYxy = m_colorYxy;
    } else if (qName == QLatin1String("by")) {
        m_colorYxy.Y = textAsCoordinate(1000.0);
    } else if (qName == QLatin1String("x")) {
        m_colorYxy.x = textAsCoordinate(10000.0);
    } else if (qName == QLatin1String("y")) {
        m_colorYxy.y = textAsCoordinate(10000.0);
    } else if (qName == QLatin1String("red")) {
        m_currentColor.setRed8(qBound(0, textAsInt(), 255));
    } else if (qName == QLatin1String("grn")) {
        m_currentColor.setGreen8(qBound(0, textAsInt(), 255));
    } else if (qName == QLatin1String("blu")) {
        m_currentColor.setBlue8(qBound(0, textAsInt(), 255));
    } else if (qName == QLatin1String("color")) {
        if (!m_colorYxy.isZero()) {
            // A colour given in Yxy wins over its red, green and blue,
            // unless no colour can have those values.
            OvrColor yxy;
            yxy.setY(m_colorYxy.Y);
            yxy.setx(m_colorYxy.x);
            yxy.sety(m_colorYxy.y);
            if (yxy.isValid() && m_colorYxy.Y <= 1.0f && m_colorYxy.x <= 1.0f && m_colorYxy.y <= 1.0f)
                m_currentColor = yxy;
            else
                qCWarning(lcKeypadModel) << "ignored out-of-range Yxy colour" << m_colorYxy.Y << m_colorYxy.x
                                         << m_colorYxy.y;
        }
        m_colors.emplace_back(new OvrColor(m_currentColor));
    } else if (qName == QLatin1String("show")) {
        endShow();
    } else if (qName == QLatin1String("config")) {
        endConfig();
    } else if (qName == QLatin1String("property")) {
        ok = endProperty();
    }
    m_text.clear();
    return ok;
}

void MSPHandler::clearShowState()
{
    m_url.clear();
    m_params.clear();
    m_colors.clear();
    m_numColors = 0;
    m_effectType = -1;
    m_colorYxy = Yxy();
    m_effectYxy = Yxy();
}

QList<OvrColor *> MSPHandler::colorPointers() const
{
    QList<OvrColor *> colors;
    colors.reserve(int(m_colors.size()));
    for (const auto &color : m_colors)
        colors.append(color.get());
    return colors;
}

void MSPHandler::endShow()
{
    // The scene is named by the last character of its path, "1".."8".
    const QChar last = m_url.isEmpty() ? QChar() : m_url.at(m_url.size() - 1);
    if (last < QLatin1Char('1') || last > QLatin1Char('8')) {
        qCWarning(lcKeypadModel) << "skipped show with path" << m_url;
        m_refusals << QCoreApplication::translate("MSPHandler", "A scene has the path \"%1\", which names no scene "
                                                                "from 1 to 8")
                          .arg(m_url.left(80));
        return;
    }
    const int index = last.unicode() - '1';
    MSPScene *scene = m_model->sceneAt(index);
    if (!scene || m_keptScenes.contains(index))
        return;
    if (!checkShow(index))
        qCDebug(lcKeypadModel) << "show" << index + 1 << "cannot be taken:" << m_refusals.constLast();

    // A show read from the keypad (the answer to a scene press or to Undo) is
    // what the keypad already plays: applying it must not post it back.
    const bool suspendPosts = !m_online && !m_comm->postsSuspended();
    if (suspendPosts)
        m_comm->setPostsSuspended(true);
    const QList<OvrColor *> colors = colorPointers();
    MSPEffect *effect = scene->effect();
    if (effect && effect->type() == m_effectType) {
        effect->setParameters(m_params, colors, m_numColors, m_fixtureClass, m_effectYxy.Y, m_effectYxy.x,
                              m_effectYxy.y);
    } else {
        m_pendingEffect = MSPEffectFactory::instance()->create(m_effectType, nullptr);
        if (m_pendingEffect) {
            m_pendingEffect->setParameters(m_params, colors, m_numColors, m_fixtureClass, m_effectYxy.Y,
                                           m_effectYxy.x, m_effectYxy.y);
        }
        if (m_pendingEffect || scene->effect())
            scene->setEffect(m_pendingEffect, true);
    }
    scene->setUrl(m_url);
    m_pendingEffect = nullptr;
    if (suspendPosts)
        m_comm->setPostsSuspended(false);

    if (m_online) {
        const QString body = scene->formData();
        const QString path = scene->url();
        m_comm->requestShow(index, true);
        MSPCommLink::waitProcessingEvents(showPause);
        m_comm->postToDevice(path, body, false, false, true);
        MSPCommLink::waitProcessingEvents(showPause);
    }
}

bool MSPHandler::checkShow(int index)
{
    const int number = index + 1;
    const std::unique_ptr<MSPEffect> probe(MSPEffectFactory::instance()->create(m_effectType, nullptr));
    if (!probe) {
        m_refusals << QCoreApplication::translate("MSPHandler", "Scene %1 has the effect type %2, which the keypad "
                                                                "does not play")
                          .arg(number)
                          .arg(m_effectType);
        return false;
    }
    const QString effectName = MSPEffect::effectTypeName(m_effectType);
    const int slotCount = MSPEffect::maximumColors;
    const int held = int(m_colors.size());
    const int named = qBound(0, m_numColors, slotCount);
    const bool carriesColors = qobject_cast<MSPCustomWashEffect *>(probe.get()) != nullptr;
    if (held > slotCount) {
        // Older files carry more colour slots than the keypad has: the
        // scene keeps the first six, and the user learns which scene.
        if (carriesColors && m_numColors > slotCount) {
            m_notices << QCoreApplication::translate("MSPHandler", "Scene %1 (%2) holds %3 colors; the keypad plays "
                                                                   "six, so the first six were kept.")
                             .arg(number)
                             .arg(effectName)
                             .arg(qMin(m_numColors, held));
        }
        m_colors.resize(slotCount);
    } else if (held < slotCount && named <= held) {
        // Unused slots left out: they are black, as the keypad writes them.
        while (int(m_colors.size()) < slotCount)
            m_colors.emplace_back(new OvrColor(OvrColor::fromRgb8(0, 0, 0)));
    }
    if (probe->acceptsParameters(m_params.size(), int(m_colors.size()), !m_effectYxy.isZero()))
        return true;
    if (carriesColors && int(m_colors.size()) < slotCount) {
        m_refusals << QCoreApplication::translate("MSPHandler", "Scene %1 (%2) names %3 colors but holds only %4")
                          .arg(number)
                          .arg(effectName)
                          .arg(named)
                          .arg(held);
    } else {
        m_refusals << QCoreApplication::translate("MSPHandler", "Scene %1 (%2) has parameters the effect cannot read")
                          .arg(number)
                          .arg(effectName);
    }
    return false;
}

void MSPHandler::endConfig()
{
    if (!m_online)
        return;
    MSPCommLink::waitProcessingEvents(showPause);
    m_config->setBrightness(255);
    const QStringList bodies = m_config->formBodies(false, true);
    for (int i = 0; i < bodies.size(); ++i) {
        m_comm->postToDevice(configPath, bodies.at(i), i + 1 < bodies.size(), false, true);
        MSPCommLink::waitProcessingEvents(configPause);
    }
}

bool MSPHandler::endProperty()
{
    qCDebug(lcKeypadModel) << "got property" << m_url;
    const QStringList parts = m_url.split(QLatin1Char('/'));
    if (parts.isEmpty())
        return true;
    const QString key = parts.last();
    const int number = m_value.trimmed().toInt();
    if (key == QLatin1String("name")) {
        m_config->setName(m_value);
    } else if (key == QLatin1String("ip")) {
        m_config->setIpAddress(m_value);
    } else if (key == QLatin1String("universe")) {
        m_config->setUniverse(number);
    } else if (key == QLatin1String("dravon")) {
        m_config->setDravonMode(number);
    } else if (key == QLatin1String("num_ports")) {
        m_config->setNumberOfPorts(number);
    } else if (key == QLatin1String("num_lights")) {
        m_config->setLightsPerPort(number);
    } else if (key == QLatin1String("brightness")) {
        if (!m_online)
            m_config->setBrightness(m_value.trimmed() == QLatin1String("off") ? SystemConfiguration::brightnessOff
                                                                              : number);
    } else if (key == QLatin1String("version")) {
        m_config->setVersion(m_value);
    } else if (key == QLatin1String("switch_state")) {
        return applySwitchState();
    } else if (key == QLatin1String("global_profile")) {
        m_config->setFixtureClass(number);
    }
    return true;
}

bool MSPHandler::applySwitchState()
{
    qCDebug(lcKeypadModel) << "got switch state" << m_value;
    const QStringList entries = m_value.split(QLatin1Char(','));
    if (entries.size() != switchCount)
        return true;
    for (const QString &entry : entries) {
        if (entry != QLatin1String("0") && entry != QLatin1String("1")) {
            qCWarning(lcKeypadModel) << "bad switch state" << m_value;
            return false;
        }
    }
    // One configuration-changed notification for the whole set, with the last.
    for (int i = 0; i < switchCount; ++i)
        m_config->setSwitchEnabled(i + 1, entries.at(i) == QLatin1String("1"), i + 1 == switchCount);
    return true;
}

namespace {

// A document holds thousands of small numbers; most are a few plain digits,
// which need not go through the general conversion. Anything else (a sign,
// white space, more digits) takes the general way and reads as it did.
bool readPlainDigits(const QString &text, int *value)
{
    const int size = text.size();
    if (size == 0 || size > 9)
        return false;
    int result = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        result = result * 10 + (c.unicode() - '0');
    }
    *value = result;
    return true;
}

} // namespace

int MSPHandler::textAsInt() const
{
    int value = 0;
    if (readPlainDigits(m_text, &value))
        return value;
    return m_text.trimmed().toInt();
}

float MSPHandler::textAsCoordinate(double scale) const
{
    int plain = 0;
    if (readPlainDigits(m_text, &plain))
        return plain <= 0xFFFF ? float(plain / scale) : 0.0f;
    bool ok = false;
    const ushort value = m_text.trimmed().toUShort(&ok);
    return ok ? float(value / scale) : 0.0f;
}

bool MSPHandler::fatalError(const QXmlParseException &exception)
{
    qCDebug(lcKeypadModel) << "XML error at line" << exception.lineNumber() << "column"
                           << exception.columnNumber() << exception.message();
    return true;
}

QString MSPHandler::errorString() const
{
    return QString();
}

QT_WARNING_POP
