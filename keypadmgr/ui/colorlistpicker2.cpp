// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorlistpicker2.h"

#include "colorappearance.h"
#include "ovrcolor.h"
#include "ovrcolorlibrary.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

const char *const ColorListPicker2::mimeType = "x-luxeplot3/color";

namespace {

const char libraryMimeType[] = "data/x-ovrcolor";

enum class Gesture { Idle, AddPressed, AddLeft, PatchPressed, Dragging, Inserted, Added };

/** Whether @p name is a colour an OvrColor can be built from (without its unknown-name warning). */
bool isColorName(const QString &name)
{
    const QString text = name.trimmed();
    if (text.isEmpty())
        return false;
    if (text.startsWith(QLatin1String("aRgb;")) || text.startsWith(QLatin1String("aYxy;"))
        || text.startsWith(QLatin1String("aNchannel;")))
        return OvrColor(text).isValid();
    if (text.startsWith(QLatin1Char('#')) && text.size() != 7 && text.size() != 9)
        return false;
    return QColor::isValidColor(text);
}

} // namespace

class ColorListPicker2::Private
{
public:
    explicit Private(ColorListPicker2 *q)
        : q(q)
    {
    }

    int patchAt(const QPoint &pos) const
    {
        for (int i = 0; i < colors.size(); ++i) {
            if (q->patchRect(i).contains(pos))
                return i;
        }
        return -1;
    }

    bool hasAddSlot() const { return colors.size() < maximumCount; }

    /** Where the add slot sits, also while the strip is full and it only says why. */
    QRect slotRect() const { return q->patchRect(colors.size()); }

    /**
     * The pointer's look while a patch is dragged: off the row, a faded
     * copy of the patch says that letting go removes it (or a "no" sign
     * when it is the last one the strip keeps); on the row, the usual one.
     */
    void showDragFeedback(const QPoint &pos)
    {
        const bool offRow = gesture == Gesture::Dragging && hover < 0 && pressed >= 0 && pressed < colors.size()
            && !q->rect().contains(pos);
        if (!offRow) {
            q->unsetCursor();
            return;
        }
        if (colors.size() <= minimumCount) {
            q->setCursor(Qt::ForbiddenCursor);
            return;
        }
        const qreal ratio = q->devicePixelRatioF();
        QPixmap patch(QSize(size, size) * ratio);
        patch.setDevicePixelRatio(ratio);
        patch.fill(Qt::transparent);
        {
            QPainter p(&patch);
            p.setOpacity(0.5);
            p.fillRect(QRect(0, 0, size, size), OvrColor(colors.at(pressed)).getQColor());
            p.setOpacity(1.0);
            p.setPen(QPen(q->palette().color(QPalette::WindowText), 2));
            const int arm = size / 4;
            const QPoint c(size / 2, size / 2);
            p.drawLine(c + QPoint(-arm, -arm), c + QPoint(arm, arm));
            p.drawLine(c + QPoint(arm, -arm), c + QPoint(-arm, arm));
        }
        q->setCursor(QCursor(patch, grabOffset.x(), grabOffset.y()));
    }

    QRect innerSquare(int i) const
    {
        return QRect(i * size + 1 + size / 4 + 1, size / 4 + 2, size / 2 - 3, size / 2 - 3);
    }

    void resize()
    {
        QSize fixed((colors.size() + 1) * size + 3, size + 2);
        fixed = fixed.expandedTo(q->minimumSizeHint());
        q->setFixedSize(fixed);
        q->update();
    }

    void append(QString color) // by value: it may be one of the list's own entries
    {
        colors.append(color);
        current = colors.size() - 1;
        resize();
        gesture = Gesture::Added;
        emit q->editColor(color);
        emit q->colorCountChanged();
    }

    void deleteAt(int index)
    {
        if (index < 0 || index >= colors.size())
            return;
        colors.removeAt(index);
        resize();
        // The patch being edited keeps being edited; losing it moves the
        // edit to its left neighbour.
        if (index < current) {
            --current;
        } else if (index == current) {
            current = qMax(0, current - 1);
            if (colors.isEmpty())
                current = -1;
            else
                emit q->editColor(colors.at(current));
        }
        emit q->colorCountChanged();
    }

    ColorListPicker2 *q;
    QStringList colors;
    QString defaultColor = QStringLiteral("#ff0000");
    int size = 27;
    int maximumCount = 200;
    int minimumCount = 1;
    int current = -1;
    int pressed = -1;
    int hover = -1;
    int menuIndex = -1;
    int dropIndex = -1;
    bool pendingAdd = false;
    Gesture gesture = Gesture::Idle;
    QPoint grabOffset;
    QPoint dragPos;
    QString dropFormat;
};

ColorListPicker2::ColorListPicker2(QWidget *parent)
    : QWidget(parent)
    , d(new Private(this))
{
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Colors"));
    d->resize();
    connect(OvrColorPickerLib::ColorAppearance::instance(), &OvrColorPickerLib::ColorAppearance::fixtureClassChanged,
            this, [this] { update(); });
}

ColorListPicker2::~ColorListPicker2() = default;

QStringList ColorListPicker2::colors() const
{
    return d->colors;
}

void ColorListPicker2::setColors(const QStringList &colors)
{
    d->colors = colors;
    if (d->current >= colors.size())
        d->current = colors.isEmpty() ? -1 : colors.size() - 1;
    d->pressed = d->hover = d->menuIndex = -1;
    d->gesture = Gesture::Idle;
    d->resize();
}

QString ColorListPicker2::text() const
{
    return d->colors.join(QLatin1Char('|'));
}

void ColorListPicker2::setText(const QString &text)
{
    setColors(text.isEmpty() ? QStringList() : text.split(QLatin1Char('|')));
}

int ColorListPicker2::patchSize() const
{
    return d->size;
}

void ColorListPicker2::setPatchSize(int size)
{
    d->size = qMax(8, size);
    d->resize();
}

int ColorListPicker2::maximumCount() const
{
    return d->maximumCount;
}

void ColorListPicker2::setMaximumCount(int count)
{
    d->maximumCount = qMax(1, count);
    d->resize();
}

int ColorListPicker2::minimumCount() const
{
    return d->minimumCount;
}

void ColorListPicker2::setMinimumCount(int count)
{
    d->minimumCount = qMax(0, count);
}

int ColorListPicker2::currentIndex() const
{
    return d->current;
}

void ColorListPicker2::setCurrentIndex(int index)
{
    d->current = (index >= 0 && index < d->colors.size()) ? index : -1;
    update();
}

void ColorListPicker2::setDefaultColor(const QString &color)
{
    d->defaultColor = color;
}

QRect ColorListPicker2::patchRect(int index) const
{
    return QRect(index * d->size + 1, 1, d->size, d->size);
}

QRect ColorListPicker2::addSlotRect() const
{
    return d->hasAddSlot() ? patchRect(d->colors.size()) : QRect();
}

QSize ColorListPicker2::minimumSizeHint() const
{
    return QSize(d->colors.size() * d->size, d->size + 16);
}

QSize ColorListPicker2::sizeHint() const
{
    return QSize((d->colors.size() + 1) * d->size + 3, d->size + 16);
}

void ColorListPicker2::editColorChanged(const QString &inNewColor)
{
    if (d->current < 0 || d->current >= d->colors.size())
        return;
    if (d->colors.at(d->current) != inNewColor) {
        d->colors[d->current] = inNewColor;
        update();
    }
    emit colorChanged(d->current, inNewColor);
}

void ColorListPicker2::onCancelledColor(const QString &c)
{
    Q_UNUSED(c)
    if (d->gesture != Gesture::Added && d->gesture != Gesture::Inserted)
        return;
    d->gesture = Gesture::Idle;
    if (d->current < 0 || d->current >= d->colors.size())
        return;
    d->colors.removeAt(d->current);
    d->current = d->colors.isEmpty() ? -1 : qMin(d->current, d->colors.size() - 1);
    d->resize();
    emit colorCountChanged();
}

void ColorListPicker2::onContextMenuDelete()
{
    if (d->menuIndex < 0 || d->menuIndex >= d->colors.size() || d->colors.size() <= d->minimumCount)
        return;
    d->deleteAt(d->menuIndex);
    d->menuIndex = -1;
}

void ColorListPicker2::onContextMenuInsert()
{
    if (d->menuIndex < 0 || d->menuIndex >= d->colors.size() || d->colors.size() >= d->maximumCount)
        return;
    const QString color = d->colors.at(d->menuIndex);
    d->colors.insert(d->menuIndex, color);
    d->current = d->menuIndex;
    d->gesture = Gesture::Inserted;
    d->resize();
    emit editColor(color);
    emit colorCountChanged();
}

bool ColorListPicker2::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        QString tip;
        const int index = d->patchAt(help->pos());
        if (addSlotRect().contains(help->pos())) {
            tip = tr("Click to add a color");
        } else if (d->slotRect().contains(help->pos())) {
            tip = tr("No more colors: the keypad plays at most %1 colors per scene.").arg(d->maximumCount);
        } else if (index >= 0) {
            // The colour library's name for it, if it has one.
            tip = OvrColorLibrary::Instance()->getName(d->colors.at(index));
            if (tip.isEmpty()) {
                const OvrColor color(d->colors.at(index));
                tip = color.spec() == OvrColor::Yxy ? tr("White-Range White") : color.name8();
            }
            if (index >= d->maximumCount)
                tip += QLatin1Char('\n') + tr("Not sent: the keypad plays only the first %1 colors").arg(d->maximumCount);
            else
                tip += QLatin1Char('\n') + OvrColorPickerLib::ColorAppearance::sentText(OvrColor(d->colors.at(index)));
        }
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void ColorListPicker2::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int size = d->size;
    const QColor frame = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(hasFocus() ? QPalette::Highlight : QPalette::Text);
    for (int i = 0; i < d->colors.size(); ++i) {
        const QRect r = patchRect(i);
        const OvrColor color(d->colors.at(i));
        p.fillRect(r.adjusted(1, 1, -1, -1), OvrColorPickerLib::ColorAppearance::shown(color));
        p.setPen(frame);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (i >= d->maximumCount) {
            // Beyond what the keypad takes: crossed out.
            p.setPen(QPen(Qt::red, 2));
            p.drawLine(r.topLeft() + QPoint(3, 3), r.bottomRight() - QPoint(3, 3));
            p.drawLine(r.topRight() + QPoint(-3, 3), r.bottomLeft() + QPoint(3, -3));
        }
    }
    if (d->current >= 0 && d->current < d->colors.size()) {
        // The patch being edited: a frame inside and a bar below it.
        const QRect r = patchRect(d->current);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(r.adjusted(2, 2, -3, -3));
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(r.adjusted(1, 1, -2, -2));
        p.fillRect(QRect(r.left(), r.bottom() + 3, r.width(), 4), highlight);
    }
    if (d->dropIndex >= 0 && !d->dropFormat.isEmpty()) {
        p.setPen(QPen(highlight, 2));
        p.drawRect(patchRect(d->dropIndex).adjusted(1, 1, -1, -1));
    }
    {
        // A full strip keeps its "+", greyed out; its tool tip says why.
        const QRect add = d->slotRect();
        const bool canAdd = d->hasAddSlot();
        const bool active = canAdd
            && (d->gesture == Gesture::AddPressed || (d->dropIndex < 0 && !d->dropFormat.isEmpty()));
        const QColor idle = canAdd ? frame : palette().color(QPalette::Disabled, QPalette::Dark);
        p.setPen(QPen(active ? highlight : idle, 1, Qt::DashLine));
        p.drawRect(add.adjusted(1, 1, -2, -2));
        p.setPen(QPen(active ? highlight
                             : palette().color(canAdd ? QPalette::Active : QPalette::Disabled, QPalette::WindowText),
                      2));
        const QPoint c = add.center();
        const int arm = size / 5;
        p.drawLine(c.x() - arm, c.y(), c.x() + arm, c.y());
        p.drawLine(c.x(), c.y() - arm, c.x(), c.y() + arm);
    }
    if (d->gesture == Gesture::Dragging && d->pressed >= 0 && d->hover < 0 && d->pressed < d->colors.size()) {
        // The patch under the pointer while it is off the row.
        const QRect r(d->dragPos - d->grabOffset, QSize(size, size));
        p.setOpacity(0.6);
        p.fillRect(r, OvrColorPickerLib::ColorAppearance::shown(OvrColor(d->colors.at(d->pressed))));
        p.setOpacity(1.0);
        p.setPen(frame);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

void ColorListPicker2::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !contentsRect().contains(event->pos())) {
        QWidget::mousePressEvent(event);
        return;
    }
    d->gesture = Gesture::Idle;
    if (addSlotRect().contains(event->pos())) {
        d->gesture = Gesture::AddPressed;
        update();
        return;
    }
    const int index = d->patchAt(event->pos());
    if (index < 0)
        return;
    d->current = index;
    d->pressed = index;
    d->hover = index;
    d->grabOffset = event->pos() - patchRect(index).topLeft();
    d->dragPos = event->pos();
    d->gesture = Gesture::PatchPressed;
    update();
    emit editColor(d->colors.at(index));
}

void ColorListPicker2::mouseMoveEvent(QMouseEvent *event)
{
    switch (d->gesture) {
    case Gesture::AddPressed:
    case Gesture::AddLeft:
        d->gesture = addSlotRect().contains(event->pos()) ? Gesture::AddPressed : Gesture::AddLeft;
        update();
        break;
    case Gesture::PatchPressed:
    case Gesture::Dragging: {
        d->dragPos = event->pos();
        const QRect dragged(event->pos() - d->grabOffset, QSize(d->size, d->size));
        d->hover = -1;
        for (int i = 0; i < d->colors.size(); ++i) {
            if (d->innerSquare(i).intersects(dragged)) {
                d->hover = i;
                break;
            }
        }
        if (d->hover >= 0 && d->hover != d->pressed) {
            d->colors.move(d->pressed, d->hover);
            d->pressed = d->hover;
            d->current = d->hover;
            emit colorCountChanged();
        }
        d->gesture = Gesture::Dragging;
        d->showDragFeedback(event->pos());
        update();
        break;
    }
    default:
        break;
    }
}

void ColorListPicker2::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const Gesture gesture = d->gesture;
    d->gesture = Gesture::Idle;
    if (gesture == Gesture::AddPressed && d->hasAddSlot()) {
        d->append(d->colors.isEmpty() ? d->defaultColor : d->colors.last());
    } else if (gesture == Gesture::Dragging && d->hover < 0 && d->pressed >= 0 && d->pressed < d->colors.size()) {
        if (addSlotRect().contains(event->pos()))
            d->append(d->colors.at(d->pressed));
        // Let go on a full strip's greyed-out "+": neither a copy nor a removal.
        else if (!d->slotRect().contains(event->pos()) && d->colors.size() > d->minimumCount)
            d->deleteAt(d->pressed);
    }
    d->pressed = -1;
    d->hover = -1;
    d->pendingAdd = false;
    unsetCursor();
    update();
}

void ColorListPicker2::contextMenuEvent(QContextMenuEvent *event)
{
    const int index = d->patchAt(event->pos());
    if (index < 0)
        return;
    d->menuIndex = index;
    QMenu menu(this);
    QAction *insert = menu.addAction(tr("Insert Color"), this, &ColorListPicker2::onContextMenuInsert);
    insert->setEnabled(d->colors.size() < d->maximumCount);
    QAction *remove = menu.addAction(tr("Delete Color"), this, &ColorListPicker2::onContextMenuDelete);
    remove->setEnabled(d->colors.size() > d->minimumCount);
    menu.exec(event->globalPos());
}

void ColorListPicker2::keyPressEvent(QKeyEvent *event)
{
    // The keyboard's way through the same gestures: arrows choose the patch
    // to edit, Insert duplicates it, Delete removes it.
    const int count = d->colors.size();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (count == 0)
            break;
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        const int next = d->current < 0 ? 0 : qBound(0, d->current + step, count - 1);
        if (next != d->current) {
            d->current = next;
            update();
            emit editColor(d->colors.at(next));
        }
        return;
    }
    case Qt::Key_Insert:
    case Qt::Key_Plus:
        if (count == 0) {
            if (d->hasAddSlot())
                d->append(d->defaultColor);
        } else {
            d->menuIndex = d->current < 0 ? count - 1 : d->current;
            onContextMenuInsert();
        }
        return;
    case Qt::Key_Delete:
        d->menuIndex = d->current;
        onContextMenuDelete();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void ColorListPicker2::dragEnterEvent(QDragEnterEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (data->hasFormat(QLatin1String(mimeType)))
        d->dropFormat = QLatin1String(mimeType);
    else if (data->hasFormat(QLatin1String(libraryMimeType)))
        d->dropFormat = QLatin1String(libraryMimeType);
    else
        d->dropFormat.clear();
    if (d->dropFormat.isEmpty()) {
        event->ignore();
        return;
    }
    d->dropIndex = d->patchAt(event->pos());
    event->acceptProposedAction();
    update();
}

void ColorListPicker2::dragMoveEvent(QDragMoveEvent *event)
{
    if (d->dropFormat.isEmpty()) {
        event->ignore();
        return;
    }
    const int index = d->patchAt(event->pos());
    // Appending is only possible while there is room for another colour.
    if (index < 0 && !d->hasAddSlot()) {
        event->ignore();
    } else {
        event->acceptProposedAction();
    }
    if (index != d->dropIndex) {
        d->dropIndex = index;
        update();
    }
}

void ColorListPicker2::dragLeaveEvent(QDragLeaveEvent *)
{
    d->dropFormat.clear();
    d->dropIndex = -1;
    update();
}

void ColorListPicker2::dropEvent(QDropEvent *event)
{
    const QString format = d->dropFormat;
    d->dropFormat.clear();
    d->dropIndex = -1;
    update();
    if (format.isEmpty()) {
        event->ignore();
        return;
    }
    const QString text = QString::fromLatin1(event->mimeData()->data(format));
    const QString color = OvrColorLibrary::UidAndValueToValue(text.section(QLatin1Char(','), 0, 0)).trimmed();
    // Text that is no colour (or nothing at all) changes nothing.
    if (!isColorName(color)) {
        event->ignore();
        return;
    }
    const int index = d->patchAt(event->pos());
    if (index >= 0) {
        d->colors[index] = color;
        update();
        emit colorChanged(index, color);
        if (index == d->current)
            emit editColor(color);
    } else if (d->hasAddSlot()) {
        d->colors.append(color);
        d->resize();
        emit colorCountChanged();
    } else {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}
