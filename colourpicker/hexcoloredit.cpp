// SPDX-License-Identifier: GPL-3.0-or-later
#include "hexcoloredit.h"

#include <QFocusEvent>
#include <QRegularExpression>

namespace OvrColorPickerLib {

HexColorValidator::HexColorValidator(QObject *parent)
    : QValidator(parent)
{
}

QValidator::State HexColorValidator::validate(QString &input, int &pos) const
{
    // A pasted value often comes with blanks or a line break around it.
    const QString trimmed = input.trimmed();
    if (trimmed != input) {
        int leading = 0;
        while (leading < input.size() && input.at(leading).isSpace())
            ++leading;
        pos = qBound(0, pos - leading, trimmed.size());
        input = trimmed;
    }
    static const QRegularExpression partial(QStringLiteral("^#?[0-9A-Fa-f]{0,6}$"));
    if (!partial.match(input).hasMatch())
        return Invalid;
    return parse(input).isValid() ? Acceptable : Intermediate;
}

QColor HexColorValidator::parse(const QString &text)
{
    static const QRegularExpression complete(QStringLiteral("^(?:#([0-9A-Fa-f]{3})|#?([0-9A-Fa-f]{6}))$"));
    const QRegularExpressionMatch match = complete.match(text.trimmed());
    if (!match.hasMatch())
        return QColor();
    QString digits = match.captured(2);
    if (digits.isEmpty()) {
        for (const QChar c : match.captured(1))
            digits += QString(2, c);
    }
    return QColor(QLatin1Char('#') + digits);
}

HexColorEdit::HexColorEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new HexColorValidator(this));
    const QFontMetrics fm = fontMetrics();
    setMinimumWidth(fm.horizontalAdvance(QStringLiteral("#WWWWWW")) + fm.height());
    connect(this, &QLineEdit::returnPressed, this, &HexColorEdit::commit);
}

void HexColorEdit::setColor(const QColor &color)
{
    m_color = color;
    // A colour the user is still typing stays until they finish it.
    if (hasFocus() && isModified())
        return;
    showColor();
}

void HexColorEdit::focusOutEvent(QFocusEvent *event)
{
    if (isModified())
        commit();
    QLineEdit::focusOutEvent(event);
}

void HexColorEdit::commit()
{
    const QColor typed = HexColorValidator::parse(text());
    setModified(false);
    if (!typed.isValid()) {
        showColor();
        return;
    }
    const bool changed = typed.rgb() != m_color.rgb() || !m_color.isValid();
    m_color = typed;
    showColor();
    if (changed)
        emit colorEntered(typed);
}

void HexColorEdit::showColor()
{
    setText(m_color.isValid() ? m_color.name(QColor::HexRgb).toUpper() : QString());
    setModified(false);
}

} // namespace OvrColorPickerLib
