// SPDX-License-Identifier: GPL-3.0-or-later
#include "whitepickerwidget.h"

#include "blackbodycurvewidget.h"
#include "colorappearance.h"
#include "cctpickerwidget.h"
#include "cctutils.h"
#include "colortempsliderwidget.h"
#include "colortintsliderwidget.h"
#include "ovrcolorlibrary.h"
#include "tintpickerwidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace OvrColorPickerLib {

namespace {
const QString kSwatchList = QStringLiteral("Halvane Swatches");

QIcon swatchIcon(const OvrColor &color, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(ColorAppearance::shown(color));
    QPainter p(&pixmap);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawRect(0, 0, size - 1, size - 1);
    return QIcon(pixmap);
}
} // namespace

class WhitePickerWidget::Private
{
public:
    BlackBodyCurveWidget *curve = nullptr;
    CCTPickerWidget *cctPicker = nullptr;
    TintPickerWidget *tintPicker = nullptr;
    ColorTempSliderWidget *cctSlider = nullptr;
    ColorTintSliderWidget *tintSlider = nullptr;
    QComboBox *presets = nullptr;
    QComboBox *named = nullptr;

    int cct = 4000;
    int tint = 0;
    double Y = 1.0;
    double alpha = 1.0;
    double x = 0;
    double y = 0;
    bool inRange = true;
    OvrColor color;
    QString uid;
    bool reloadPending = false;
};

WhitePickerWidget::WhitePickerWidget(QWidget *parent)
    : QWidget(parent)
    , d(new Private)
{
    d->curve = new BlackBodyCurveWidget(this);
    d->curve->setObjectName(QStringLiteral("blackBodyCurve"));
    d->cctPicker = new CCTPickerWidget(this);
    d->cctPicker->setObjectName(QStringLiteral("cctPicker"));
    d->tintPicker = new TintPickerWidget(this);
    d->tintPicker->setObjectName(QStringLiteral("tintPicker"));
    d->cctSlider = new ColorTempSliderWidget(this);
    d->cctSlider->setObjectName(QStringLiteral("colorTempSlider"));
    d->tintSlider = new ColorTintSliderWidget(this);
    d->tintSlider->setObjectName(QStringLiteral("colorTintSlider"));
    d->presets = new QComboBox(this);
    d->presets->setObjectName(QStringLiteral("whitePresetCombo"));
    d->presets->setAccessibleName(tr("White presets"));
    d->named = new QComboBox(this);
    d->named->setObjectName(QStringLiteral("namedWhiteCombo"));
    d->named->setAccessibleName(tr("Named whites"));

    auto *presetLabel = new QLabel(tr("Presets:"), this);
    presetLabel->setBuddy(d->presets);
    auto *namedLabel = new QLabel(tr("Named Whites:"), this);
    namedLabel->setBuddy(d->named);
    // The two sliders share a row, as the two lists do below them: the page
    // then fits the height a 768-pixel screen leaves it.
    auto *controls = new QGridLayout;
    controls->setHorizontalSpacing(fontMetrics().height());
    controls->addWidget(d->cctSlider, 0, 0, 1, 2);
    controls->addWidget(d->tintSlider, 0, 2, 1, 2);
    controls->addWidget(presetLabel, 1, 0);
    controls->addWidget(d->presets, 1, 1);
    controls->addWidget(namedLabel, 1, 2);
    controls->addWidget(d->named, 1, 3);
    controls->setColumnStretch(1, 1);
    controls->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(this);
    // The picker frames its pages already.
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(fontMetrics().height() / 4);
    layout->addWidget(d->curve, 1);
    layout->addWidget(d->cctPicker);
    layout->addWidget(d->tintPicker);
    layout->addLayout(controls);

    connect(d->curve, &BlackBodyCurveWidget::colorChanged, this, [this] {
        d->cct = d->curve->cct();
        d->tint = d->curve->tint();
        emitWhite();
    });
    connect(d->cctPicker, &CCTPickerWidget::cctChanged, this, [this](int k) { setCCTAndTint(k, d->tint); });
    connect(d->cctSlider, &ColorTempSliderWidget::cctChanged, this, [this](int k) { setCCTAndTint(k, d->tint); });
    connect(d->tintPicker, &TintPickerWidget::tintChanged, this, [this](int t) { setCCTAndTint(d->cct, t); });
    connect(d->tintSlider, &ColorTintSliderWidget::tintChanged, this, [this](int t) { setCCTAndTint(d->cct, t); });
    connect(d->presets, qOverload<int>(&QComboBox::activated), this, [this](int i) { pickSwatch(i, false); });
    connect(d->named, qOverload<int>(&QComboBox::activated), this, [this](int i) { pickSwatch(i, true); });

    const struct {
        const char *keys;
        void (WhitePickerWidget::*slot)();
    } shortcuts[] = {
        {"Ctrl+R", &WhitePickerWidget::onIncreaseRed},   {"Ctrl+Shift+R", &WhitePickerWidget::onDecreaseRed},
        {"Ctrl+G", &WhitePickerWidget::onIncreaseGreen}, {"Ctrl+Shift+G", &WhitePickerWidget::onDecreaseGreen},
        {"Ctrl+B", &WhitePickerWidget::onIncreaseBlue},  {"Ctrl+Shift+B", &WhitePickerWidget::onDecreaseBlue},
    };
    for (const auto &s : shortcuts) {
        auto *shortcut = new QShortcut(QKeySequence(QLatin1String(s.keys)), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, s.slot);
    }

    // The swatch list may be filled or edited after the page is built; one
    // re-read after a burst of edits is enough.
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    auto schedule = [this] {
        if (d->reloadPending)
            return;
        d->reloadPending = true;
        QTimer::singleShot(0, this, [this] {
            d->reloadPending = false;
            reloadWhites();
        });
    };
    connect(library, &OvrColorLibrary::changed, this, schedule);
    connect(library, &OvrColorLibrary::addedColorToList, this, schedule);
    connect(library, &QAbstractItemModel::rowsRemoved, this, schedule);
    connect(library, &QAbstractItemModel::dataChanged, this, schedule);
    connect(library, &QAbstractItemModel::modelReset, this, schedule);
    connect(ColorAppearance::instance(), &ColorAppearance::fixtureClassChanged, this, schedule);
    reloadWhites();
    setCCTAndTint(4000, 0);
    d->uid.clear();
}

WhitePickerWidget::~WhitePickerWidget() = default;

OvrColor WhitePickerWidget::color() const
{
    return d->color;
}

QString WhitePickerWidget::uid() const
{
    return d->uid;
}

int WhitePickerWidget::cct() const
{
    return d->cct;
}

int WhitePickerWidget::tint() const
{
    return d->tint;
}

bool WhitePickerWidget::isInWhiteRange() const
{
    return d->inRange;
}

void WhitePickerWidget::setColor(const OvrColor &color, const QString &uid)
{
    // The colour this page just made comes back from the picker: keep the
    // CCT and tint it was made from rather than re-deriving them.
    if (!color.isValid() || (color == d->color && uid == d->uid))
        return;
    double Y = 0;
    double x = 0;
    double y = 0;
    double a = 1.0;
    color.getYxyF(&Y, &x, &y, &a);
    d->color = color;
    d->uid = uid;
    d->Y = Y > 0 ? Y : 1.0;
    d->alpha = a;
    d->x = x;
    d->y = y;
    int k = d->cct;
    int t = 0;
    // A white keeps its own tint. Any other colour starts the page on the
    // black-body curve at its nearest temperature: taking over a clamped
    // tint would tinge every white picked from there.
    d->inRange = BlackBodyCurveWidget::startingCCTAndTint(x, y, k, t);
    d->cct = qBound(CCTUtils::getMinCCT(), k, CCTUtils::getMaxCCT());
    d->tint = qBound(CCTUtils::getMinTint(), t, CCTUtils::getMaxTint());
    d->curve->setColor(color);
    showWhite();
}

void WhitePickerWidget::setCCTAndTint(int cct, int tint)
{
    cct = qBound(CCTUtils::getMinCCT(), cct, CCTUtils::getMaxCCT());
    tint = qBound(CCTUtils::getMinTint(), tint, CCTUtils::getMaxTint());
    if (d->inRange && cct == d->cct && tint == d->tint && d->color.isValid())
        return;
    d->cct = cct;
    d->tint = tint;
    d->curve->setCCTAndTint(cct, tint);
    emitWhite();
}

void WhitePickerWidget::emitWhite()
{
    CCTUtils::getxyFromCCTAndTint(d->cct, d->tint, d->x, d->y);
    d->inRange = true;
    d->color = OvrColor();
    d->color.setYxyF(d->Y, d->x, d->y, d->alpha, ColorUtils::ProfileGenericRGB);
    d->uid.clear();
    showWhite();
    emit colorChanged(d->color, d->uid);
}

void WhitePickerWidget::showWhite()
{
    d->cctPicker->setCCT(d->cct);
    d->tintPicker->setCCT(d->cct);
    d->tintPicker->setTint(d->tint);
    d->cctSlider->setCCT(d->cct);
    d->tintSlider->setTint(d->tint);
    // The swatch boxes show the entry matching the colour, or nothing.
    for (QComboBox *combo : {d->presets, d->named}) {
        const QSignalBlocker blocker(combo);
        int match = 0;
        for (int i = 1; i < combo->count(); ++i) {
            if (combo->itemData(i).toString() == d->uid && !d->uid.isEmpty())
                match = i;
        }
        combo->setCurrentIndex(match);
    }
}

void WhitePickerWidget::reloadWhites()
{
    const int iconSize = fontMetrics().height();
    for (QComboBox *combo : {d->presets, d->named}) {
        combo->clear();
        combo->addItem(QString(QChar(0x2014))); // shown while the colour is none of the swatches
    }
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    static const QRegularExpression ansiName(QStringLiteral("^\\d+ K"));
    for (const QString &uid : library->getColorUids(kSwatchList)) {
        const OvrColor white = library->get(uid);
        if (white.spec() != OvrColor::Yxy)
            continue;
        const QString name = library->getColorName(uid);
        QComboBox *combo = ansiName.match(name).hasMatch() ? d->presets : d->named;
        combo->addItem(swatchIcon(white, iconSize), name, uid);
    }
    d->presets->setEnabled(d->presets->count() > 1);
    d->named->setEnabled(d->named->count() > 1);
}

void WhitePickerWidget::pickSwatch(int comboIndex, bool named)
{
    QComboBox *combo = named ? d->named : d->presets;
    const QString uid = combo->itemData(comboIndex).toString();
    if (uid.isEmpty())
        return;
    const OvrColor white = OvrColorLibrary::Instance()->get(uid);
    if (!white.isValid())
        return;
    const double oldY = d->Y;
    setColor(white, uid);
    if (!qFuzzyCompare(oldY, d->Y))
        emit intensityChanged(d->Y);
    emit colorChanged(d->color, d->uid);
}

void WhitePickerWidget::onIncreaseRed()
{
    setCCTAndTint(d->cct - CCTNudge, d->tint);
}

void WhitePickerWidget::onDecreaseRed()
{
    setCCTAndTint(d->cct + CCTNudge, d->tint);
}

void WhitePickerWidget::onIncreaseGreen()
{
    setCCTAndTint(d->cct, d->tint + TintNudge);
}

void WhitePickerWidget::onDecreaseGreen()
{
    setCCTAndTint(d->cct, d->tint - TintNudge);
}

void WhitePickerWidget::onIncreaseBlue()
{
    setCCTAndTint(d->cct + CCTNudge, d->tint);
}

void WhitePickerWidget::onDecreaseBlue()
{
    setCCTAndTint(d->cct - CCTNudge, d->tint);
}

} // namespace OvrColorPickerLib
