// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

/**
 * Judges a dotted IPv4 address while it is typed: four parts of one to
 * three decimal digits, none above 255, are acceptable; a text that can
 * still become one (empty, or with parts missing) is intermediate; more
 * than four parts, or a part that is no such number, is invalid.
 */
class IP4Validator : public QValidator
{
    Q_OBJECT
    Q_DISABLE_COPY(IP4Validator)
public:
    explicit IP4Validator(QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
};
