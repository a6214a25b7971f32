// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspeffectwidget.h"

#include <connectionstate.h>
#include <mspeffect.h>
#include <ovrcolor.h>
#include <ovrcolorlibrary.h>
#include <systemconfiguration.h>

namespace {

// Index 1 is the slowest: the length of one cycle of the effect.
const char *const colorWashSpeeds[] = {
    "10 m", "9 m", "8 m", "7 m", "6 m", "5 m", "4 m", "3 m", "2 m", "1.75 m", "1.5 m",
    "1.25 m", "1 m", "50 s", "40 s", "30 s", "20 s", "19 s", "18 s", "17 s", "16 s", "15 s",
    "14 s", "13 s", "12 s", "11 s", "10 s", "9 s", "8 s", "7 s", "6 s", "5 s"};
const char *const customWashSpeeds[] = {
    "10 m", "5 m", "4 m", "3 m", "2 m", "1.75 m", "1.5 m", "1.25 m", "1 m", "50 s", "40 s",
    "30 s", "20 s", "19 s", "18 s", "17 s", "16 s", "15 s", "14 s", "13 s", "12 s", "11 s",
    "10 s", "9 s", "8 s", "7 s", "6 s", "5 s", "4 s", "3 s", "2 s", "1 s"};
constexpr int speedCount = 32;
static_assert(sizeof(colorWashSpeeds) / sizeof(colorWashSpeeds[0]) == speedCount, "32 speeds");
static_assert(sizeof(customWashSpeeds) / sizeof(customWashSpeeds[0]) == speedCount, "32 speeds");

} // namespace

MSPEffectWidget::MSPEffectWidget(QWidget *parent)
    : QWidget(parent)
{
}

MSPEffectWidget::~MSPEffectWidget() = default;

QString MSPEffectWidget::colorWashSpeedLabel(int index)
{
    return QString::fromLatin1(colorWashSpeeds[qBound(1, index, speedCount) - 1]);
}

QString MSPEffectWidget::customWashSpeedLabel(int index)
{
    return QString::fromLatin1(customWashSpeeds[qBound(1, index, speedCount) - 1]);
}

QString MSPEffectWidget::pickerPagesFirmware()
{
    return QStringLiteral("1.1.19");
}

bool MSPEffectWidget::pickerPagesAllowed()
{
    return ConnectionState::instance()->state() == ConnectionState::DemoMode
        || SystemConfiguration::instance()->isVersionNewerThan(pickerPagesFirmware());
}

bool MSPEffectWidget::isEffectOfClass(const MSPEffect *effect, const QMetaObject &meta)
{
    return effect && effect->metaObject() == &meta;
}

bool MSPEffectWidget::setEffect(MSPEffect *effect)
{
    Q_UNUSED(effect)
    return false;
}

void MSPEffectWidget::clearPreviousSelection()
{
}

QString MSPEffectWidget::speedLabel(int index)
{
    Q_UNUSED(index)
    return QString();
}

void MSPEffectWidget::handleAddToFavorites(OvrColor color, const QString &uid, const QString &list)
{
    if (!color.isValid() || list.isEmpty())
        return;
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    // Never into a read-only list of that name, where it would not be saved.
    const QString target = library->modifiableList(list);
    // The picker stores the colour itself before it reports the addition;
    // one favourite must not become two entries.
    if (library->getColors(target).contains(color))
        return;
    const QString name = uid.isEmpty() ? QString() : library->getColorName(uid);
    library->createColorWithName(color, name, target);
}
