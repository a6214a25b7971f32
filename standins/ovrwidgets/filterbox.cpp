// SPDX-License-Identifier: GPL-3.0-or-later
#include "filterbox.h"

#include "lineeditclearbutton.h"

#include <QKeyEvent>
#include <QStyle>

namespace OvrWidgetsLib {

FilterBox::FilterBox(QWidget *parent)
    : QLineEdit(parent)
    , m_clearButton(new LineEditClearButton(this))
{
    setPlaceholderText(tr("Filter"));
    setAccessibleName(tr("Filter"));
    m_clearButton->setVisible(false);
    connect(m_clearButton, &QAbstractButton::clicked, this, &FilterBox::clearFilter);
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_clearButton->setVisible(!text.isEmpty());
        emit filterChanged(text);
    });
    // Keep typed text clear of the button.
    const int side = m_clearButton->sizeHint().width();
    setTextMargins(0, 0, side + style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this), 0);
    placeClearButton();
}

FilterBox::~FilterBox() = default;

void FilterBox::clearFilter()
{
    if (!text().isEmpty())
        clear();
}

void FilterBox::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    placeClearButton();
}

void FilterBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clearFilter();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FilterBox::placeClearButton()
{
    const QSize size = m_clearButton->sizeHint();
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    m_clearButton->setGeometry(width() - frame - size.width() - 1, (height() - size.height()) / 2, size.width(),
                               size.height());
}

} // namespace OvrWidgetsLib
