// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspscene.h"

#include "modellogging.h"
#include "mspeffect.h"
#include "mspwiretext.h"
#include "ovrcolor.h"
#include "systemconfiguration.h"

#include <memory>
#include <vector>

namespace {

// The effect's wire form; the colours are owned here and capped at the six
// slots the keypad has, so neither writer can produce more.
struct WireForm
{
    QStringList params;
    std::vector<std::unique_ptr<OvrColor>> colors;
    float Y = 0.0f;
    float x = 0.0f;
    float y = 0.0f;

    explicit WireForm(MSPEffect *effect)
    {
        QList<OvrColor *> raw;
        effect->getParameters(params, raw, Y, x, y);
        for (OvrColor *color : qAsConst(raw))
            colors.emplace_back(color);
        if (colors.size() > size_t(MSPEffect::maximumColors)) {
            qCWarning(lcKeypadModel) << "scene has" << colors.size() << "colours; only the first"
                                     << MSPEffect::maximumColors << "are sent";
            colors.resize(MSPEffect::maximumColors);
        }
    }
};

struct ColorWire
{
    int rgb[3];
    double Y = 0.0;
    double x = 0.0;
    double y = 0.0;

    ColorWire(const OvrColor &color, ColorUtils::PrismalProfileID fixtureClass)
    {
        MSPEffect::colorToChannels(color, fixtureClass, rgb);
        if (color.spec() == OvrColor::Yxy) {
            Y = color.getY();
            x = color.getx();
            y = color.gety();
        }
    }
};

} // namespace

MSPScene::MSPScene(QObject *parent)
    : QObject(parent)
{
}

MSPScene::~MSPScene() = default;

void MSPScene::setEffect(MSPEffect *effect, bool emitSignal)
{
    if (effect == m_effect) {
        // Releasing the effect we keep would leave a dangling pointer.
        qCWarning(lcKeypadModel) << "scene given the effect it already holds";
        return;
    }
    if (m_effect) {
        disconnect(m_effect, nullptr, this, nullptr);
        m_effect->deleteLater();
    }
    m_effect = effect;
    if (!m_effect)
        return;
    m_effect->setParent(this);
    connect(m_effect, &MSPEffect::effectParamsChanged, this, &MSPScene::handleEffectParamsChanged);
    if (emitSignal)
        emit effectChanged(this);
}

void MSPScene::handleEffectParamsChanged()
{
    emit effectParamsChanged(this);
}

QString MSPScene::formData() const
{
    if (!m_effect)
        return QString();
    const WireForm wire(m_effect);
    QString body = QLatin1String("effect=") % QString::number(m_effect->type());
    for (int i = 0; i < wire.params.size(); ++i) {
        body += QLatin1String("&param") % QString::number(i + 1) % QLatin1Char('=')
                % MSPWireText::formEncoded(wire.params.at(i));
    }
    body += QLatin1String("&param_xy=(") % MSPWireText::unsignedCoordinate(double(wire.x) * 10000)
            % QLatin1Char(',') % MSPWireText::unsignedCoordinate(double(wire.y) * 10000) % QLatin1Char(',')
            % MSPWireText::unsignedCoordinate(double(wire.Y) * 1000) % QLatin1Char(')');
    body += QLatin1String("&num_colors=") % QString::number(int(wire.colors.size()));

    const ColorUtils::PrismalProfileID fixtureClass = SystemConfiguration::instance()->fixtureClass();
    int number = 0;
    for (const auto &color : wire.colors) {
        const ColorWire c(*color, fixtureClass);
        const QString n = QString::number(++number);
        body += QLatin1String("&color") % n % QLatin1String("=(") % QString::number(c.rgb[0]) % QLatin1Char(',')
                % QString::number(c.rgb[1]) % QLatin1Char(',') % QString::number(c.rgb[2]) % QLatin1Char(')');
        body += QLatin1String("&custom_xy_") % n % QLatin1String("=(")
                % MSPWireText::unsignedCoordinate(c.x * 10000) % QLatin1Char(',')
                % MSPWireText::unsignedCoordinate(c.y * 10000) % QLatin1Char(',')
                % MSPWireText::unsignedCoordinate(c.Y * 1000) % QLatin1Char(')');
    }
    return body;
}

QString MSPScene::XMLData() const
{
    if (!m_effect)
        return QString();
    const WireForm wire(m_effect);
    const auto yxy = [](double Y, double x, double y) -> QString {
        return QLatin1String("<by>") % MSPWireText::signedCoordinate(Y * 1000) % QLatin1String("</by><x>")
                % MSPWireText::signedCoordinate(x * 10000) % QLatin1String("</x><y>")
                % MSPWireText::signedCoordinate(y * 10000) % QLatin1String("</y>");
    };

    QString xml = QLatin1String("<show><url>") % MSPWireText::xmlEscaped(m_url) % QLatin1String("</url>\n<effect>")
            % QString::number(m_effect->type()) % QLatin1String("</effect>\n<parameters>");
    for (const QString &param : wire.params)
        xml += QLatin1String("<param>") % MSPWireText::xmlEscaped(param) % QLatin1String("</param>");
    for (int i = wire.params.size(); i < 3; ++i)
        xml += QLatin1String("<param>0</param>");
    xml += yxy(wire.Y, wire.x, wire.y) % QLatin1String("</parameters>");
    xml += QLatin1String("<numColors>") % QString::number(int(wire.colors.size()))
            % QLatin1String("</numColors>\n<customColors>");

    const ColorUtils::PrismalProfileID fixtureClass = SystemConfiguration::instance()->fixtureClass();
    for (const auto &color : wire.colors) {
        const ColorWire c(*color, fixtureClass);
        xml += QLatin1String("<color>\n<red>") % QString::number(c.rgb[0]) % QLatin1String("</red>\n<grn>")
                % QString::number(c.rgb[1]) % QLatin1String("</grn>\n<blu>") % QString::number(c.rgb[2])
                % QLatin1String("</blu>\n") % yxy(c.Y, c.x, c.y) % QLatin1String(" </color>");
    }
    for (int i = int(wire.colors.size()); i < MSPEffect::maximumColors; ++i)
        xml += QLatin1String("<color><red>0</red>\n<grn>0</grn>\n<blu>0</blu><by>0</by><x>0</x><y>0</y>\n</color>");
    xml += QLatin1String("\n</customColors>\n</show>");
    qCDebug(lcKeypadModel).noquote() << xml;
    return xml;
}

#include "moc_mspscene.cpp"
