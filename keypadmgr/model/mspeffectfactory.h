// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class MSPEffect;

/** Makes an effect of a given type id with its class defaults. */
class MSPEffectFactory : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPEffectFactory)
public:
    /** The process-wide factory, created on first use. */
    static MSPEffectFactory *instance();

    /** A new effect of @p type (0..7) owned by @p parent, or null for any other type. */
    MSPEffect *create(int type, QObject *parent) const;
    /** The display name of effect @p type; "undefined" for an unknown type. */
    static QString typeName(int type);

private:
    MSPEffectFactory();
};
