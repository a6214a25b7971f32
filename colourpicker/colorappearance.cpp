// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorappearance.h"

#include "ovrcolor.h"
#include "tristimulus.h"
#include "tristimulusfactory.h"

#include <QHash>

namespace OvrColorPickerLib {

// Repaints ask for the same few colours again and again (a strip of six, the
// swatches, a tree of library colours); the conversion solves a channel mix,
// so remember the answers for the current fixture class.
class ColorAppearance::Cache
{
public:
    static constexpr int Limit = 4096;
    QHash<QString, QRgb> shown;
};

ColorAppearance::ColorAppearance()
    : m_cache(new Cache)
{
    setObjectName(QStringLiteral("ColorAppearance"));
}

ColorAppearance::~ColorAppearance()
{
    delete m_cache;
}

ColorAppearance *ColorAppearance::instance()
{
    // Lives as long as the process, like the colour library's tables.
    static ColorAppearance *appearance = new ColorAppearance;
    return appearance;
}

void ColorAppearance::setFixtureClass(int fixtureClass)
{
    if (fixtureClass < 0 || fixtureClass >= ColorUtils::PrismalProfileCount)
        fixtureClass = ColorUtils::ProfileGenericRGB;
    if (fixtureClass == m_fixtureClass)
        return;
    m_fixtureClass = ColorUtils::PrismalProfileID(fixtureClass);
    m_cache->shown.clear();
    emit fixtureClassChanged(fixtureClass);
}

void ColorAppearance::setKeptForm(KeptForm form)
{
    if (form == m_keptForm)
        return;
    m_keptForm = form;
    m_cache->shown.clear();
}

OvrColor ColorAppearance::kept(const OvrColor &color)
{
    const OvrColor text(color.aName());
    const KeptForm form = instance()->m_keptForm;
    return form ? form(text) : text;
}

QColor ColorAppearance::shown(const OvrColor &color)
{
    // Of the colour as it is kept (see sentText()).
    if (!color.isValid())
        return QColor(Qt::transparent);
    ColorAppearance *self = instance();
    const QString key = color.aName();
    const auto it = self->m_cache->shown.constFind(key);
    if (it != self->m_cache->shown.constEnd())
        return QColor::fromRgb(*it);
    const QColor result = ColorUtils::displayColor(kept(color), self->m_fixtureClass);
    if (self->m_cache->shown.size() >= Cache::Limit)
        self->m_cache->shown.clear();
    self->m_cache->shown.insert(key, result.rgb());
    return result;
}

QString ColorAppearance::sentText(const OvrColor &color)
{
    if (!color.isValid())
        return QString();
    const ColorUtils::PrismalProfileID fixtureClass = instance()->m_fixtureClass;
    unsigned char levels[3];
    // Hosts keep a colour by its text form, which holds a white's x and y to
    // six decimals, or by their own kept form: the levels sent are those of
    // the colour as kept.
    ColorUtils::threeChannelLevels(kept(color), fixtureClass, levels);
    if (ColorUtils::nChannelConfigurationForPrismalProfileID(fixtureClass) == ColorUtils::ConfigRGB) {
        return tr("Sent: %1, %2, %3")
            .arg(int(levels[0]))
            .arg(int(levels[1]))
            .arg(int(levels[2]));
    }
    const Tristimulus *tri =
        TristimulusFactory::getInstance()->getTristimulus(fixtureClass, ColorUtils::ConfigRGB);
    const QStringList names = tri ? tri->getChannelNames() : QStringList();
    QStringList parts;
    for (int k = 0; k < 3; ++k) {
        parts << QStringLiteral("%1 %2")
                     .arg(names.value(k, QString::number(k + 1)))
                     .arg(int(levels[k]));
    }
    return tr("Sent: %1")
        .arg(parts.join(QStringLiteral(", ")));
}

} // namespace OvrColorPickerLib
