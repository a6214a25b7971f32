// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace OvrColorPickerLib {

/**
 * Accepts a colour as "#rgb", "#rrggbb" or "rrggbb" (any case, surrounding
 * blanks dropped); anything that cannot become one of those is refused as
 * it is typed or pasted.
 */
class HexColorValidator : public QValidator
{
    Q_OBJECT
    Q_DISABLE_COPY(HexColorValidator)
public:
    explicit HexColorValidator(QObject *parent = nullptr);
    State validate(QString &input, int &pos) const override;
    /** The colour of an acceptable text, else an invalid colour. */
    static QColor parse(const QString &text);
};

/**
 * Line edit for the colour's hexadecimal form. It shows the colour it is
 * given as "#RRGGBB"; Return or leaving the field with a complete text
 * reports the typed colour with colorEntered(), an incomplete text goes back
 * to the colour shown.
 */
class HexColorEdit : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY(HexColorEdit)
public:
    explicit HexColorEdit(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    /** Shows the colour (unless the user is typing a different one); emits nothing. */
    void setColor(const QColor &color);

signals:
    void colorEntered(const QColor &color);

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void commit();
    void showColor();

    QColor m_color;
};

} // namespace OvrColorPickerLib
