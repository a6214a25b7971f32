// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPainter;
class QRect;
class QWidget;

namespace OvrColorPickerLib {

/**
 * Painting shared by the pickers that show one value on a horizontal colour
 * band (CCT, tint): a marker of two triangles of @p size at @p x, one above
 * and one below @p band, optionally joined by a thin line across it.
 */
void paintBandMarker(QPainter &painter, const QRect &band, int x, int size, bool lineAcross);

/** The style's focus frame around @p band when @p widget has the focus. */
void paintBandFocus(QPainter &painter, const QWidget *widget, const QRect &band);

} // namespace OvrColorPickerLib
