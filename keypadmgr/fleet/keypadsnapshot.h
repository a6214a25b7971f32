// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mspscenemodel.h"
#include "systemconfiguration.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

class MSPHandler;

/**
 * One keypad's eight scenes and system configuration, held apart from the
 * program's own scene model and record, so several keypads can be read,
 * written to files and compared side by side.
 */
class KeypadSnapshot
{
    Q_DECLARE_TR_FUNCTIONS(KeypadSnapshot)
    Q_DISABLE_COPY(KeypadSnapshot)
public:
    /** One scene or configuration field that differs between two snapshots. */
    struct Difference
    {
        QString item;   ///< "scene 3", "name", "universe", ...
        QString ours;   ///< the value here (a scene as its form body)
        QString theirs; ///< the value in the other snapshot
    };

    /**
     * The scene writers convert colours for the fixture class of the
     * program's own record; while a guard lives, that is @p fixtureClass.
     */
    class FixtureClassScope
    {
    public:
        explicit FixtureClassScope(ColorUtils::PrismalProfileID fixtureClass);
        ~FixtureClassScope();

    private:
        Q_DISABLE_COPY(FixtureClassScope)
        const ColorUtils::PrismalProfileID m_saved;
    };

    KeypadSnapshot();
    ~KeypadSnapshot();

    /** Reads a configuration reply of the keypad. False with a reason for XML that cannot be read. */
    bool readConfiguration(const QByteArray &xml, QString *error);
    /** Reads the keypad's all-shows reply (after its configuration, for the fixture class). */
    bool readShows(const QByteArray &xml, QString *error);
    /** Reads a whole configuration file. */
    bool readDocument(const QByteArray &xml, QString *error);

    /** The configuration file of this keypad, as the program's Save writes it. */
    QString document() const;

    /**
     * The scenes and configuration fields that differ from @p other, scenes
     * first. The brightness is left out: it is the lights' current level
     * (the keypad's Up and Down buttons change it), and an upload sets it
     * to full.
     */
    QList<Difference> differences(const KeypadSnapshot &other) const;

    const SystemConfiguration &configuration() const { return m_config; }
    SystemConfiguration &configuration() { return m_config; }
    const MSPSceneModel &scenes() const { return m_scenes; }
    int currentShow() const { return m_currentShow; }

    /**
     * The configuration file of @p scenes and @p config with @p currentShow
     * (0-based) as the current show: the one layout every configuration
     * file has.
     */
    static QString document(const MSPSceneModel &scenes, const SystemConfiguration &config, int currentShow);

    /**
     * @p document with the keypad name in its configuration replaced by
     * @p name, so uploading it leaves a keypad its own name.
     */
    static QByteArray withName(const QByteArray &document, const QString &name);

    /** Runs @p handler over @p xml; false with where it broke off. */
    static bool parseWith(MSPHandler *handler, const QByteArray &xml, QString *error);

private:
    bool parse(const QByteArray &xml, QString *error);

    MSPSceneModel m_scenes;
    SystemConfiguration m_config;
    int m_currentShow = 0;
};
