// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

/**
 * What a keypad holds: eight scenes (each with a kept version and, while
 * the program previews an edit, a previewed one), the scene it plays, and
 * its system configuration.
 *
 * The simulator reads the program's form bodies and writes the keypad's
 * XML replies here without any of the program's own code, so that tests
 * compare two independent readings. The XML is the one that
 * keypadmgr/model/msphandler.cpp reads (a whole example:
 * keypadmgr/resources/defaultConfiguration.xml); the form bodies are the
 * ones MSPScene::formData() and SystemConfiguration::formBodies() write.
 */
class KeypadState
{
public:
    static constexpr int sceneCount = 6 + 2;
    static constexpr int maxColours = 6;
    /** The effect types this firmware plays: ids 0 up to this count. */
    static constexpr int effectTypeCount = 8;
    static constexpr int switchCount = 11;
    static constexpr int maxNameLength = 31;
    static constexpr int brightnessStep = 25;

    /** One colour slot: channel values 0..255 and Yxy as sent (Y x 1000, x and y x 10000). */
    struct Colour
    {
        int red = 0;
        int green = 0;
        int blue = 0;
        quint16 Y = 0;
        quint16 x = 0;
        quint16 y = 0;
        bool operator==(const Colour &o) const
        {
            return red == o.red && green == o.green && blue == o.blue && Y == o.Y && x == o.x && y == o.y;
        }
    };

    /** One scene as the keypad stores it. */
    struct Scene
    {
        int effect = 0;
        QVector<int> params = {0, 0, 0};
        quint16 Y = 0;
        quint16 x = 0;
        quint16 y = 0;
        QVector<Colour> colours;
        bool operator==(const Scene &o) const
        {
            return effect == o.effect && params == o.params && Y == o.Y && x == o.x && y == o.y
                && colours == o.colours;
        }
        bool operator!=(const Scene &o) const { return !(*this == o); }
    };

    /** What a configuration body asked for beyond plain settings. */
    struct ConfigOutcome
    {
        bool changed = false;
        bool factoryReset = false;
        QString newAddress; ///< dotted IPv4 when the body carried a valid "ip"
        QStringList ignored; ///< keys or values that were not taken
    };

    /** Result of a body posted to a scene. */
    enum class SceneOutcome { Selected, Previewed, Kept, Reverted, Rejected };

    KeypadState();

    /** The eight built-in scenes of a keypad fresh from the factory. */
    static QVector<QString> defaultSceneBodies();

    // Scenes: index 0..7.
    Scene keptScene(int index) const;
    Scene playedScene(int index) const; ///< the preview when there is one, else the kept scene
    bool hasPreview(int index) const;
    int currentScene() const { return m_current; } ///< 0..7
    void setKeptScene(int index, const Scene &scene);

    /**
     * Applies a form body posted to scene index: an empty body selects the
     * scene; "effect=..." previews new settings; "apply=1" keeps the preview
     * (also when it follows the settings in the same body); "apply=0" drops
     * it. Posting to a scene makes it the one that plays.
     */
    SceneOutcome postScene(int index, const QByteArray &body);

    /** Parses a scene body ("effect=..&param1=.."); false when it names no valid effect. */
    static bool parseSceneBody(const QByteArray &body, Scene *scene);

    /** The form body that parseSceneBody() reads back to @p scene. */
    static QByteArray sceneBody(const Scene &scene);

    /** A restart: every preview is gone, each scene plays as kept. */
    void dropPreviews();

    /** Selects a scene as a press of its button would: drops other previews and turns the lights on. */
    void selectScene(int index);

    /** Applies a configuration body. With fromControl, "version" may be set too. */
    ConfigOutcome postConfig(const QByteArray &body, bool fromControl = false);

    /** The On/Off button: lights off, or back on at their previous level. */
    void toggleLights();
    /** The Up and Down buttons. */
    void stepBrightness(bool up);

    // Configuration.
    QString name() const { return m_name; }
    void setName(const QString &name);
    QString ipAddress() const { return m_ip; }
    void setIpAddress(const QString &ip) { m_ip = ip; }
    QString version() const { return m_version; }
    void setVersion(const QString &version) { m_version = version; }
    int universe() const { return m_universe; }
    int dravonMode() const { return m_dravon; }
    int numberOfPorts() const { return m_ports; }
    int lightsPerPort() const { return m_lights; }
    int brightness() const { return m_brightness; } ///< 0..255, -1 when the lights are off
    int fixtureClass() const { return m_fixtureClass; }
    bool switchEnabled(int number) const; ///< switches 1..8 scenes, 9 On/Off, 10 Up, 11 Down

    // Replies.
    QByteArray allShowsXml() const;
    QByteArray showReplyXml(int index) const;
    QByteArray configXml() const;
    /** The show element of one scene, exactly as the keypad writes it. */
    static QByteArray showElement(int index, const Scene &scene);

    /** Parses a dotted IPv4 text whose four parts are decimal 0..255 (leading zeros allowed). */
    static QString normalisedAddress(const QString &text);

private:
    QVector<Scene> m_kept;
    QVector<Scene> m_preview;
    QVector<bool> m_hasPreview;
    int m_current = 0;

    QString m_name;
    QString m_ip;
    QString m_version;
    int m_universe = 0;
    int m_dravon = 1;
    int m_ports = 1;
    int m_lights = 1;
    int m_brightness = 255;
    int m_lastBrightness = 255; ///< level to return to when the lights come back on
    int m_fixtureClass = 0;
    QVector<bool> m_switches;
};
