// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bandpickerwidget.h"

#include <memory>

namespace OvrColorPickerLib {

/**
 * A horizontal band of the tints of one CCT, from the full magenta tint on the
 * left through the black-body locus in the middle to the full green tint on
 * the right, with a marker at the current tint.
 */
class TintPickerWidget : public BandPickerWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(TintPickerWidget)
    Q_PROPERTY(int tint READ tint WRITE setTint NOTIFY tintChanged USER true)
    Q_PROPERTY(int cct READ cct WRITE setCCT)

public:
    explicit TintPickerWidget(QWidget *parent = nullptr);
    ~TintPickerWidget() override;

    int tint() const { return markedValue(); }
    int cct() const;
    int positionForTint(int tint) const;
    int tintAtPosition(int x) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    /** Moves the marker; emits nothing. */
    void setTint(int tint) { setMarkedValue(tint); }
    /** The CCT whose tints the band shows. */
    void setCCT(int cct);

signals:
    /** The user moved the marker. */
    void tintChanged(int tint);

protected:
    void paintEvent(QPaintEvent *event) override;
    /** The keys of the band, and 0 for the black-body locus. */
    void keyPressEvent(QKeyEvent *event) override;
    int valueAt(int x) const override;
    int validValue(int value) const override;
    Steps steps() const override;
    QRect bandRect() const override;
    OvrColor bandColorAt(int x) const override;

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace OvrColorPickerLib
