// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"

#include <QMetaType>
#include <QWidget>

class QComboBox;

namespace OvrColorPickerLib {

/** Chooses one of the fixture profiles by name. */
class ProfileSelector : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ProfileSelector)
    Q_PROPERTY(int profile READ profile WRITE setProfile NOTIFY selectedProfile USER true)

public:
    explicit ProfileSelector(QWidget *parent = nullptr);

    int profile() const;
    QComboBox *comboBox() const { return m_combo; }

public slots:
    /** Shows a profile; emits nothing. An unknown id is ignored. */
    void setProfile(int profile);

signals:
    /** The user chose another profile. */
    void selectedProfile(ColorUtils::PrismalProfileID profile);

private:
    QComboBox *m_combo = nullptr;
};

} // namespace OvrColorPickerLib

Q_DECLARE_METATYPE(ColorUtils::PrismalProfileID)
