// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"
#include "ovrcolor.h"

#include <QVector>
#include <QWidget>

#include <memory>

namespace OvrColorPickerLib {

class DmxSlidersWidget;
class ProfileSelector;

/**
 * The channel page: a fixture profile and one DMX slider per channel of it.
 * The levels make an n-channel colour of that profile; a colour set on the
 * page is shown as the levels it has on the chosen fixture.
 */
class NChannelPickerWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(NChannelPickerWidget)

public:
    explicit NChannelPickerWidget(QWidget *parent = nullptr);
    ~NChannelPickerWidget() override;

    OvrColor color() const;
    QString uid() const;
    ColorUtils::PrismalProfileID profile() const;
    ProfileSelector *profileSelector() const;
    DmxSlidersWidget *dmxSliders() const;

public slots:
    /** Shows a colour; an n-channel colour selects its own profile. Emits nothing. */
    void setColor(const OvrColor &color, const QString &uid = QString());
    /** Rebuilds the sliders for a profile and shows the colour on it; emits colorChanged. */
    void onPrismalProfileChanged(ColorUtils::PrismalProfileID profile);
    /** Builds the n-channel colour of the levels; emits colorChanged. */
    void onDmxChanged(const QVector<int> &levels);

signals:
    void colorChanged(OvrColor &color, QString &uid);

private:
    void showProfile(ColorUtils::PrismalProfileID profile);
    void showLevels();

    class Private;
    std::unique_ptr<Private> d;
};

} // namespace OvrColorPickerLib
