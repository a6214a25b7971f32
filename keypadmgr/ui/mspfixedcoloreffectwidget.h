// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspeffectwidget.h"

#include <memory>

class MSPFixedColorEffect;
namespace Ui { class MSPFixedColorWidget; }

/** Editor of the Fixed Color effect: the scene's one colour, chosen with the colour picker. */
class MSPFixedColorEffectWidget : public MSPEffectWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPFixedColorEffectWidget)
public:
    explicit MSPFixedColorEffectWidget(QWidget *parent = nullptr);
    ~MSPFixedColorEffectWidget() override;

signals:
    void colorChanged(const QString &color);

public slots:
    bool setEffect(MSPEffect *effect) override;
    void clearPreviousSelection() override;
    /** Shows a colour (by name) in the editor without changing the effect. */
    void setColor(const QString &color);
    void on_colorPicker_mainColorChanged(OvrColor color, const QString &uid);
    void on_colorPicker_comparisonColorChanged(OvrColor color, const QString &uid);

protected:
    /** The class of effect this editor takes. */
    virtual const QMetaObject &effectClass() const;

private:
    MSPFixedColorEffect *fixedEffect() const;
    void showSwatch(const QString &color);

    std::unique_ptr<Ui::MSPFixedColorWidget> ui;
    bool m_showingColor = false;
};
