// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

namespace OvrWidgetsLib {

/**
 * The small round "x" button that sits inside a line edit and clears it.
 * It is sized from the font, takes no focus (Escape clears from the
 * keyboard) and draws itself in the palette's text colour.
 */
class LineEditClearButton : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY(LineEditClearButton)
public:
    explicit LineEditClearButton(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_hovered = false;
};

} // namespace OvrWidgetsLib
