// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/**
 * What the XML reader needs of the communication object. The model layer
 * cannot know the device layer, so the reader talks to this interface; the
 * communication object (MSPComm) implements it with the same member names
 * and registers itself with setInstance().
 *
 * Until one is registered, instance() is an offline link: it keeps the
 * posts-suspended flag and sends nothing.
 */
class MSPCommLink
{
public:
    virtual ~MSPCommLink();

    /** The registered link, or the offline link when none is registered. */
    static MSPCommLink *instance();
    /** Registers @p link as the process-wide link; null restores the offline one. */
    static void setInstance(MSPCommLink *link);

    /** While set, nothing is posted to the keypad. */
    virtual void setPostsSuspended(bool suspended) { m_postsSuspended = suspended; }
    virtual bool postsSuspended() const { return m_postsSuspended; }

    /** Asks the keypad for the scene of @p index (0-based); offline: nothing. */
    virtual void requestShow(int index, bool trackAsEdit);
    /** Posts a form body to @p path on the keypad; offline: nothing. */
    virtual void postToDevice(const QString &path, QString body, bool trackAsEdit, bool trackAsConfigPost,
                              bool apply);

    /**
     * Runs the event loop until @p ms have passed, so replies, datagrams and
     * redraws keep flowing while the caller paces the keypad.
     */
    static void waitProcessingEvents(int ms);

protected:
    MSPCommLink() = default;
    MSPCommLink(const MSPCommLink &) = default;
    MSPCommLink &operator=(const MSPCommLink &) = default;

private:
    bool m_postsSuspended = false;
};
