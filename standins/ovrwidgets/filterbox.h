// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace OvrWidgetsLib {

class LineEditClearButton;

/**
 * A line edit for filtering lists: emits filterChanged() with its text as
 * the user types, shows a LineEditClearButton inside its right edge while
 * it holds text, and clears on that button or on Escape.
 */
class FilterBox : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY(FilterBox)
public:
    explicit FilterBox(QWidget *parent = nullptr);
    ~FilterBox() override;

    LineEditClearButton *clearButton() const { return m_clearButton; }

public slots:
    /** Empties the box; emits filterChanged("") if it held text. */
    void clearFilter();

signals:
    void filterChanged(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void placeClearButton();

    LineEditClearButton *m_clearButton;
};

} // namespace OvrWidgetsLib
