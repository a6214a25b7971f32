// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colorutils.h"

#include <QColor>
#include <QObject>
#include <QString>

class OvrColor;

namespace OvrColorPickerLib {

/**
 * Which fixture class the colours on screen are shown for, process-wide.
 *
 * Every swatch, patch and thumbnail that stands for a colour of the lights
 * paints shown(colour): the light the configured fixture class makes for it
 * (ColorUtils::displayColor()), not a generic RGB fixture's drive levels.
 * The host sets the fixture class when its configuration names one; until
 * then it is the generic RGB profile. Views repaint on fixtureClassChanged().
 */
class ColorAppearance : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorAppearance)
    Q_PROPERTY(int fixtureClass READ fixtureClass WRITE setFixtureClass NOTIFY fixtureClassChanged)
public:
    static ColorAppearance *instance();

    ColorUtils::PrismalProfileID fixtureClass() const { return m_fixtureClass; }
    /** An unknown class counts as the generic RGB profile. */
    void setFixtureClass(int fixtureClass);

    /**
     * The colour as the configured fixture class shows it; transparent for an
     * invalid colour. Like sentText(), of the colour as its text form keeps it.
     */
    static QColor shown(const OvrColor &color);
    /**
     * The levels the fixture class's RGB input gets for the colour, as
     * "Sent: 183, 248, 255"; for a fixture with other emitters as well each
     * level is named after its emitter. Empty for an invalid colour. The
     * levels are those of the colour as its text form (aName()) keeps it,
     * since that is what a host stores and sends.
     */
    static QString sentText(const OvrColor &color);

    /** How a host keeps a colour it is given. */
    using KeptForm = OvrColor (*)(const OvrColor &);
    /**
     * Makes shown() and sentText() be of the colour as the host keeps it
     * (a host may keep a white's x and y to fewer decimals than the text
     * form) rather than as its text form. Null goes back to the text form.
     */
    void setKeptForm(KeptForm form);

signals:
    void fixtureClassChanged(int fixtureClass);

private:
    ColorAppearance();
    ~ColorAppearance() override;

    /** The colour as the host keeps it (see setKeptForm()). */
    static OvrColor kept(const OvrColor &color);

    class Cache;
    KeptForm m_keptForm = nullptr;
    ColorUtils::PrismalProfileID m_fixtureClass = ColorUtils::ProfileGenericRGB;
    Cache *m_cache;
};

} // namespace OvrColorPickerLib
