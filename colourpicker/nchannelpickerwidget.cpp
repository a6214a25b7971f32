// SPDX-License-Identifier: GPL-3.0-or-later
#include "nchannelpickerwidget.h"

#include "dmxsliderswidget.h"
#include "prismalprofile.h"
#include "prismalprofilefactory.h"
#include "profileselector.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace OvrColorPickerLib {

class NChannelPickerWidget::Private
{
public:
    ProfileSelector *selector = nullptr;
    DmxSlidersWidget *sliders = nullptr;
    ColorUtils::PrismalProfileID profile = ColorUtils::ProfileGenericRGB;
    OvrColor color = OvrColor(Qt::white);
    QString uid;

    ColorUtils::ChannelConfiguration configuration() const
    {
        return ColorUtils::nChannelConfigurationForPrismalProfileID(profile);
    }

    // The colour as levels of the chosen fixture.
    OvrColor onFixture() const
    {
        if (color.spec() == OvrColor::NChannel && color.getPrismalProfileID() == profile
            && color.getChannelConfiguration() == configuration())
            return color;
        return color.toNChannel16(configuration(), profile);
    }
};

NChannelPickerWidget::NChannelPickerWidget(QWidget *parent)
    : QWidget(parent)
    , d(new Private)
{
    d->selector = new ProfileSelector(this);
    d->selector->setObjectName(QStringLiteral("profileSelector"));
    d->sliders = new DmxSlidersWidget;
    d->sliders->setObjectName(QStringLiteral("dmxSliders"));
    // Five channels fit most pages; the area scrolls rather than squeezing
    // the sliders when the page is short.
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(d->sliders);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    auto *layout = new QVBoxLayout(this);
    // The picker frames its pages already.
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->selector);
    layout->addWidget(scroll, 1);

    connect(d->selector, &ProfileSelector::selectedProfile, this, &NChannelPickerWidget::onPrismalProfileChanged);
    connect(d->sliders, &DmxSlidersWidget::dmxChanged, this, &NChannelPickerWidget::onDmxChanged);
    showProfile(d->profile);
    showLevels();
}

NChannelPickerWidget::~NChannelPickerWidget() = default;

OvrColor NChannelPickerWidget::color() const
{
    return d->color;
}

QString NChannelPickerWidget::uid() const
{
    return d->uid;
}

ColorUtils::PrismalProfileID NChannelPickerWidget::profile() const
{
    return d->profile;
}

ProfileSelector *NChannelPickerWidget::profileSelector() const
{
    return d->selector;
}

DmxSlidersWidget *NChannelPickerWidget::dmxSliders() const
{
    return d->sliders;
}

void NChannelPickerWidget::showProfile(ColorUtils::PrismalProfileID profile)
{
    d->profile = profile;
    d->selector->setProfile(profile);
    QStringList names;
    if (const PrismalProfile *p = PrismalProfileFactory::instance()->getProfile(profile))
        names = p->getChannelNames();
    // A profile whose colour record does not name its channels (the single
    // channel fixture borrows the generic RGB record) gets plain names.
    const int count = ColorUtils::configChannelCount(d->configuration());
    if (names.size() != count) {
        names.clear();
        for (int i = 0; i < count; ++i)
            names.append(count == 1 ? tr("Intensity") : tr("Channel %1").arg(i + 1));
    }
    if (names != d->sliders->channelNames())
        d->sliders->setChannels(names);
}

void NChannelPickerWidget::showLevels()
{
    QVector<unsigned int> levels8;
    d->onFixture().getNChannel8(&levels8);
    QVector<int> levels;
    for (int i = 1; i < levels8.size(); ++i)
        levels.append(int(levels8.at(i)));
    d->sliders->setLevels(levels);
}

void NChannelPickerWidget::setColor(const OvrColor &color, const QString &uid)
{
    if (!color.isValid())
        return;
    d->color = color;
    d->uid = uid;
    if (color.spec() == OvrColor::NChannel)
        showProfile(color.getPrismalProfileID());
    showLevels();
}

void NChannelPickerWidget::onPrismalProfileChanged(ColorUtils::PrismalProfileID profile)
{
    if (profile == d->profile && d->color.spec() == OvrColor::NChannel)
        return;
    showProfile(profile);
    OvrColor converted = d->onFixture();
    d->color = converted;
    d->uid.clear();
    showLevels();
    emit colorChanged(d->color, d->uid);
}

void NChannelPickerWidget::onDmxChanged(const QVector<int> &levels)
{
    QVector<unsigned int> levels16;
    levels16.reserve(levels.size() + 1);
    levels16.append(unsigned(d->color.alpha16()));
    for (int level : levels)
        levels16.append(unsigned(qBound(0, level, 255)) * 257u);
    OvrColor color;
    color.setNChannel16(levels16, d->configuration(), d->profile);
    if (color == d->color)
        return;
    d->color = color;
    d->uid.clear();
    emit colorChanged(d->color, d->uid);
}

} // namespace OvrColorPickerLib
