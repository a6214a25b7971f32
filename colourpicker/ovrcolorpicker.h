// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QString>
#include <QWidget>

#include <memory>

namespace OvrColorPickerLib {

class OvrColorPickerButtonsWidget;
class OvrColorPickerWidget;

/**
 * The colour picker that editors embed: the page buttons above one
 * OvrColorPickerWidget, whose signals it forwards.
 *
 * The first picker made in a process also fills the colour library with its
 * defaults: the "Halvane Swatches" list, the preset files, the user's colours,
 * and the favourites of older versions moved into "Migrated Favorites".
 */
class OvrColorPicker : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(OvrColorPicker)
    /**
     * Whether the opacity slider is offered (on by default). Hosts whose
     * lights have no opacity turn it off; swatches then paint colours opaque.
     */
    Q_PROPERTY(bool opacityVisible READ isOpacityVisible WRITE setOpacityVisible)
public:
    explicit OvrColorPicker(QWidget *parent = nullptr);
    ~OvrColorPicker() override;

    OvrColorPickerWidget *pickerWidget() const;
    OvrColorPickerButtonsWidget *buttonsWidget() const;

    /** Name of the non-user list that holds the default swatches. */
    static QString defaultSwatchListName();
    /** Name of the user list that receives favourites of older versions. */
    static QString migratedFavoritesListName();

    /**
     * Enables or disables page 0 (RGB), 1 (white) or 2 (channel) with its
     * toggle, for editors that offer a page only on some keypads.
     */
    void setPageEnabled(int page, bool enabled);

    bool isOpacityVisible() const;
    void setOpacityVisible(bool visible);

signals:
    void mainColorChanged(const OvrColor &color, const QString &uid);
    void comparisonColorChanged(const OvrColor &color, const QString &uid);
    /** The colour goes into @p list once, by a receiver or else the picker (see OvrColorPickerWidget). */
    void colorAddedToFavorites(const OvrColor &color, const QString &uid, const QString &list);
    void pickerSetOnSetColor(int index, bool isNChannel);
    void clearPreviousSelection();

public slots:
    /** Selects the main swatch and sets the colour on it. */
    void setColorAndSelectMainPreview(const OvrColor &color, const QString &uid);
    /** Sets the colour on the selected swatch. */
    void setColor(const OvrColor &color, const QString &uid);

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace OvrColorPickerLib
