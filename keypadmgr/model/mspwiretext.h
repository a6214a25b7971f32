// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/**
 * Text helpers shared by the writers of keypad form bodies and XML. The
 * bodies and the XML are assembled by concatenation, so every value that
 * did not come from our own number formatting passes through these.
 */
class MSPWireText
{
public:
    /**
     * A value for a form body: "%", "&", "=", "+" and control characters are
     * percent-encoded ("%26"); every other character is kept as it is, so the
     * bodies of ordinary values are unchanged.
     */
    static QString formEncoded(const QString &value);

    /**
     * A value for XML character data: "&", "<" and ">" become entities,
     * a carriage return and characters beyond Latin-1 become character
     * references (the files are Latin-1), and the control characters XML
     * cannot carry at all are dropped, as are characters beyond U+FFFF,
     * which the program's XML reader cannot read back.
     */
    static QString xmlEscaped(const QString &value);

    /**
     * A colour coordinate product (x or y times 10000, Y times 1000) as the
     * keypad's 16-bit field: truncated toward zero, then the low 16 bits.
     * Products within 0.001 of an integer are taken as that integer, so
     * that values read from a file (k / 10000 held in a float) are written
     * back as k and do not drift down by one on every save.
     */
    static quint16 coordinateBits(double product);

    /** coordinateBits() read as unsigned, in decimal (form bodies). */
    static QString unsignedCoordinate(double product);
    /** coordinateBits() read as a signed 16-bit integer, in decimal (XML). */
    static QString signedCoordinate(double product);

    /**
     * Truncation toward zero that is defined for every input: NaN gives 0
     * and values beyond the int range give its ends.
     */
    static int truncated(double value);

private:
    MSPWireText() = delete;
};
