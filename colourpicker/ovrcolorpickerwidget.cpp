// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrcolorpickerwidget.h"

#include "colorappearance.h"
#include "colortreeandfilterwidget.h"
#include "colorviewwidget.h"
#include "intensitysliderwidget.h"
#include "nchannelpickerwidget.h"
#include "opacitysliderwidget.h"
#include "ovrcolorpickerlogging.h"
#include "rgbpickerwidget.h"
#include "whitepickerwidget.h"

#include "ovrcolorlibrary.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

namespace OvrColorPickerLib {

class OvrColorPickerWidget::Private
{
public:
    explicit Private(OvrColorPickerWidget *q)
        : q(q)
    {
    }

    void buildLayout();
    void connectSwatches();
    void createWhitePage();
    void createNChannelPage();
    /** Builds the page @p page if it is not built yet, showing the selected swatch's colour. */
    void ensurePage(Page page);
    void createColorTree();
    void showColorOnWhitePage(const OvrColor &color, const QString &uid);
    void showColorOnNChannelPage(const OvrColor &color, const QString &uid);
    /** Shows the colour on the pages and sliders, emitting nothing. */
    void showColor(const OvrColor &color, const QString &uid);
    void selectSwatch(int index);
    /** The levels the main colour is sent as, beside the main swatch. */
    void showSentLevels();
    void comparisonChanged(int index, const OvrColor &color, const QString &uid);
    static QWidget *placeholder(const QString &text, QWidget *parent);

    OvrColorPickerWidget *q;
    ColorViewWidget *swatches[4] = {};
    int selected = 0;
    QSplitter *pageSplitter = nullptr;
    QWidget *pageAreas[PageCount] = {};
    QWidget *treeArea = nullptr;
    RgbPickerWidget *rgbPage = nullptr;
    // Filled in by createWhitePage() and createNChannelPage().
    QWidget *whitePage = nullptr;
    QWidget *nChannelPage = nullptr;
    QWidget *colorTree = nullptr;
    OpacitySliderWidget *opacitySlider = nullptr;
    IntensitySliderWidget *intensitySlider = nullptr;
    QLabel *sentLabel = nullptr;
    bool opacityVisible = true;
    QString favoritesList;
};

QWidget *OvrColorPickerWidget::Private::placeholder(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setEnabled(false);
    label->setMinimumWidth(label->fontMetrics().height() * 8);
    return label;
}

void OvrColorPickerWidget::Private::buildLayout()
{
    auto *swatchRow = new QHBoxLayout;
    swatchRow->setSpacing(q->fontMetrics().height() / 3);
    for (int i = 0; i < 4; ++i) {
        swatches[i] = new ColorViewWidget(i == 0, q);
        swatchRow->addWidget(swatches[i], i == 0 ? 1 : 0);
        if (i == 0) {
            sentLabel = new QLabel(q);
            sentLabel->setObjectName(QStringLiteral("sentLevelsLabel"));
            sentLabel->setToolTip(tr("The levels the fixture's red, green and blue inputs receive for the main color"));
            sentLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
            swatchRow->addWidget(sentLabel);
        }
    }
    swatches[0]->setObjectName(QStringLiteral("mainSwatch"));
    swatches[0]->setAccessibleName(tr("Main color"));
    for (int i = 1; i < 4; ++i) {
        swatches[i]->setObjectName(QStringLiteral("comparisonSwatch%1").arg(i));
        swatches[i]->setAccessibleName(tr("Comparison color %1").arg(i));
    }
    swatches[0]->setSelected(true);

    pageSplitter = new QSplitter(Qt::Horizontal, q);
    pageSplitter->setObjectName(QStringLiteral("pageSplitter"));
    pageSplitter->setChildrenCollapsible(false);
    treeArea = new QWidget(pageSplitter);
    treeArea->setObjectName(QStringLiteral("colorTreeArea"));
    auto *treeLayout = new QVBoxLayout(treeArea);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    pageSplitter->addWidget(treeArea);
    static const char *const names[PageCount] = {"rgbPageArea", "whitePageArea", "nChannelPageArea"};
    for (int page = 0; page < PageCount; ++page) {
        pageAreas[page] = new QWidget(pageSplitter);
        pageAreas[page]->setObjectName(QString::fromLatin1(names[page]));
        auto *layout = new QVBoxLayout(pageAreas[page]);
        layout->setContentsMargins(0, 0, 0, 0);
        pageSplitter->addWidget(pageAreas[page]);
        pageSplitter->setStretchFactor(page + 1, 1);
    }

    rgbPage = new RgbPickerWidget(pageAreas[RgbPage]);
    pageAreas[RgbPage]->layout()->addWidget(rgbPage);
    // The white and channel pages are built when they are first shown
    // (ensurePage()): most pickers never show them.
    createColorTree();
    treeArea->setVisible(colorTree != nullptr);

    opacitySlider = new OpacitySliderWidget(q);
    opacitySlider->setObjectName(QStringLiteral("opacitySlider"));
    intensitySlider = new IntensitySliderWidget(q);
    intensitySlider->setObjectName(QStringLiteral("intensitySlider"));
    // Line up the two sliders by giving both labels the wider width.
    const int labelWidth = qMax(opacitySlider->label()->sizeHint().width(),
                                intensitySlider->label()->sizeHint().width());
    opacitySlider->label()->setMinimumWidth(labelWidth);
    intensitySlider->label()->setMinimumWidth(labelWidth);

    // Opacity and intensity belong to the swatches' colour and sit beside
    // them, which leaves the pages the height of a row more.
    auto *levels = new QVBoxLayout;
    levels->setSpacing(0);
    levels->addStretch(1);
    levels->addWidget(opacitySlider);
    levels->addWidget(intensitySlider);
    levels->addStretch(1);
    swatchRow->addSpacing(q->fontMetrics().height() / 2);
    swatchRow->addLayout(levels, 1);

    auto *layout = new QVBoxLayout(q);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(swatchRow);
    layout->addWidget(pageSplitter, 1);
}

// The white page: its colours go to onWhitePickerColorChanged, a white
// swatch's intensity to the intensity slider.
void OvrColorPickerWidget::Private::createWhitePage()
{
    auto *page = new WhitePickerWidget(pageAreas[WhitePage]);
    page->setObjectName(QStringLiteral("whitePicker"));
    pageAreas[WhitePage]->layout()->addWidget(page);
    connect(page, &WhitePickerWidget::colorChanged, q, &OvrColorPickerWidget::onWhitePickerColorChanged);
    connect(page, &WhitePickerWidget::intensityChanged, q, &OvrColorPickerWidget::setIntensity);
    whitePage = page;
}

// The channel page: its n-channel colours go to onNChannelPickerColorChanged.
void OvrColorPickerWidget::Private::createNChannelPage()
{
    auto *page = new NChannelPickerWidget(pageAreas[NChannelPage]);
    page->setObjectName(QStringLiteral("nChannelPicker"));
    pageAreas[NChannelPage]->layout()->addWidget(page);
    connect(page, &NChannelPickerWidget::colorChanged, q, &OvrColorPickerWidget::onNChannelPickerColorChanged);
    nChannelPage = page;
}

// The colour library tree: a colour clicked in it becomes the colour of the
// selected swatch, as if set from outside.
void OvrColorPickerWidget::Private::createColorTree()
{
    auto *tree = new ColorTreeAndFilterWidget(treeArea);
    tree->setObjectName(QStringLiteral("colorTreeAndFilter"));
    treeArea->layout()->addWidget(tree);
    connect(tree, &ColorTreeAndFilterWidget::colorItemClicked, q,
            [this](const OvrColor &color, const QString &uid) { q->setColor(color, uid); });
    colorTree = tree;
}

void OvrColorPickerWidget::Private::ensurePage(Page page)
{
    if (page == WhitePage && !whitePage)
        createWhitePage();
    else if (page == NChannelPage && !nChannelPage)
        createNChannelPage();
    else
        return;
    QWidget *built = page == WhitePage ? whitePage : nChannelPage;
    // A widget added to a shown container appears only once the event loop
    // runs: show it with the container, as if it had been there all along.
    if (pageAreas[page]->isVisible())
        built->show();
    const ColorViewWidget *swatch = swatches[selected];
    if (page == WhitePage)
        showColorOnWhitePage(swatch->color(), swatch->uid());
    else
        showColorOnNChannelPage(swatch->color(), swatch->uid());
}

void OvrColorPickerWidget::Private::showColorOnWhitePage(const OvrColor &color, const QString &uid)
{
    if (whitePage)
        static_cast<WhitePickerWidget *>(whitePage)->setColor(color, uid);
}

void OvrColorPickerWidget::Private::showColorOnNChannelPage(const OvrColor &color, const QString &uid)
{
    if (nChannelPage)
        static_cast<NChannelPickerWidget *>(nChannelPage)->setColor(color, uid);
}

void OvrColorPickerWidget::Private::connectSwatches()
{
    connect(rgbPage, &RgbPickerWidget::colorChanged, q, &OvrColorPickerWidget::onRgbPickerColorChanged);
    connect(opacitySlider, &OpacitySliderWidget::opacityChanged, q, &OvrColorPickerWidget::onOpacityChanged);
    connect(intensitySlider, &IntensitySliderWidget::intensityChanged, q,
            &OvrColorPickerWidget::onIntensityChanged);

    connect(swatches[0], &ColorViewWidget::selected, q, &OvrColorPickerWidget::onMainSwatchSelected);
    connect(swatches[1], &ColorViewWidget::selected, q, &OvrColorPickerWidget::onComparisonSwatch1Selected);
    connect(swatches[2], &ColorViewWidget::selected, q, &OvrColorPickerWidget::onComparisonSwatch2Selected);
    connect(swatches[3], &ColorViewWidget::selected, q, &OvrColorPickerWidget::onComparisonSwatch3Selected);
    connect(swatches[1], &ColorViewWidget::colorChanged, q, &OvrColorPickerWidget::onComparisonSwatch1Changed);
    connect(swatches[2], &ColorViewWidget::colorChanged, q, &OvrColorPickerWidget::onComparisonSwatch2Changed);
    connect(swatches[3], &ColorViewWidget::colorChanged, q, &OvrColorPickerWidget::onComparisonSwatch3Changed);
    // A colour dropped on the main swatch, or its reset, is a new main colour.
    connect(swatches[0], &ColorViewWidget::colorChanged, q, [this](const OvrColor &color, const QString &uid) {
        if (selected == 0)
            showColor(color, uid);
        emit q->mainColorChanged(color, uid);
    });
    for (ColorViewWidget *swatch : swatches) {
        connect(swatch, &ColorViewWidget::addToFavorites, q,
                [this](const OvrColor &color, const QString &uid) { q->onAddColorToFavorites(color, uid); });
        connect(swatch, &ColorViewWidget::copyToMainColor, q, &OvrColorPickerWidget::onCopyColorToMainSwatch);
        connect(swatch, &ColorViewWidget::openInRGBPicker, q, [this](const OvrColor &color, const QString &uid) {
            q->setPageVisible(RgbPage, true);
            q->setColor(color, uid, true);
        });
        connect(swatch, &ColorViewWidget::openInWhitePicker, q, [this](const OvrColor &color, const QString &uid) {
            q->setPageVisible(WhitePage, true);
            q->setColor(color, uid, true);
        });
    }

    const struct
    {
        const char *keys;
        void (OvrColorPickerWidget::*slot)();
    } shortcuts[] = {{"Ctrl+1", &OvrColorPickerWidget::onComparisonSwatch1Selected},
                     {"CTRL+2", &OvrColorPickerWidget::onComparisonSwatch2Selected},
                     {"Ctrl+3", &OvrColorPickerWidget::onComparisonSwatch3Selected}};
    for (const auto &s : shortcuts) {
        auto *shortcut = new QShortcut(QKeySequence(QString::fromLatin1(s.keys)), q);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, q, s.slot);
    }
}

void OvrColorPickerWidget::Private::showColor(const OvrColor &color, const QString &uid)
{
    if (!color.isValid())
        return;
    rgbPage->setColor(color, uid);
    showColorOnWhitePage(color, uid);
    showColorOnNChannelPage(color, uid);

    const bool nChannel = color.spec() == OvrColor::NChannel;
    opacitySlider->setColor(color);
    opacitySlider->setOpacity(qRound(color.alphaF() * 100.0));
    opacitySlider->setEnabled(!nChannel);
    intensitySlider->setColor(color);
    const double intensity = color.spec() == OvrColor::Yxy ? color.getY() : color.valueF();
    intensitySlider->setIntensity(qRound(qBound(0.0, intensity, 1.0) * 100.0));
    intensitySlider->setEnabled(!nChannel);
}

void OvrColorPickerWidget::Private::showSentLevels()
{
    sentLabel->setText(ColorAppearance::sentText(swatches[0]->color()));
    // Wide enough for the widest levels seen, so the swatch does not jump.
    sentLabel->setMinimumWidth(qMax(sentLabel->minimumWidth(), sentLabel->sizeHint().width()));
}

void OvrColorPickerWidget::Private::selectSwatch(int index)
{
    if (index < 0 || index > 3)
        return;
    ColorViewWidget *swatch = swatches[index];
    // An empty comparison swatch starts from the main colour.
    if (!swatch->color().isValid() && swatches[0]->color().isValid()) {
        swatch->setColor(swatches[0]->color(), swatches[0]->uid());
        swatch->setOriginalColor(swatch->color(), swatch->uid());
        if (index > 0)
            emit q->comparisonColorChanged(swatch->color(), swatch->uid());
    }
    selected = index;
    for (int i = 0; i < 4; ++i)
        swatches[i]->setSelected(i == index);
    showColor(swatch->color(), swatch->uid());
}

void OvrColorPickerWidget::Private::comparisonChanged(int index, const OvrColor &color, const QString &uid)
{
    if (selected == index)
        showColor(color, uid);
    emit q->comparisonColorChanged(color, uid);
}

OvrColorPickerWidget::OvrColorPickerWidget(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("OvrColorPickerWidget"));
    d->buildLayout();
    d->connectSwatches();
    setFavoritesListName(tr("Favorites"));
    d->swatches[0]->setColor(OvrColor(Qt::white), QString());
    d->swatches[0]->setOriginalColor(OvrColor(Qt::white), QString());
    d->showColor(OvrColor(Qt::white), QString());
    d->showSentLevels();
    connect(ColorAppearance::instance(), &ColorAppearance::fixtureClassChanged, this, [this] { d->showSentLevels(); });
    // Every way the main colour changes ends in mainColorChanged().
    connect(this, &OvrColorPickerWidget::mainColorChanged, this, [this] { d->showSentLevels(); });
}

OvrColorPickerWidget::~OvrColorPickerWidget() = default;

OvrColor OvrColorPickerWidget::color() const
{
    return d->swatches[d->selected]->color();
}

QString OvrColorPickerWidget::uid() const
{
    return d->swatches[d->selected]->uid();
}

OvrColor OvrColorPickerWidget::mainColor() const
{
    return d->swatches[0]->color();
}

QString OvrColorPickerWidget::mainUid() const
{
    return d->swatches[0]->uid();
}

OvrColor OvrColorPickerWidget::comparisonColor(int index) const
{
    return index >= 1 && index <= 3 ? d->swatches[index]->color() : OvrColor();
}

int OvrColorPickerWidget::selectedSwatch() const
{
    return d->selected;
}

bool OvrColorPickerWidget::isPageVisible(Page page) const
{
    return !d->pageAreas[page]->isHidden();
}

void OvrColorPickerWidget::setPageVisible(Page page, bool visible)
{
    if (visible && isVisible())
        d->ensurePage(page);
    d->pageAreas[page]->setVisible(visible);
}

void OvrColorPickerWidget::showEvent(QShowEvent *event)
{
    // The pages on show are built before the picker is first painted.
    for (int page = 0; page < PageCount; ++page) {
        if (!d->pageAreas[page]->isHidden())
            d->ensurePage(Page(page));
    }
    QWidget::showEvent(event);
}

bool OvrColorPickerWidget::isPageEnabled(Page page) const
{
    return d->pageAreas[page]->isEnabled();
}

void OvrColorPickerWidget::setPageEnabled(Page page, bool enabled)
{
    d->pageAreas[page]->setEnabled(enabled);
}

QWidget *OvrColorPickerWidget::pageArea(Page page) const
{
    return d->pageAreas[page];
}

QWidget *OvrColorPickerWidget::colorTreeArea() const
{
    return d->treeArea;
}

ColorViewWidget *OvrColorPickerWidget::mainSwatch() const
{
    return d->swatches[0];
}

ColorViewWidget *OvrColorPickerWidget::comparisonSwatch(int index) const
{
    return index >= 1 && index <= 3 ? d->swatches[index] : nullptr;
}

bool OvrColorPickerWidget::isOpacityVisible() const
{
    return d->opacityVisible;
}

void OvrColorPickerWidget::setOpacityVisible(bool visible)
{
    d->opacityVisible = visible;
    d->opacitySlider->setVisible(visible);
    for (ColorViewWidget *swatch : d->swatches)
        swatch->setOpacityShown(visible);
}

QString OvrColorPickerWidget::favoritesListName() const
{
    return d->favoritesList;
}

void OvrColorPickerWidget::setFavoritesListName(const QString &listName)
{
    d->favoritesList = listName;
    for (ColorViewWidget *swatch : d->swatches)
        swatch->setFavoritesListName(listName);
}

void OvrColorPickerWidget::setColor(const OvrColor &color, const QString &uid, bool isLocalColorChange)
{
    if (!color.isValid())
        return;
    ColorViewWidget *swatch = d->swatches[d->selected];
    // An editor that stores the picked colour by its text form hands the same
    // colour back (an HSV pick returns as RGB): that is no change, and must
    // neither move the pages nor become the colour "Reset" returns to.
    if (swatch->uid() == uid && swatch->color().aName() == color.aName())
        return;
    const bool changed = swatch->color() != color || swatch->uid() != uid;
    swatch->setColor(color, uid);
    if (!isLocalColorChange)
        swatch->setOriginalColor(color, uid);
    d->showColor(color, uid);

    const int page = color.spec() == OvrColor::Yxy ? WhitePage
                     : color.spec() == OvrColor::NChannel ? NChannelPage
                                                          : RgbPage;
    emit pickerSetOnSetColor(page, color.spec() == OvrColor::NChannel);
    if (isLocalColorChange)
        emit clearPreviousSelection();
    if (!changed)
        return;
    if (d->selected == 0)
        emit mainColorChanged(color, uid);
    else
        emit comparisonColorChanged(color, uid);
}

void OvrColorPickerWidget::onOpacityChanged(int opacity)
{
    OvrColor c = color();
    if (!c.isValid() || c.spec() == OvrColor::NChannel)
        return;
    c.setAlphaF(qBound(0, opacity, 100) / 100.0);
    setColor(c, QString(), true);
}

void OvrColorPickerWidget::onIntensityChanged(int intensity)
{
    OvrColor c = color();
    if (!c.isValid() || c.spec() == OvrColor::NChannel)
        return;
    const double level = qBound(0, intensity, 100) / 100.0;
    if (c.spec() == OvrColor::Yxy) {
        c.setY(level);
    } else {
        // Keep hue and saturation; a grey keeps having no hue.
        double h = 0, s = 0, v = 0, a = 1;
        c.getHsvF(&h, &s, &v, &a);
        c = OvrColor::fromHsvF(h, s, level, a, c.getPrismalProfileID());
    }
    setColor(c, QString(), true);
}

void OvrColorPickerWidget::onMainSwatchSelected()
{
    d->selectSwatch(0);
}

void OvrColorPickerWidget::onComparisonSwatch1Selected()
{
    d->selectSwatch(1);
}

void OvrColorPickerWidget::onComparisonSwatch2Selected()
{
    d->selectSwatch(2);
}

void OvrColorPickerWidget::onComparisonSwatch3Selected()
{
    d->selectSwatch(3);
}

void OvrColorPickerWidget::onCopyColorToMainSwatch(const OvrColor &color, const QString &uid)
{
    if (!color.isValid())
        return;
    d->swatches[0]->setColor(color, uid);
    if (d->selected == 0)
        d->showColor(color, uid);
    emit mainColorChanged(color, uid);
}

void OvrColorPickerWidget::onComparisonSwatch1Changed(const OvrColor &color, const QString &uid)
{
    d->comparisonChanged(1, color, uid);
}

void OvrColorPickerWidget::onComparisonSwatch2Changed(const OvrColor &color, const QString &uid)
{
    d->comparisonChanged(2, color, uid);
}

void OvrColorPickerWidget::onComparisonSwatch3Changed(const OvrColor &color, const QString &uid)
{
    d->comparisonChanged(3, color, uid);
}

void OvrColorPickerWidget::onAddColorToFavorites(const OvrColor &color, const QString &uid, const QString &list)
{
    if (!color.isValid())
        return;
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    // A read-only list of the favourites' name (a preset) would take the
    // colour without ever saving it: it goes to the user list beside it.
    const QString target = library->modifiableList(list.isEmpty() ? d->favoritesList : list);
    if (target.isEmpty())
        return;
    // Receivers of colorAddedToFavorites() may add the colour themselves (the
    // scene editors do); the picker adds it only when none did, so the list
    // gets exactly one entry either way.
    const QStringList before = library->getColorUids(target);
    emit colorAddedToFavorites(color, uid, target);
    const QStringList after = library->getColorUids(target);
    for (const QString &added : after) {
        if (!before.contains(added) && library->get(added).aName() == color.aName())
            return;
    }
    library->createColorWithName(color, library->suggestedName(color, uid), target, QString(), QString());
}

void OvrColorPickerWidget::onRgbPickerColorChanged(const OvrColor &color, const QString &uid)
{
    setColor(color, uid, true);
}

void OvrColorPickerWidget::onWhitePickerColorChanged(const OvrColor &color, const QString &uid)
{
    setColor(color, uid, true);
}

void OvrColorPickerWidget::setIntensity(double intensity)
{
    d->intensitySlider->setIntensity(qRound(qBound(0.0, intensity, 1.0) * 100.0));
}

void OvrColorPickerWidget::onNChannelPickerColorChanged(OvrColor &color, QString &uid)
{
    setColor(color, uid, true);
}

} // namespace OvrColorPickerLib
