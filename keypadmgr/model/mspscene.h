// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QString>

class MSPEffect;

/**
 * One scene button of the keypad: its path on the keypad's REST interface
 * ("/api/v1/shows/1".."/api/v1/shows/8") and the effect it plays. The scene
 * owns its effect.
 */
class MSPScene : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(MSPScene)
public:
    explicit MSPScene(QObject *parent = nullptr);
    ~MSPScene() override;

    MSPEffect *effect() const { return m_effect; }
    /**
     * Replaces the effect. The old one is disconnected and deleted once
     * control returns to the event loop; the scene becomes the new one's
     * parent. With @p emitSignal, a non-null effect emits effectChanged().
     */
    void setEffect(MSPEffect *effect, bool emitSignal);

    QString url() const { return m_url; }
    void setUrl(const QString &url) { m_url = url; }

    /** The scene's form-encoded body for the keypad; empty without an effect. */
    QString formData() const;
    /** The scene's "show" element; empty without an effect. */
    QString XMLData() const;

signals:
    void effectChanged(MSPScene *scene);
    void effectParamsChanged(MSPScene *scene);

public slots:
    void handleEffectParamsChanged();

private:
    MSPEffect *m_effect = nullptr;
    QString m_url;
};

Q_DECLARE_METATYPE(MSPScene *)
