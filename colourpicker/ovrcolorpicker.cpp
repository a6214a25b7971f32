// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrcolorpicker.h"

#include "ovrcolorpickerbuttonswidget.h"
#include "ovrcolorpickerlogging.h"
#include "ovrcolorpickerwidget.h"

#include "ovrcolorlibrary.h"

#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>

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
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    // Once per process: a second picker finds the defaults in place.
    if (library->containsDefaults())
        return;
    addDefaultSwatches();
    library->loadPresetFiles();
    library->setContainsDefaults(true);
    library->loadUserColors(QString());
    migrateFavorites();
}

void OvrColorPicker::Private::addDefaultSwatches()
{
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    const QString list = defaultSwatchListName();
    const auto add = [library, &list](const OvrColor &color, const QString &label) {
        library->createColorWithName(color, label, list, QString(), QString());
    };
    add(OvrColor(Qt::red), tr("Red"));
    add(OvrColor::fromRgb8(255, 127, 0, 255, ColorUtils::PrismalProfileID(0)), tr("Orange"));
    add(OvrColor(Qt::yellow), tr("Yellow"));
    add(OvrColor(Qt::green), tr("Green"));
    add(OvrColor(Qt::cyan), tr("Cyan"));
    add(OvrColor(Qt::blue), tr("Blue"));
    add(OvrColor::fromRgb8(139, 0, 255, 255, ColorUtils::PrismalProfileID(0)), tr("Violet"));
    add(OvrColor(Qt::magenta), tr("Magenta"));
    add(OvrColor(Qt::white), tr("White"));
    add(OvrColor::fromRgb8(192, 192, 192, 255, ColorUtils::PrismalProfileID(0)), tr("Silver"));
    add(OvrColor::fromRgb8(128, 128, 128, 255, ColorUtils::PrismalProfileID(0)), tr("Gray"));
    add(OvrColor(Qt::black), tr("Black"));

    // Centres of the ANSI white bins.
    static const struct
    {
        int cct;
        double x;
        double y;
    } bins[] = {{2700, 0.45766, 0.40983}, {3000, 0.43387, 0.40319}, {3500, 0.40775, 0.39292},
                {4000, 0.38177, 0.37959}, {4500, 0.36128, 0.36686}, {5000, 0.34464, 0.35506},
                {5700, 0.32867, 0.34246}, {6500, 0.3123, 0.32825}};
    for (const auto &bin : bins)
        add(OvrColor(bin.x, bin.y), tr("%1 K %2").arg(bin.cct).arg(tr("/ center of ANSI bin")));

    static const struct
    {
        const char *label;
        double x;
        double y;
    } whites[] = {{QT_TR_NOOP("Candle"), 0.50563, 0.4152},
                  {QT_TR_NOOP("Incandescent"), 0.44757, 0.40745},
                  {QT_TR_NOOP("Afternoon Daylight"), 0.33242, 0.34743},
                  {QT_TR_NOOP("Noon Daylight"), 0.31271, 0.32902},
                  {QT_TR_NOOP("North Sky Daylight"), 0.29902, 0.31485},
                  {QT_TR_NOOP("Overcast Sky"), 0.28063, 0.28829},
                  {QT_TR_NOOP("Spring White"), 0.34724, 0.38528},
                  {QT_TR_NOOP("Summer White"), 0.41848, 0.42916},
                  {QT_TR_NOOP("Fall White"), 0.50459, 0.40021},
                  {QT_TR_NOOP("Winter White"), 0.28972, 0.31094},
                  {QT_TR_NOOP("Rose White"), 0.38549, 0.34874},
                  {QT_TR_NOOP("Violet White"), 0.31789, 0.29164}};
    for (const auto &white : whites)
        add(OvrColor(white.x, white.y), tr(white.label));
}

namespace {

/**
 * The colour an old favourite was stored as: "color" or "value" as text in
 * any form OvrColor reads (its own "aRgb;..." form, "#rrggbb", colour names)
 * or as a QColor, or "red", "green", "blue" (and "alpha") levels 0..255.
 */
OvrColor oldFavoriteColor(const QSettings &settings)
{
    for (const char *key : {"color", "value"}) {
        const QVariant value = settings.value(QLatin1String(key));
        if (!value.isValid())
            continue;
        if (value.type() == QVariant::Color) {
            const QColor color = value.value<QColor>();
            if (color.isValid())
                return OvrColor(color);
            continue;
        }
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            continue;
        // Parse quietly: an unreadable favourite gets one warning from the caller.
        const bool known = text.contains(QLatin1Char(';')) || text.startsWith(QLatin1Char('#'))
                           || QColor::isValidColor(text);
        if (known) {
            const OvrColor color(text);
            if (color.isValid())
                return color;
        }
    }
    bool okR = false, okG = false, okB = false, okA = true;
    const int r = settings.value(QStringLiteral("red")).toInt(&okR);
    const int g = settings.value(QStringLiteral("green")).toInt(&okG);
    const int b = settings.value(QStringLiteral("blue")).toInt(&okB);
    const QVariant alpha = settings.value(QStringLiteral("alpha"));
    const int a = alpha.isValid() ? alpha.toInt(&okA) : 255;
    const auto in8 = [](int v) { return v >= 0 && v <= 255; };
    if (okR && okG && okB && okA && in8(r) && in8(g) && in8(b) && in8(a))
        return OvrColor::fromRgb8(r, g, b, a, ColorUtils::PrismalProfileID(0));
    return OvrColor();
}

} // namespace

void OvrColorPicker::Private::migrateFavorites()
{
    QSettings old(QStringLiteral("Halvane Lighting"), QStringLiteral("OvrColorPicker"));
    old.beginGroup(QStringLiteral("Effect Manager"));
    old.beginGroup(QStringLiteral("Favorite Colors"));
    QStringList children = old.childGroups();
    if (children.isEmpty()) {
        old.endGroup();
        old.endGroup();
        return;
    }
    // Favourites were numbered: "2" comes before "10"; names after numbers.
    std::stable_sort(children.begin(), children.end(), [](const QString &a, const QString &b) {
        bool aNumber = false, bNumber = false;
        const qlonglong an = a.toLongLong(&aNumber);
        const qlonglong bn = b.toLongLong(&bNumber);
        if (aNumber != bNumber)
            return aNumber;
        return aNumber ? an < bn : a < b;
    });

    OvrColorLibrary *library = OvrColorLibrary::Instance();
    // The old favourites may go only once the new list is in the user file:
    // watch every save from creating the list to the end of the batch.
    bool saved = false;
    const QMetaObject::Connection watch =
        QObject::connect(library, &OvrColorLibrary::userColorsSaved, [&saved](bool ok) { saved = ok; });
    const QString list = library->getNewColorListName(migratedFavoritesListName());
    library->createColorList(migratedFavoritesListName(), true);
    library->setEditingMultipleColors(true);
    int migrated = 0;
    for (const QString &child : qAsConst(children)) {
        old.beginGroup(child);
        const OvrColor color = oldFavoriteColor(old);
        const QString name = old.value(QStringLiteral("name")).toString();
        old.endGroup();
        if (!color.isValid()) {
            qCWarning(lcColorPicker) << "skipping old favourite" << child << "whose values are not a colour";
            continue;
        }
        library->createColorWithName(color, name, list, QString(), QString());
        ++migrated;
    }
    library->setEditingMultipleColors(false);
    QObject::disconnect(watch);

    old.endGroup();
    if (saved) {
        old.remove(QStringLiteral("Favorite Colors"));
    } else {
        qCWarning(lcColorPicker) << "old favourites kept: the migrated list could not be saved";
    }
    old.endGroup();
    qCDebug(lcColorPicker) << "migrated" << migrated << "of" << children.size() << "old favourites into" << list;
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

    OvrColorLibrary *library = OvrColorLibrary::Instance();
    d->buttons->updateColorLists(library->getModifiableLists());
    connect(library, &OvrColorLibrary::listsChanged, d->buttons, &OvrColorPickerButtonsWidget::updateColorLists);
    connect(library, &OvrColorLibrary::listRenamed, d->buttons, &OvrColorPickerButtonsWidget::handleListRenamed);

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

bool OvrColorPicker::isOpacityVisible() const
{
    return d->picker->isOpacityVisible();
}

void OvrColorPicker::setOpacityVisible(bool visible)
{
    d->picker->setOpacityVisible(visible);
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
