// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcolorwasheffectwidget.h"
#include "ui_mspcolorwasheffectwidget.h"

#include "mspcolorwasheffect.h"
#include "mspcustomwasheffect.h"
#include "mspeffect.h"
#include "mspfixedcoloreffect.h"
#include "ovrcolor.h"
#include "ovrcolorpicker.h"

#include <QGridLayout>
#include <QSettings>
#include <QSplitter>
#include <QTimer>

MSPColorWashEffectWidget::MSPColorWashEffectWidget(QWidget *parent)
    : MSPEffectWidget(parent)
    , ui(new Ui::MSPCustomWashWidget)
{
    ui->setupUi(this);
    // Patches big enough to aim at, from the font rather than pixels.
    ui->colorListPicker->setPatchSize(qMax(27, fontMetrics().height() * 2 + 4));
    ui->colorListPicker->setMaximumCount(MSPEffect::maximumColors);
    ui->colorListPicker->setDefaultColor(MSPFixedColorEffect::defaultColor());
    ui->colorLimitLabel->hide();
    // The keypad plays colours without opacity.
    ui->colorPicker->setOpacityVisible(false);
    ui->splitter->setStretchFactor(1, 1);
    // The user's split between the colours and the picker holds for every
    // wash editor and the next start.
    connect(ui->splitter, &QSplitter::splitterMoved, this, [this] {
        QSettings().setValue(QLatin1String(splitterKey), ui->splitter->saveState());
    });
    // Without the colours the plain wash's controls sit at the top.
    ui->colorsLayout->addStretch(1);
    // The chosen direction must read at a glance.
    const QString toggle = QStringLiteral(
        "QPushButton:checked { background-color: palette(highlight); color: palette(highlighted-text);"
        " border: 1px solid palette(dark); border-radius: 3px; padding: 4px 10px; font-weight: bold; }");
    // The checked button's bold text and padding must fit as well: the
    // button's own size hint knows only the plain text.
    QFont bold = font();
    bold.setBold(true);
    for (QPushButton *button : {ui->leftToRightButton, ui->rightToLeftButton}) {
        button->setStyleSheet(toggle);
        button->setMinimumWidth(qMax(button->sizeHint().width(), QFontMetrics(bold).horizontalAdvance(button->text())
                                                                     + 2 * fontMetrics().height()));
    }
    ui->speedValueLabel->setMinimumWidth(speedLabelWidth(fontMetrics()));
    // The direction shares the speed's row: keep the two apart.
    ui->directionLabel->setContentsMargins(fontMetrics().height(), 0, 0, 0);
    keepNarrowMinimum();

    connect(ui->speedSlider, &QSlider::valueChanged, this, &MSPColorWashEffectWidget::handleSpeedSliderChanged);
    connect(ui->speedSlider, &QSlider::sliderReleased, this, &MSPEffectWidget::changeFinished);
    connect(ui->leftToRightButton, &QPushButton::clicked, this, &MSPColorWashEffectWidget::handleUpClicked);
    connect(ui->rightToLeftButton, &QPushButton::clicked, this, &MSPColorWashEffectWidget::handleDownClicked);
    connect(ui->widthSlider, &QSlider::valueChanged, this, &MSPColorWashEffectWidget::handleWidthSliderChanged);
    connect(ui->widthSlider, &QSlider::sliderReleased, this, &MSPEffectWidget::changeFinished);
    connect(ui->widthEdit, qOverload<int>(&QSpinBox::valueChanged), this,
            &MSPColorWashEffectWidget::handleWidthEditChanged);
    connect(ui->colorListPicker, &ColorListPicker2::editColor, this, &MSPColorWashEffectWidget::handleEditColorChanged);
    connect(ui->colorListPicker, &ColorListPicker2::colorChanged, this,
            &MSPColorWashEffectWidget::handleColorListChanged);
    connect(ui->colorListPicker, &ColorListPicker2::colorCountChanged, this,
            &MSPColorWashEffectWidget::handleColorListChanged);

    connect(ui->colorPicker, &OvrColorPickerLib::OvrColorPicker::colorAddedToFavorites, this,
            &MSPEffectWidget::handleAddToFavorites);
    // The picker's own clearing signal is not followed here: it comes with
    // every intensity or opacity change, and clearing the strip's selection
    // then would lose the very change the user made to the selected colour.

    // The plain colour wash runs through the colour wheel: no colours, no width.
    setColorControlsVisible(false);
}

MSPColorWashEffectWidget::~MSPColorWashEffectWidget() = default;

void MSPColorWashEffectWidget::showEvent(QShowEvent *event)
{
    MSPEffectWidget::showEvent(event);
    // Another wash editor may have been given another split meanwhile.
    const QByteArray state = QSettings().value(QLatin1String(splitterKey)).toByteArray();
    if (!state.isEmpty() && state != ui->splitter->saveState())
        ui->splitter->restoreState(state);
    else if (state.isEmpty())
        fitColorsSoon();
}

void MSPColorWashEffectWidget::fitColorsSoon()
{
    // Once the splitter has its height: the colours as much as they ask
    // for, the picker the rest, until the user moves the divider.
    QTimer::singleShot(0, this, [this] {
        if (!QSettings().value(QLatin1String(splitterKey)).toByteArray().isEmpty())
            return;
        const QList<int> sizes = ui->splitter->sizes();
        const int total = sizes.value(0) + sizes.value(1);
        if (sizes.size() != 2 || total <= 0)
            return;
        const int colors = qMin(total, ui->colorsPanel->sizeHint().height());
        if (sizes.at(0) != colors)
            ui->splitter->setSizes({colors, total - colors});
    });
}

void MSPColorWashEffectWidget::resizeEvent(QResizeEvent *event)
{
    MSPEffectWidget::resizeEvent(event);
    arrangeControls(width());
}

void MSPColorWashEffectWidget::arrangeControls(int width)
{
    QGridLayout *grid = ui->gridLayout;
    const int spacing = qMax(0, grid->horizontalSpacing());
    const int besideWidth = ui->speedLabel->sizeHint().width() + sliderRoom * fontMetrics().height()
                            + ui->speedValueLabel->minimumSizeHint().width()
                            + ui->directionLabel->sizeHint().width() + ui->directionButtons->sizeHint().width()
                            + 4 * spacing;
    const bool beside = width >= besideWidth;
    if (beside == m_directionBesideSpeed)
        return;
    m_directionBesideSpeed = beside;
    const int colorsBefore = ui->colorsPanel->minimumSizeHint().height();
    QWidget *const moved[] = {ui->directionLabel, ui->directionButtons, ui->widthLabel, ui->widthSlider,
                              ui->widthEdit};
    for (QWidget *widget : moved)
        grid->removeWidget(widget);
    const int widthRow = beside ? 1 : 2;
    if (beside) {
        grid->addWidget(ui->directionLabel, 0, 3);
        grid->addWidget(ui->directionButtons, 0, 4);
    } else {
        grid->addWidget(ui->directionLabel, 1, 0);
        grid->addWidget(ui->directionButtons, 1, 1, 1, 2, Qt::AlignLeft);
    }
    grid->addWidget(ui->widthLabel, widthRow, 0);
    grid->addWidget(ui->widthSlider, widthRow, 1);
    grid->addWidget(ui->widthEdit, widthRow, 2);
    // The indent keeps the direction apart from the speed's value only beside it.
    ui->directionLabel->setContentsMargins(beside ? fontMetrics().height() : 0, 0, 0, 0);
    keepNarrowMinimum();
    fitColorsSoon();
    // With the user's own split, the row the controls give up goes to the
    // picker (the splitter would leave it to the colours); the row they
    // take comes from it anyway.
    const int freed = colorsBefore - ui->colorsPanel->minimumSizeHint().height();
    QList<int> sizes = ui->splitter->sizes();
    if (freed > 0 && sizes.size() == 2 && sizes.at(0) - freed >= ui->colorsPanel->minimumSizeHint().height()) {
        sizes[0] -= freed;
        sizes[1] += freed;
        ui->splitter->setSizes(sizes);
    }
}

void MSPColorWashEffectWidget::keepNarrowMinimum()
{
    // Beside the speed, the direction claims no minimum width: the editor's
    // minimum stays that of the stacked rows, so the window can still be
    // narrowed to where the rows stack (a hidden editor is not resized).
    const int minimum = m_directionBesideSpeed ? 1 : 0;
    ui->directionLabel->setMinimumWidth(minimum);
    ui->directionButtons->setMinimumWidth(minimum);
}

const QMetaObject &MSPColorWashEffectWidget::effectClass() const
{
    return MSPColorWashEffect::staticMetaObject;
}

MSPColorWashEffect *MSPColorWashEffectWidget::washEffect() const
{
    return static_cast<MSPColorWashEffect *>(effect());
}

MSPCustomWashEffect *MSPColorWashEffectWidget::customWashEffect() const
{
    return qobject_cast<MSPCustomWashEffect *>(effect());
}

void MSPColorWashEffectWidget::setColorControlsVisible(bool visible)
{
    ui->colorsLabel->setVisible(visible);
    ui->colorListPicker->setVisible(visible);
    ui->colorHintLabel->setVisible(visible);
    ui->pickerScrollArea->setVisible(visible);
    ui->widthLabel->setVisible(visible);
    ui->widthSlider->setVisible(visible);
    ui->widthEdit->setVisible(visible);
}

bool MSPColorWashEffectWidget::setEffect(MSPEffect *effect)
{
    if (!isEffectOfClass(effect, effectClass()))
        return false;
    attach(effect);
    const ShowingEffect showing(this);
    const int speed = washEffect()->speed();
    ui->speedSlider->setValue(speed);
    ui->speedValueLabel->setText(speedLabel(speed));
    setDirection(washEffect()->direction());
    if (const MSPCustomWashEffect *wash = customWashEffect()) {
        showWidth(wash);
        setColorList(wash->colorList());
        // The first colour is ready to edit in the picker.
        const QStringList colors = wash->colorList();
        if (ui->colorListPicker->currentIndex() < 0 && !colors.isEmpty())
            ui->colorListPicker->setCurrentIndex(0);
        const int current = ui->colorListPicker->currentIndex();
        if (current >= 0 && current < colors.size())
            showColorInPicker(colors.at(current));
    }
    return true;
}

void MSPColorWashEffectWidget::showWidth(const MSPCustomWashEffect *wash)
{
    const QSignalBlocker sliderBlocker(ui->widthSlider);
    const QSignalBlocker editBlocker(ui->widthEdit);
    ui->widthSlider->setRange(wash->minimumWidth(), wash->maximumWidth());
    ui->widthEdit->setRange(wash->minimumWidth(), wash->maximumWidth());
    ui->widthSlider->setValue(wash->width());
    ui->widthEdit->setValue(wash->width());
}

void MSPColorWashEffectWidget::clearPreviousSelection()
{
    ui->colorListPicker->setCurrentIndex(-1);
}

QString MSPColorWashEffectWidget::speedLabel(int index)
{
    return colorWashSpeedLabel(index);
}

void MSPColorWashEffectWidget::setSpeed(int speed)
{
    const int clamped = qBound(ui->speedSlider->minimum(), speed, ui->speedSlider->maximum());
    ui->speedSlider->setValue(clamped);
    ui->speedValueLabel->setText(speedLabel(clamped));
    if (washEffect() && washEffect()->speed() != clamped) {
        washEffect()->setSpeed(clamped);
        emit speedChanged(clamped);
    }
}

void MSPColorWashEffectWidget::setDirection(int direction)
{
    if (direction == 0)
        ui->leftToRightButton->setChecked(true);
    else
        ui->rightToLeftButton->setChecked(true);
}

void MSPColorWashEffectWidget::setColorList(const QStringList &colors)
{
    ui->colorListPicker->setColors(colors);
    updateColorLimitNotice();
}

void MSPColorWashEffectWidget::updateColorLimitNotice()
{
    const int count = ui->colorListPicker->colors().size();
    const int limit = ui->colorListPicker->maximumCount();
    if (count > limit) {
        ui->colorLimitLabel->setText(
            tr("This scene holds %1 colors, but the keypad plays only the first %2; the crossed-out colors never "
               "reach it. Remove colors to choose which ones play.")
                .arg(count)
                .arg(limit));
        ui->colorLimitLabel->show();
    } else {
        ui->colorLimitLabel->hide();
    }
}

void MSPColorWashEffectWidget::handleSpeedSliderChanged(int value)
{
    ui->speedValueLabel->setText(speedLabel(value));
    if (!storeUserValue(washEffect(), &MSPColorWashEffect::speed, &MSPColorWashEffect::setSpeed, value))
        return;
    emit speedChanged(value);
    reportDrag(ui->speedSlider);
}

void MSPColorWashEffectWidget::handleUpClicked()
{
    chooseDirection(0);
}

void MSPColorWashEffectWidget::handleDownClicked()
{
    chooseDirection(1);
}

void MSPColorWashEffectWidget::chooseDirection(int direction)
{
    setDirection(direction);
    if (storeUserValue(washEffect(), &MSPColorWashEffect::direction, &MSPColorWashEffect::setDirection, direction))
        emit directionChanged(direction);
}

void MSPColorWashEffectWidget::handleWidthSliderChanged(int value)
{
    showQuietly(ui->widthEdit, value);
    if (!storeUserValue(customWashEffect(), &MSPCustomWashEffect::width, &MSPCustomWashEffect::setWidth, value))
        return;
    emit widthChanged(value);
    reportDrag(ui->widthSlider);
}

void MSPColorWashEffectWidget::handleWidthEditChanged()
{
    ui->widthSlider->setValue(ui->widthEdit->value());
}

void MSPColorWashEffectWidget::handleEditColorChanged(const QString &color)
{
    showColorInPicker(color);
}

void MSPColorWashEffectWidget::showColorInPicker(const QString &color)
{
    const OvrColor value(color);
    if (!value.isValid())
        return;
    m_showingColor = true;
    ui->colorPicker->setColorAndSelectMainPreview(value, QString());
    m_showingColor = false;
}

void MSPColorWashEffectWidget::on_colorPicker_mainColorChanged(OvrColor color, const QString &uid)
{
    Q_UNUSED(uid)
    // The picker echoes the colour it was given when a patch is selected;
    // only the user's own picks change the list.
    if (m_showingColor || !color.isValid() || ui->colorListPicker->currentIndex() < 0)
        return;
    const QString name = MSPEffect::keptColorName(color.aName());
    ui->colorListPicker->editColorChanged(name);
    emit colorChanged(name);
}

void MSPColorWashEffectWidget::on_colorPicker_comparisonColorChanged(OvrColor color, const QString &uid)
{
    // The comparison swatches are the user's reference; the scene keeps its colours.
    Q_UNUSED(color)
    Q_UNUSED(uid)
}

void MSPColorWashEffectWidget::handleColorListChanged()
{
    updateColorLimitNotice();
    const QStringList colors = ui->colorListPicker->colors();
    if (storeUserValue(customWashEffect(), &MSPCustomWashEffect::colorList, &MSPCustomWashEffect::setColorList,
                       colors))
        emit colorListChanged(colors);
}
