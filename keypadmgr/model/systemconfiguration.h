// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"

#include <QObject>
#include <QString>
#include <QStringList>

/**
 * The program's copy of the keypad's system settings: name, address,
 * Dravon network settings, brightness, fixture class, firmware version and
 * which of the eleven buttons respond. One record per process.
 *
 * The keypad numbers its switches 1..8 for the scene buttons, 9 for On/Off,
 * 10 for Up and 11 for Down.
 */
class SystemConfiguration : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SystemConfiguration)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QString ipAddress READ ipAddress WRITE setIpAddress NOTIFY ipAddressChanged)
    Q_PROPERTY(int DravonMode READ DravonMode WRITE setDravonMode NOTIFY DravonModeChanged)
    Q_PROPERTY(int lightsPerPort READ lightsPerPort WRITE setLightsPerPort NOTIFY lightsPerPortChanged)
    Q_PROPERTY(int numberOfPorts READ numberOfPorts WRITE setNumberOfPorts NOTIFY numberOfPortsChanged)
    Q_PROPERTY(QString version READ version WRITE setVersion NOTIFY configurationChanged)
    Q_PROPERTY(bool scene1CheckBoxState READ scene1CheckBoxState WRITE setScene1CheckBoxState NOTIFY scene1CheckBoxStateChanged)
    Q_PROPERTY(bool scene2CheckBoxState READ scene2CheckBoxState WRITE setScene2CheckBoxState NOTIFY scene2CheckBoxStateChanged)
    Q_PROPERTY(bool scene3CheckBoxState READ scene3CheckBoxState WRITE setScene3CheckBoxState NOTIFY scene3CheckBoxStateChanged)
    Q_PROPERTY(bool scene4CheckBoxState READ scene4CheckBoxState WRITE setScene4CheckBoxState NOTIFY scene4CheckBoxStateChanged)
    Q_PROPERTY(bool scene5CheckBoxState READ scene5CheckBoxState WRITE setScene5CheckBoxState NOTIFY scene5CheckBoxStateChanged)
    Q_PROPERTY(bool scene6CheckBoxState READ scene6CheckBoxState WRITE setScene6CheckBoxState NOTIFY scene6CheckBoxStateChanged)
    Q_PROPERTY(bool scene7CheckBoxState READ scene7CheckBoxState WRITE setScene7CheckBoxState NOTIFY scene7CheckBoxStateChanged)
    Q_PROPERTY(bool scene8CheckBoxState READ scene8CheckBoxState WRITE setScene8CheckBoxState NOTIFY scene8CheckBoxStateChanged)
    Q_PROPERTY(bool downCheckBoxState READ downCheckBoxState WRITE setDownCheckBoxState NOTIFY downCheckBoxStateChanged)
    Q_PROPERTY(bool upCheckBoxState READ upCheckBoxState WRITE setUpCheckBoxState NOTIFY upCheckBoxStateChanged)
    Q_PROPERTY(bool onOffCheckBoxState READ onOffCheckBoxState WRITE setOnOffCheckBoxState NOTIFY onOffCheckBoxStateChanged)

public:
    /** Accepted ranges of the numeric settings. */
    static constexpr int maximumUniverse = 255;
    static constexpr int maximumLightsPerPort = 170;
    static constexpr int maximumNumberOfPorts = 16;
    /** Brightness value meaning "off". */
    static constexpr int brightnessOff = -1;

    /** The process-wide record, created on first use. */
    static SystemConfiguration *instance();

    /** A record with the defaults; the program uses instance(). */
    explicit SystemConfiguration(QObject *parent = nullptr);
    ~SystemConfiguration() override;

    QString name() const { return m_name; }
    QString ipAddress() const { return m_ipAddress; }
    QString version() const { return m_version; }
    int universe() const { return m_universe; }
    int DravonMode() const { return m_DravonMode; }
    int lightsPerPort() const { return m_lightsPerPort; }
    int numberOfPorts() const { return m_numberOfPorts; }
    int brightness() const { return m_brightness; }
    ColorUtils::PrismalProfileID fixtureClass() const { return m_fixtureClass; }

    bool scene1CheckBoxState() const { return m_enabled[0]; }
    bool scene2CheckBoxState() const { return m_enabled[1]; }
    bool scene3CheckBoxState() const { return m_enabled[2]; }
    bool scene4CheckBoxState() const { return m_enabled[3]; }
    bool scene5CheckBoxState() const { return m_enabled[4]; }
    bool scene6CheckBoxState() const { return m_enabled[5]; }
    bool scene7CheckBoxState() const { return m_enabled[6]; }
    bool scene8CheckBoxState() const { return m_enabled[7]; }
    bool onOffCheckBoxState() const { return m_enabled[8]; }
    bool upCheckBoxState() const { return m_enabled[9]; }
    bool downCheckBoxState() const { return m_enabled[10]; }

    /** Whether switch @p switchNumber (1..11) is enabled; false outside. */
    bool switchEnabled(int switchNumber) const;
    /**
     * Sets the enable of switch @p switchNumber (1..11) as its own setter
     * (setScene1CheckBoxState() .. setDownCheckBoxState()) does; other
     * numbers are ignored.
     */
    void setSwitchEnabled(int switchNumber, bool enabled, bool emitSignal);

    /** Whether the scene button of @p index (0-based) is enabled; true for an index outside 0..7. */
    bool sceneEnabled(int index) const;
    /** The lowest enabled scene index, or 0 when none is enabled. */
    int firstEnabledScene() const;

    /**
     * Whether the firmware version is strictly newer than @p other, both
     * compared on their first three dot-separated numbers; false when
     * either has fewer than three parts.
     */
    bool isVersionNewerThan(const QString &other) const;
    /**
     * The one firmware version comparison: -1, 0 or 1 as @p a is older than,
     * equal to or newer than @p b on their first three dot-separated
     * numbers. Either with fewer than three parts (as "Not Available") is
     * not comparable: 0, with @p comparable set false.
     */
    static int compareVersions(const QString &a, const QString &b, bool *comparable = nullptr);

    /**
     * Whether a keypad with firmware @p version is of the old generation that
     * can neither enable and disable its buttons nor restore its own factory
     * defaults: 1.0.x, 1.1.0 to 1.1.14, every 1.2, and any text that is not
     * at least three dot-separated numbers.
     */
    static bool isLegacyFirmware(const QString &version);

    /**
     * The two form bodies that carry the record to "/api/v1/config": the
     * settings, then the button enables (which begins with "&").
     */
    QStringList formBodies(bool includeIp, bool includeBrightness) const;

    /** The configuration element of a configuration file or keypad reply. */
    QString configXML(bool includeIp) const;

signals:
    void nameChanged(const QString &name);
    void ipAddressChanged(const QString &ipAddress);
    void universeChanged(int universe);
    void DravonModeChanged(int mode);
    void lightsPerPortChanged(int lights);
    void numberOfPortsChanged(int ports);
    void brightnessChanged(int brightness);
    void configurationChanged();
    void scene1CheckBoxStateChanged(bool enabled);
    void scene2CheckBoxStateChanged(bool enabled);
    void scene3CheckBoxStateChanged(bool enabled);
    void scene4CheckBoxStateChanged(bool enabled);
    void scene5CheckBoxStateChanged(bool enabled);
    void scene6CheckBoxStateChanged(bool enabled);
    void scene7CheckBoxStateChanged(bool enabled);
    void scene8CheckBoxStateChanged(bool enabled);
    void downCheckBoxStateChanged(bool enabled);
    void upCheckBoxStateChanged(bool enabled);
    void onOffCheckBoxStateChanged(bool enabled);

public slots:
    void setName(const QString &name, bool emitSignal);
    void setName(const QString &name) { setName(name, true); }
    void setUniverse(int universe, bool emitSignal);
    void setUniverse(int universe) { setUniverse(universe, true); }
    void setDravonMode(int mode, bool emitSignal);
    void setDravonMode(int mode) { setDravonMode(mode, true); }
    void setLightsPerPort(int lights, bool emitSignal);
    void setLightsPerPort(int lights) { setLightsPerPort(lights, true); }
    void setNumberOfPorts(int ports, bool emitSignal);
    void setNumberOfPorts(int ports) { setNumberOfPorts(ports, true); }
    void setIpAddress(const QString &address, bool emitSignal);
    void setIpAddress(const QString &address) { setIpAddress(address, true); }
    void setVersion(const QString &version, bool emitSignal);
    void setVersion(const QString &version) { setVersion(version, true); }
    void setScene1CheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(0, enabled, emitSignal); }
    void setScene1CheckBoxState(bool enabled) { setButtonEnabled(0, enabled, true); }
    void setScene2CheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(1, enabled, emitSignal); }
    void setScene2CheckBoxState(bool enabled) { setButtonEnabled(1, enabled, true); }
    void setScene3CheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(2, enabled, emitSignal); }
    void setScene3CheckBoxState(bool enabled) { setButtonEnabled(2, enabled, true); }
    void setScene4CheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(3, enabled, emitSignal); }
    void setScene4CheckBoxState(bool enabled) { setButtonEnabled(3, enabled, true); }
    void setScene5CheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(4, enabled, emitSignal); }
    void setScene5CheckBoxState(bool enabled) { setButtonEnabled(4, enabled, true); }
    void setScene6CheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(5, enabled, emitSignal); }
    void setScene6CheckBoxState(bool enabled) { setButtonEnabled(5, enabled, true); }
    void setScene7CheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(6, enabled, emitSignal); }
    void setScene7CheckBoxState(bool enabled) { setButtonEnabled(6, enabled, true); }
    void setScene8CheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(7, enabled, emitSignal); }
    void setScene8CheckBoxState(bool enabled) { setButtonEnabled(7, enabled, true); }
    void setOnOffCheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(8, enabled, emitSignal); }
    void setOnOffCheckBoxState(bool enabled) { setButtonEnabled(8, enabled, true); }
    void setUpCheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(9, enabled, emitSignal); }
    void setUpCheckBoxState(bool enabled) { setButtonEnabled(9, enabled, true); }
    void setDownCheckBoxState(bool enabled, bool emitSignal) { setButtonEnabled(10, enabled, emitSignal); }
    void setDownCheckBoxState(bool enabled) { setButtonEnabled(10, enabled, true); }
    /** Accepts 0..9; anything else stores 0. */
    void setFixtureClass(int fixtureClass, bool emitSignal);
    void setFixtureClass(int fixtureClass) { setFixtureClass(fixtureClass, true); }
    /** Stores any value (-1 is off) and always emits brightnessChanged(). */
    void setBrightness(int brightness);
    /** Enables all eleven buttons while a keypad is being looked for. */
    void handleDiscovering();

private:
    // Buttons by switch number - 1: scenes 0..7, On/Off 8, Up 9, Down 10.
    static constexpr int buttonCount = 11;
    void setButtonEnabled(int button, bool enabled, bool emitSignal);
    void emitButtonChanged(int button, bool enabled);
    bool setInt(int &field, int value, int minimum, int maximum, bool emitSignal,
                void (SystemConfiguration::*changed)(int));
    /** Stores a new @p value in @p field; with @p emitSignal, emits @p changed and configurationChanged(). */
    void setText(QString &field, const QString &value, bool emitSignal,
                 void (SystemConfiguration::*changed)(const QString &));

    QString m_name;
    QString m_ipAddress;
    QString m_version;
    int m_universe = 0;
    int m_DravonMode = 1;
    int m_lightsPerPort = 1;
    int m_numberOfPorts = 1;
    int m_brightness = 0;
    bool m_enabled[buttonCount];
    ColorUtils::PrismalProfileID m_fixtureClass = ColorUtils::ProfileGenericRGB;
};
