// SPDX-License-Identifier: GPL-3.0-or-later
#include "ovrcolorpickerbuttonswidget.h"

#include "ui_ovrcolorpickerbuttonswidget.h"

#include "ovrcolorpickerlogging.h"
#include "ovrcolorpickerwidget.h"

#include "ovrstyle.h"

#include <QMenu>
#include <QSettings>

namespace OvrColorPickerLib {

namespace {

/** A stored flag, or @p fallback when the stored value is not a boolean. */
bool readFlag(const QSettings &settings, const QString &key, bool fallback)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return fallback;
    if (value.type() == QVariant::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    qCWarning(lcColorPicker) << "ignoring" << key << "=" << value << "from the settings";
    return fallback;
}

} // namespace

OvrColorPickerButtonsWidget::OvrColorPickerButtonsWidget(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::OvrColorPickerButtonsWidget>())
    , m_menu(new QMenu(this))
{
    ui->setupUi(this);
    m_fullTexts = QStringList{ui->rgbPickerButton->text(), ui->whitePickerButton->text(), ui->nChannelPickerButton->text(),
                   ui->addToUserGroupButton->text()};
    m_shortTexts = QStringList{tr("RGB"), tr("White"), tr("Channel"), tr("Add to Group")};
    for (int i = 0; i < OvrColorPickerWidget::PageCount; ++i)
        pageButton(i)->setToolTip(m_fullTexts.at(i));
    // The buttons may shrink to their short texts; fitTexts() swaps the texts.
    const QToolButton *buttons[] = {ui->rgbPickerButton, ui->whitePickerButton, ui->nChannelPickerButton,
                                    ui->addToUserGroupButton};
    QFont bold = font();
    bold.setBold(true);
    for (int i = 0; i < 4; ++i) {
        auto *button = const_cast<QToolButton *>(buttons[i]);
        const int chrome = button->sizeHint().width() - button->fontMetrics().horizontalAdvance(button->text());
        button->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(m_shortTexts.at(i)) + chrome);
    }
    auto *style = new OvrWidgetsLib::OvrStyle(this);
    for (int page = 0; page < OvrColorPickerWidget::PageCount; ++page)
        pageButton(page)->setStyle(style);
    ui->addToUserGroupButton->setStyle(style);
    ui->addToUserGroupButton->setMenu(m_menu);
    m_menu->setObjectName(QStringLiteral("favoriteListsMenu"));
    connect(m_menu, &QMenu::triggered, this, &OvrColorPickerButtonsWidget::triggeredFavoriteList);
    updateColorLists({});

    // The RGB page is shown until the user decides otherwise.
    const QSettings settings;
    for (int page = 0; page < OvrColorPickerWidget::PageCount; ++page) {
        QToolButton *button = pageButton(page);
        button->setChecked(readFlag(settings, settingsKey(page), page == 0));
        connect(button, &QToolButton::toggled, this, [this, page](bool displayed) {
            QSettings().setValue(settingsKey(page), displayed);
            emit pageDisplayedChanged(page, displayed);
        });
    }
}

OvrColorPickerButtonsWidget::~OvrColorPickerButtonsWidget()
{
    // All three states, also those never toggled, so the next start shows
    // the pages as they are now; written only where the store differs
    // (each write rewrites the settings file).
    QSettings settings;
    for (int page = 0; page < OvrColorPickerWidget::PageCount; ++page) {
        const QString key = settingsKey(page);
        const bool displayed = isPageDisplayed(page);
        if (!settings.contains(key) || readFlag(settings, key, !displayed) != displayed)
            settings.setValue(key, displayed);
    }
}

QString OvrColorPickerButtonsWidget::settingsKey(int page)
{
    switch (page) {
    case 0:
        return QStringLiteral("colorPickerRGBPickerDisplayed");
    case 1:
        return QStringLiteral("colorPickerWhitePickerDisplayed");
    case 2:
        return QStringLiteral("colorPickerNChannelPickerDisplayed");
    default:
        return QString();
    }
}

int OvrColorPickerButtonsWidget::widthWithTexts(bool full) const
{
    const QStringList &texts = full ? m_fullTexts : m_shortTexts;
    const QToolButton *buttons[] = {ui->rgbPickerButton, ui->whitePickerButton, ui->nChannelPickerButton,
                                    ui->addToUserGroupButton};
    // Bold, since the button matching the colour is drawn bold.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int width = 0;
    for (int i = 0; i < 4; ++i) {
        const int chrome = buttons[i]->sizeHint().width() - buttons[i]->fontMetrics().horizontalAdvance(buttons[i]->text());
        width += metrics.horizontalAdvance(texts.at(i)) + chrome;
    }
    return width + 4 * layout()->spacing();
}

void OvrColorPickerButtonsWidget::fitTexts(int width)
{
    const bool full = width >= widthWithTexts(true);
    const QStringList &texts = full ? m_fullTexts : m_shortTexts;
    ui->rgbPickerButton->setText(texts.at(0));
    ui->whitePickerButton->setText(texts.at(1));
    ui->nChannelPickerButton->setText(texts.at(2));
    ui->addToUserGroupButton->setText(texts.at(3));
}

QSize OvrColorPickerButtonsWidget::minimumSizeHint() const
{
    return QSize(widthWithTexts(false), QWidget::minimumSizeHint().height());
}

void OvrColorPickerButtonsWidget::resizeEvent(QResizeEvent *event)
{
    fitTexts(width());
    QWidget::resizeEvent(event);
}

QToolButton *OvrColorPickerButtonsWidget::pageButton(int page) const
{
    switch (page) {
    case 0:
        return ui->rgbPickerButton;
    case 1:
        return ui->whitePickerButton;
    case 2:
        return ui->nChannelPickerButton;
    default:
        return nullptr;
    }
}

QToolButton *OvrColorPickerButtonsWidget::addToUserGroupButton() const
{
    return ui->addToUserGroupButton;
}

QMenu *OvrColorPickerButtonsWidget::favoriteListsMenu() const
{
    return m_menu;
}

QStringList OvrColorPickerButtonsWidget::colorLists() const
{
    return m_lists;
}

bool OvrColorPickerButtonsWidget::isPageDisplayed(int page) const
{
    const QToolButton *button = pageButton(page);
    return button && button->isChecked();
}

void OvrColorPickerButtonsWidget::setPageDisplayed(int page, bool displayed)
{
    if (QToolButton *button = pageButton(page))
        button->setChecked(displayed);
}

void OvrColorPickerButtonsWidget::setPageEnabled(int page, bool enabled)
{
    if (QToolButton *button = pageButton(page))
        button->setEnabled(enabled);
}

void OvrColorPickerButtonsWidget::updateColorLists(const QStringList &lists)
{
    m_lists = lists;
    m_menu->clear();
    for (const QString &list : lists) {
        QAction *action = m_menu->addAction(list);
        action->setData(list);
    }
    if (lists.isEmpty()) {
        QAction *none = m_menu->addAction(tr("No user groups"));
        none->setEnabled(false);
    }
}

void OvrColorPickerButtonsWidget::handleListRenamed(const QString &oldName, const QString &newName)
{
    QStringList lists = m_lists;
    const int i = lists.indexOf(oldName);
    if (i < 0)
        return;
    lists[i] = newName;
    updateColorLists(lists);
}

void OvrColorPickerButtonsWidget::triggeredFavoriteList(QAction *action)
{
    if (!action)
        return;
    const QString list = action->data().toString();
    if (!list.isEmpty())
        emit addToFavoriteList(list);
}

void OvrColorPickerButtonsWidget::updatePickerButtons(int selectedPickerIndex, bool enableSliders)
{
    Q_UNUSED(enableSliders)
    m_markedPage = selectedPickerIndex;
    // The page that can show the colour as it is gets a bold label.
    for (int page = 0; page < OvrColorPickerWidget::PageCount; ++page) {
        QToolButton *button = pageButton(page);
        QFont font = button->font();
        font.setBold(page == selectedPickerIndex);
        button->setFont(font);
    }
}

} // namespace OvrColorPickerLib
