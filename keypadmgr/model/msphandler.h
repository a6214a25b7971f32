// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"
#include "ovrcolor.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The SAX reader below is the one the toolkit deprecates; every use of it
// stays in this class.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
#include <QXmlDefaultHandler>

class QIODevice;
class MSPCommLink;
class MSPEffect;
class MSPSceneModel;
class SystemConfiguration;

/**
 * SAX reader of the keypad's XML replies and of configuration files. It
 * applies what it reads straight to the scene model and the configuration
 * record. When a file is loaded while a keypad is connected (online), it
 * also uploads each scene and the configuration to the keypad as it reads
 * them, pacing itself with waits during which events keep being processed.
 *
 * read() runs the reader with it.
 */
class MSPHandler : public QXmlDefaultHandler
{
public:
    /**
     * @p online: a file loaded with a keypad connected. The links default to
     * the process-wide model, record and communication link.
     */
    explicit MSPHandler(bool online, MSPSceneModel *model = nullptr, SystemConfiguration *config = nullptr,
                        MSPCommLink *comm = nullptr);
    ~MSPHandler() override;

    /** Where a document broke. */
    struct ParseError
    {
        int line = 0;
        int column = 0;
        QString message;
        /** Whether the reader reported an error (and not the handler stopped it). */
        bool isSet() const { return line > 0 || column > 0 || !message.isEmpty(); }
    };
    /**
     * Reads @p device with this handler. Without @p error the reader goes
     * on past errors as far as it can (a keypad's reply is taken as far as
     * it reads); with it, the first fatal error stops the reading and is
     * told there.
     */
    bool read(QIODevice *device, ParseError *error = nullptr);

    bool startElement(const QString &namespaceURI, const QString &localName, const QString &qName,
                      const QXmlAttributes &atts) override;
    bool endElement(const QString &namespaceURI, const QString &localName, const QString &qName) override;
    bool characters(const QString &ch) override;
    bool fatalError(const QXmlParseException &exception) override;
    QString errorString() const override;

    /**
     * Scenes (0-based) whose shows are read but not applied: edits the
     * keypad did not receive, which a read-back must not overwrite.
     */
    void setKeptScenes(const QSet<int> &scenes) { m_keptScenes = scenes; }

    /**
     * Why scenes of the document cannot be taken as they are written (an
     * unknown effect type, values the effect cannot read, colours that are
     * named but missing, a path that names no scene), one text per scene,
     * without a closing full stop.
     * A configuration file with any of them is refused before it is applied.
     */
    QStringList refusals() const { return m_refusals; }
    /** What was taken with a change, one text per scene (a wash cut to six colours). */
    QStringList notices() const { return m_notices; }

    /** The 0-based current scene read from "currentShow", or -1 if none was read. */
    int currentShowIndex() const { return m_currentShowIndex; }

    /** Pause between uploads of a scene, ms. */
    static constexpr int showPause = 300;
    /** Pause after each configuration body, ms. */
    static constexpr int configPause = 500;

private:
    struct Yxy
    {
        float Y = 0.0f;
        float x = 0.0f;
        float y = 0.0f;
        bool isZero() const { return Y == 0.0f && x == 0.0f && y == 0.0f; }
    };

    void endShow();
    bool checkShow(int index);
    void endConfig();
    bool endProperty();
    bool applySwitchState();
    void clearShowState();
    QList<OvrColor *> colorPointers() const;
    int textAsInt() const;
    float textAsCoordinate(double scale) const;

    const bool m_online;
    MSPSceneModel *const m_model;
    SystemConfiguration *const m_config;
    MSPCommLink *const m_comm;
    const ColorUtils::PrismalProfileID m_fixtureClass;

    QString m_text;
    QString m_url;
    QString m_value;
    QStringList m_params;
    std::vector<std::unique_ptr<OvrColor>> m_colors;
    int m_numColors = 0;
    int m_effectType = -1;
    OvrColor m_currentColor;
    int m_currentShowIndex = -1;
    MSPEffect *m_pendingEffect = nullptr;
    bool m_suspendedPosts = false;
    Yxy m_colorYxy;
    Yxy m_effectYxy;
    QSet<int> m_keptScenes;
    QStringList m_refusals;
    QStringList m_notices;
};
QT_WARNING_POP
