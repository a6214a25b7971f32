// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrcolorpicker.h"

#include "ovrcolorpickerbuttonswidget.h"
#include "ovrcolorpickerlogging.h"
#include "ovrcolorpickerwidget.h"

#if __has_include("ovrcolorlibrary.h")
#include "ovrcolorlibrary.h"
#define HAVE_COLOR_LIBRARY 1
#endif

#include <QSettings>
#include <QVBoxLayout>

namespace OvrColorPickerLib {

class OvrColorPicker::Private
{
public:
    static void fillLibraryDefaults();
    static void addDefaultSwatches();
    static void migrateFavorites();

    OvrColorPickerWidget *picker = nullptr;
    OvrColorPickerButtonsWidget *buttons = nullptr;
};

void OvrColorPicker::Private::fillLibraryDefaults()
{
    // Library defaults: filled in once the colour library model is available.
}

OvrColorPicker::OvrColorPicker(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    setObjectName(QStringLiteral("OvrColorPicker"));
    Private::fillLibraryDefaults();

    d->picker = new OvrColorPickerWidget(this);
    d->buttons = new OvrColorPickerButtonsWidget(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->buttons);
    layout->addWidget(d->picker, 1);

    for (int page = 0; page < OvrColorPickerWidget::PageCount; ++page)
        d->picker->setPageVisible(OvrColorPickerWidget::Page(page), d->buttons->isPageDisplayed(page));
    connect(d->buttons, &OvrColorPickerButtonsWidget::pageDisplayedChanged, d->picker, [this](int page, bool shown) {
        d->picker->setPageVisible(OvrColorPickerWidget::Page(page), shown);
    });
    connect(d->buttons, &OvrColorPickerButtonsWidget::addToFavoriteList, d->picker, [this](const QString &list) {
        d->picker->setFavoritesListName(list);
        d->picker->onAddColorToFavorites(d->picker->color(), d->picker->uid(), list);
    });
    connect(d->picker, &OvrColorPickerWidget::pickerSetOnSetColor, d->buttons,
            [this](int index, bool isNChannel) { d->buttons->updatePickerButtons(index, !isNChannel); });

    connect(d->picker, &OvrColorPickerWidget::mainColorChanged, this, &OvrColorPicker::mainColorChanged);
    connect(d->picker, &OvrColorPickerWidget::comparisonColorChanged, this, &OvrColorPicker::comparisonColorChanged);
    connect(d->picker, &OvrColorPickerWidget::colorAddedToFavorites, this, &OvrColorPicker::colorAddedToFavorites);
    connect(d->picker, &OvrColorPickerWidget::pickerSetOnSetColor, this, &OvrColorPicker::pickerSetOnSetColor);
    connect(d->picker, &OvrColorPickerWidget::clearPreviousSelection, this, &OvrColorPicker::clearPreviousSelection);
}

OvrColorPicker::~OvrColorPicker() = default;

OvrColorPickerWidget *OvrColorPicker::pickerWidget() const
{
    return d->picker;
}

OvrColorPickerButtonsWidget *OvrColorPicker::buttonsWidget() const
{
    return d->buttons;
}

QString OvrColorPicker::defaultSwatchListName()
{
    return QStringLiteral("Halvane Swatches");
}

QString OvrColorPicker::migratedFavoritesListName()
{
    return QStringLiteral("Migrated Favorites");
}

void OvrColorPicker::setPageEnabled(int page, bool enabled)
{
    d->buttons->setPageEnabled(page, enabled);
    d->picker->setPageEnabled(OvrColorPickerWidget::Page(page), enabled);
}

void OvrColorPicker::setColorAndSelectMainPreview(const OvrColor &color, const QString &uid)
{
    d->picker->onMainSwatchSelected();
    d->picker->setColor(color, uid);
}

void OvrColorPicker::setColor(const OvrColor &color, const QString &uid)
{
    d->picker->setColor(color, uid);
}

} // namespace OvrColorPickerLib
