// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ovrcolor.h"

#include <QString>
#include <QWidget>

#include <memory>

namespace OvrColorPickerLib {

class ColorViewWidget;

/**
 * The picker proper: a main swatch and three comparison swatches, the page
 * area with the RGB, white and channel pages, and the opacity and intensity
 * sliders.
 *
 * One swatch is selected at a time; the pages and sliders edit the colour of
 * the selected swatch. Changes to the main swatch are reported with
 * mainColorChanged(), changes to a comparison swatch with
 * comparisonColorChanged(). Each colour travels with a uid: the colour
 * library's uid when the colour came from the library, empty otherwise (any
 * edit inside the picker empties it).
 *
 * Page area: pageArea(RgbPage), pageArea(WhitePage) and
 * pageArea(NChannelPage) are three containers side by side in a splitter,
 * each with an empty QVBoxLayout; the picker shows or hides them with
 * setPageVisible(). The RGB page is built here. The white page, the channel
 * page and the colour library tree are created in createWhitePage(),
 * createNChannelPage() and createColorTree() (ovrcolorpickerwidget.cpp),
 * which add their widget to pageArea(...) / colorTreeArea() and wire it; a
 * colour set on the picker reaches them through showColorOnWhitePage() and
 * showColorOnNChannelPage(). The white and channel pages are built the
 * first time their area is shown, with the selected swatch's colour.
 */
class OvrColorPickerWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(OvrColorPickerWidget)
public:
    enum Page { RgbPage = 0, WhitePage = 1, NChannelPage = 2 };
    Q_ENUM(Page)
    static constexpr int PageCount = 3;

    explicit OvrColorPickerWidget(QWidget *parent = nullptr);
    ~OvrColorPickerWidget() override;

    /** Colour and uid of the selected swatch. */
    OvrColor color() const;
    QString uid() const;
    OvrColor mainColor() const;
    QString mainUid() const;
    OvrColor comparisonColor(int index) const;
    /** 0 for the main swatch, 1 to 3 for the comparison swatches. */
    int selectedSwatch() const;

    bool isPageVisible(Page page) const;
    void setPageVisible(Page page, bool visible);
    bool isPageEnabled(Page page) const;
    void setPageEnabled(Page page, bool enabled);
    /** The container of a page (see the class description). */
    QWidget *pageArea(Page page) const;
    /** The container of the colour library tree, left of the pages. */
    QWidget *colorTreeArea() const;
    ColorViewWidget *mainSwatch() const;
    ColorViewWidget *comparisonSwatch(int index) const;

    /** Whether the opacity slider is offered; swatches paint translucency only then. */
    bool isOpacityVisible() const;
    void setOpacityVisible(bool visible);

    /** The user list that "Add to ..." on a swatch adds to. */
    QString favoritesListName() const;
    void setFavoritesListName(const QString &listName);

signals:
    void mainColorChanged(const OvrColor &color, const QString &uid);
    void comparisonColorChanged(const OvrColor &color, const QString &uid);
    /**
     * The user asked to add the colour to the library list @p list. A
     * receiver may add it (creating the list as a user list when missing);
     * when none did, the picker adds it, so the list gets one entry.
     */
    void colorAddedToFavorites(const OvrColor &color, const QString &uid, const QString &list);
    /** A colour was set: page 0 RGB, 1 white, 2 channel. */
    void pickerSetOnSetColor(int index, bool isNChannel);
    /** The user changed the colour inside the picker; other views drop their selection. */
    void clearPreviousSelection();

public slots:
    /**
     * Sets the selected swatch's colour and shows it on every page. A local
     * change (from a page, slider or swatch of this picker) also asks other
     * views to clear their selection.
     */
    void setColor(const OvrColor &color, const QString &uid, bool isLocalColorChange = false);
    void onOpacityChanged(int opacity);
    void onIntensityChanged(int intensity);
    void onMainSwatchSelected();
    void onComparisonSwatch1Selected();
    void onComparisonSwatch2Selected();
    void onComparisonSwatch3Selected();
    void onCopyColorToMainSwatch(const OvrColor &color, const QString &uid);
    void onComparisonSwatch1Changed(const OvrColor &color, const QString &uid);
    void onComparisonSwatch2Changed(const OvrColor &color, const QString &uid);
    void onComparisonSwatch3Changed(const OvrColor &color, const QString &uid);
    /** Adds the colour to @p list (the favourites list when empty). */
    void onAddColorToFavorites(const OvrColor &color, const QString &uid, const QString &list = QString());
    void onRgbPickerColorChanged(const OvrColor &color, const QString &uid);
    void onWhitePickerColorChanged(const OvrColor &color, const QString &uid);
    /** Intensity as a fraction 0..1. */
    void setIntensity(double intensity);
    void onNChannelPickerColorChanged(OvrColor &color, QString &uid);

protected:
    void showEvent(QShowEvent *event) override;

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace OvrColorPickerLib
