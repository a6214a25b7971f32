// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class MSPEffectWidget;
class QWidget;

/** Makes the editor of an effect type (0..7), one class per type. */
class MSPEffectWidgetFactory : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPEffectWidgetFactory)
public:
    /** The process-wide factory, created on first use. */
    static MSPEffectWidgetFactory *instance();

    /** A new editor for effect @p type owned by @p parent, or null for any other type. */
    MSPEffectWidget *create(int type, QWidget *parent) const;

private:
    MSPEffectWidgetFactory();
};
