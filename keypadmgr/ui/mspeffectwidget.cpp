// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspeffectwidget.h"

#include "connectionstate.h"
#include "mspeffect.h"
#include "ovrcolor.h"
#include "ovrcolorlibrary.h"
#include "systemconfiguration.h"

#include <QAbstractSlider>
#include <QFontMetrics>
#include <QLocale>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

// Index 1 is the slowest: the length of one cycle of the effect, in seconds.
const int colorWashSpeeds[] = {
    600, 540, 480, 420, 360, 300, 240, 180, 120, 105, 90, 75, 60, 50, 40, 30, 20, 19, 18, 17, 16, 15,
    14, 13, 12, 11, 10, 9, 8, 7, 6, 5};
const int customWashSpeeds[] = {
    600, 300, 240, 180, 120, 105, 90, 75, 60, 50, 40, 30, 20, 19, 18, 17, 16, 15, 14, 13, 12, 11,
    10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
constexpr int speedCount = 32;
static_assert(sizeof(colorWashSpeeds) / sizeof(colorWashSpeeds[0]) == speedCount, "32 speeds");
static_assert(sizeof(customWashSpeeds) / sizeof(customWashSpeeds[0]) == speedCount, "32 speeds");

} // namespace

MSPEffectWidget::MSPEffectWidget(QWidget *parent)
    : QWidget(parent)
{
}

MSPEffectWidget::~MSPEffectWidget() = default;

QString MSPEffectWidget::cycleLengthText(int seconds)
{
    // Whole minutes and their quarters ("1.75 m"), then seconds.
    if (seconds >= 60)
        return tr("%1 m", "minutes of one cycle").arg(QLocale().toString(seconds / 60.0));
    return tr("%1 s", "seconds of one cycle").arg(seconds);
}

QString MSPEffectWidget::colorWashSpeedLabel(int index)
{
    return cycleLengthText(colorWashSpeeds[qBound(1, index, speedCount) - 1]);
}

QString MSPEffectWidget::customWashSpeedLabel(int index)
{
    return cycleLengthText(customWashSpeeds[qBound(1, index, speedCount) - 1]);
}

int MSPEffectWidget::speedLabelWidth(const QFontMetrics &metrics)
{
    int widest = 0;
    for (int index = 1; index <= speedCount; ++index) {
        widest = qMax(widest, metrics.horizontalAdvance(colorWashSpeedLabel(index)));
        widest = qMax(widest, metrics.horizontalAdvance(customWashSpeedLabel(index)));
    }
    return widest + 4;
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

void MSPEffectWidget::reportDrag(const QAbstractSlider *slider)
{
    if (slider->isSliderDown())
        emit intermediateChange();
}

void MSPEffectWidget::showQuietly(QSpinBox *edit, int value)
{
    if (edit->value() == value)
        return;
    const QSignalBlocker blocker(edit);
    edit->setValue(value);
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
    library->createColorWithName(color, library->suggestedName(color, uid), target);
}
