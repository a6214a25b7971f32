// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorlistpicker2.h"

#include "ovrcolor.h"
#include "ovrcolorlibrary.h"

#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <memory>

namespace {

const QString red = QStringLiteral("#ff0000");
const QString green = QStringLiteral("#00ff00");
const QString blue = QStringLiteral("#0000ff");

// A move with the left button held, as the pointer sends it while dragging.
void dragTo(QWidget *widget, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Chooses the action named @p text in the next popup menu.
void chooseFromNextMenu(const QString &text)
{
    QTimer::singleShot(50, qApp, [text] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            if (action->text() == text && action->isEnabled()) {
                action->trigger();
                break;
            }
        }
        menu->close();
    });
}

// Drags @p data over the strip and drops it at @p pos; whether the drop was taken.
bool drop(QWidget *widget, QMimeData *data, const QPoint &pos)
{
    QDragEnterEvent enter(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QDropEvent dropEvent(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &dropEvent);
    return dropEvent.isAccepted();
}

} // namespace

class tst_ColorListPicker2 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pressSelectsPatch();
    void addSlotAddsCopyOfLast_data();
    void addSlotAddsCopyOfLast();
    void dragAlongRowReorders();
    void dragOffRow_data();
    void dragOffRow();
    void dragOntoAddSlotDuplicates();
    void contextMenu_data();
    void contextMenu();
    void cancelRemovesPendingAdd();
    void sixColourBound();
    void drops_data();
    void drops();
    void toolTips();
    void keyboard();
    void fullStripKeepsGreyedAdd();
    void dragOffRowShowsRemoval_data();
    void dragOffRowShowsRemoval();

private:
    QPoint centre(int index) const { return m_strip->patchRect(index).center(); }

    std::unique_ptr<ColorListPicker2> m_strip;
};

void tst_ColorListPicker2::init()
{
    m_strip = std::make_unique<ColorListPicker2>();
    m_strip->setColors({red, green, blue});
    m_strip->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_strip.get()));
}

void tst_ColorListPicker2::cleanup()
{
    m_strip.reset();
}

void tst_ColorListPicker2::pressSelectsPatch()
{
    QSignalSpy edit(m_strip.get(), &ColorListPicker2::editColor);
    QSignalSpy count(m_strip.get(), &ColorListPicker2::colorCountChanged);
    QTest::mouseClick(m_strip.get(), Qt::LeftButton, Qt::NoModifier, centre(1));
    QCOMPARE(m_strip->currentIndex(), 1);
    QCOMPARE(edit.count(), 1);
    QCOMPARE(edit.at(0).at(0).toString(), green);
    QCOMPARE(count.count(), 0);
    QCOMPARE(m_strip->colors(), (QStringList{red, green, blue}));

    // Editing replaces the selected colour and reports where.
    QSignalSpy changed(m_strip.get(), &ColorListPicker2::colorChanged);
    m_strip->editColorChanged(blue);
    QCOMPARE(m_strip->colors(), (QStringList{red, blue, blue}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 1);
    QCOMPARE(m_strip->text(), red + QLatin1Char('|') + blue + QLatin1Char('|') + blue);
}

void tst_ColorListPicker2::addSlotAddsCopyOfLast_data()
{
    QTest::addColumn<QStringList>("colors");
    QTest::addColumn<bool>("leaveSlot");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("click") << QStringList{red, green} << false << QStringList{red, green, green};
    QTest::newRow("released after leaving") << QStringList{red, green} << true << QStringList{red, green};
    QTest::newRow("empty strip") << QStringList() << false << QStringList{red};
}

void tst_ColorListPicker2::addSlotAddsCopyOfLast()
{
    QFETCH(QStringList, colors);
    QFETCH(bool, leaveSlot);
    QFETCH(QStringList, expected);
    m_strip->setColors(colors);
    QSignalSpy edit(m_strip.get(), &ColorListPicker2::editColor);
    QSignalSpy count(m_strip.get(), &ColorListPicker2::colorCountChanged);
    const QPoint slot = m_strip->addSlotRect().center();
    QTest::mousePress(m_strip.get(), Qt::LeftButton, Qt::NoModifier, slot);
    if (leaveSlot)
        dragTo(m_strip.get(), slot + QPoint(0, m_strip->patchSize() * 3));
    QTest::mouseRelease(m_strip.get(), Qt::LeftButton, Qt::NoModifier,
                        leaveSlot ? slot + QPoint(0, m_strip->patchSize() * 3) : slot);
    QCOMPARE(m_strip->colors(), expected);
    QCOMPARE(count.count(), leaveSlot ? 0 : 1);
    if (!leaveSlot) {
        QCOMPARE(m_strip->currentIndex(), expected.size() - 1);
        QCOMPARE(edit.last().at(0).toString(), expected.last());
    }
    // The strip grows with its list.
    QCOMPARE(m_strip->width(), (expected.size() + 1) * m_strip->patchSize() + 3);
}

void tst_ColorListPicker2::dragAlongRowReorders()
{
    QSignalSpy count(m_strip.get(), &ColorListPicker2::colorCountChanged);
    const int size = m_strip->patchSize();
    QTest::mousePress(m_strip.get(), Qt::LeftButton, Qt::NoModifier, centre(0));
    // Over patch 1's inner square, then patch 2's: one move per index.
    for (int x = centre(0).x(); x <= centre(2).x(); x += size / 4)
        dragTo(m_strip.get(), QPoint(x, centre(0).y()));
    QCOMPARE(m_strip->colors(), (QStringList{green, blue, red}));
    QCOMPARE(count.count(), 2);
    QCOMPARE(m_strip->currentIndex(), 2);
    QTest::mouseRelease(m_strip.get(), Qt::LeftButton, Qt::NoModifier, centre(2));
    QCOMPARE(m_strip->colors(), (QStringList{green, blue, red}));
    QCOMPARE(count.count(), 2);
}

void tst_ColorListPicker2::dragOffRow_data()
{
    QTest::addColumn<QStringList>("colors");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one colour stays") << QStringList{red} << QStringList{red};
    QTest::newRow("second of two goes") << QStringList{red, green} << QStringList{red};
}

void tst_ColorListPicker2::dragOffRow()
{
    QFETCH(QStringList, colors);
    QFETCH(QStringList, expected);
    m_strip->setColors(colors);
    QSignalSpy edit(m_strip.get(), &ColorListPicker2::editColor);
    const int last = colors.size() - 1;
    const QPoint off = centre(last) + QPoint(0, m_strip->patchSize() * 4);
    QTest::mousePress(m_strip.get(), Qt::LeftButton, Qt::NoModifier, centre(last));
    dragTo(m_strip.get(), off);
    QTest::mouseRelease(m_strip.get(), Qt::LeftButton, Qt::NoModifier, off);
    QCOMPARE(m_strip->colors(), expected);
    // The edit moves to the neighbour of a deleted patch.
    QCOMPARE(m_strip->currentIndex(), expected.size() - 1);
    QCOMPARE(edit.last().at(0).toString(), expected.last());
}

void tst_ColorListPicker2::dragOntoAddSlotDuplicates()
{
    const QPoint slot = m_strip->addSlotRect().center();
    QTest::mousePress(m_strip.get(), Qt::LeftButton, Qt::NoModifier, centre(0));
    dragTo(m_strip.get(), QPoint(slot.x(), slot.y() + m_strip->patchSize()));
    QTest::mouseRelease(m_strip.get(), Qt::LeftButton, Qt::NoModifier, slot);
    QCOMPARE(m_strip->colors(), (QStringList{red, green, blue, red}));
    QCOMPARE(m_strip->currentIndex(), 3);
}

void tst_ColorListPicker2::contextMenu_data()
{
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("insert") << 200 << QStringLiteral("Insert Color") << QStringList{red, green, green, blue};
    QTest::newRow("insert when full") << 3 << QStringLiteral("Insert Color") << QStringList{red, green, blue};
    QTest::newRow("delete") << 200 << QStringLiteral("Delete Color") << QStringList{red, blue};
}

void tst_ColorListPicker2::contextMenu()
{
    QFETCH(int, maximum);
    QFETCH(QString, action);
    QFETCH(QStringList, expected);
    m_strip->setMaximumCount(maximum);
    QSignalSpy count(m_strip.get(), &ColorListPicker2::colorCountChanged);
    chooseFromNextMenu(action);
    QContextMenuEvent event(QContextMenuEvent::Mouse, centre(1), m_strip->mapToGlobal(centre(1)));
    QApplication::sendEvent(m_strip.get(), &event);
    QCOMPARE(m_strip->colors(), expected);
    QCOMPARE(count.count(), expected.size() == 3 ? 0 : 1);
}

void tst_ColorListPicker2::cancelRemovesPendingAdd()
{
    QTest::mouseClick(m_strip.get(), Qt::LeftButton, Qt::NoModifier, m_strip->addSlotRect().center());
    QCOMPARE(m_strip->colors().size(), 4);
    m_strip->onCancelledColor(blue);
    QCOMPARE(m_strip->colors(), (QStringList{red, green, blue}));

    // A patch that was only selected is no pending add.
    QTest::mouseClick(m_strip.get(), Qt::LeftButton, Qt::NoModifier, centre(2));
    m_strip->onCancelledColor(blue);
    QCOMPARE(m_strip->colors(), (QStringList{red, green, blue}));
}

void tst_ColorListPicker2::sixColourBound()
{
    m_strip->setMaximumCount(6);
    m_strip->setColors({red, green, blue, red, green, blue});
    QVERIFY(m_strip->addSlotRect().isNull());
    const QPoint beyond = m_strip->patchRect(6).center();
    QTest::mouseClick(m_strip.get(), Qt::LeftButton, Qt::NoModifier, beyond);
    QCOMPARE(m_strip->colors().size(), 6);

    // Dragging off the row and dropping from outside cannot grow it either.
    auto *data = new QMimeData;
    data->setData(QStringLiteral("data/x-ovrcolor"), "#ffffff");
    QVERIFY(!drop(m_strip.get(), data, beyond));
    delete data;
    QCOMPARE(m_strip->colors().size(), 6);

    // A longer list from elsewhere is shown whole.
    m_strip->setColors({red, green, blue, red, green, blue, red, green});
    QCOMPARE(m_strip->colors().size(), 8);
    QVERIFY(m_strip->addSlotRect().isNull());
}

void tst_ColorListPicker2::drops_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("target"); // patch index, -1 for the add slot
    QTest::addColumn<QStringList>("expected");
    const QByteArray entry = "{6a1e6c0e-0000-4000-8000-000000000001}aRgb;1;0;#ffff0000ffff0000";
    const QString entryColor = QStringLiteral("aRgb;1;0;#ffff0000ffff0000");
    QTest::newRow("library entry on patch") << QStringLiteral("x-luxeplot3/color") << entry + ",{x}#ffffff" << 1
                                            << QStringList{red, entryColor, blue};
    QTest::newRow("plain colour appended") << QStringLiteral("data/x-ovrcolor") << QByteArray("#ffffff") << -1
                                           << QStringList{red, green, blue, QStringLiteral("#ffffff")};
    QTest::newRow("text that is no colour") << QStringLiteral("data/x-ovrcolor") << QByteArray("hello") << 0
                                            << QStringList{red, green, blue};
    QTest::newRow("empty list") << QStringLiteral("x-luxeplot3/color") << QByteArray() << -1
                                << QStringList{red, green, blue};
    QTest::newRow("other format") << QStringLiteral("text/plain") << QByteArray("#ffffff") << -1
                                  << QStringList{red, green, blue};
}

void tst_ColorListPicker2::drops()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, payload);
    QFETCH(int, target);
    QFETCH(QStringList, expected);
    QSignalSpy count(m_strip.get(), &ColorListPicker2::colorCountChanged);
    QSignalSpy changed(m_strip.get(), &ColorListPicker2::colorChanged);
    QMimeData data;
    data.setData(format, payload);
    drop(m_strip.get(), &data, target < 0 ? m_strip->addSlotRect().center() : centre(target));
    QCOMPARE(m_strip->colors(), expected);
    QCOMPARE(count.count() + changed.count(), expected == QStringList({red, green, blue}) ? 0 : 1);
}

void tst_ColorListPicker2::toolTips()
{
    m_strip->setColors({red, QStringLiteral("aYxy;1;0;65535;1;0.3127;0.329")});
    const auto tipAt = [this](const QPoint &pos) {
        QHelpEvent event(QEvent::ToolTip, pos, m_strip->mapToGlobal(pos));
        QApplication::sendEvent(m_strip.get(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(tipAt(m_strip->addSlotRect().center()), QStringLiteral("Click to add a color"));
    // Each with the levels the keypad is sent for it (a generic RGB
    // fixture: D65 at full is every channel at full).
    QCOMPARE(tipAt(centre(1)), QStringLiteral("White-Range White\nSent: 255, 255, 255"));
    QCOMPARE(tipAt(centre(0)), QStringLiteral("#ff0000\nSent: 255, 0, 0"));
    // A colour the library knows goes by its library name.
    const OvrColor sunset = OvrColor::fromRgb8(250, 110, 20);
    OvrColorLibrary::Instance()->createExplicitColor(sunset, QStringLiteral("Sunset"));
    m_strip->setColors({sunset.aName()});
    QCOMPARE(tipAt(centre(0)), QStringLiteral("Sunset\nSent: 250, 110, 20"));
}

void tst_ColorListPicker2::keyboard()
{
    QSignalSpy edit(m_strip.get(), &ColorListPicker2::editColor);
    m_strip->setFocus();
    QTest::keyClick(m_strip.get(), Qt::Key_Right);
    QTest::keyClick(m_strip.get(), Qt::Key_Right);
    QCOMPARE(m_strip->currentIndex(), 1);
    QCOMPARE(edit.last().at(0).toString(), green);
    QTest::keyClick(m_strip.get(), Qt::Key_Delete);
    QCOMPARE(m_strip->colors(), (QStringList{red, blue}));
    QTest::keyClick(m_strip.get(), Qt::Key_Insert);
    QCOMPARE(m_strip->colors(), (QStringList{red, red, blue}));
}

void tst_ColorListPicker2::fullStripKeepsGreyedAdd()
{
    m_strip->setMaximumCount(6);
    m_strip->setColors({red, green, blue, red, green, blue});
    const QRect slot = m_strip->patchRect(6);
    // The "+" keeps its place, so the strip does not shrink under the pointer...
    QVERIFY(m_strip->rect().contains(slot));
    QHelpEvent event(QEvent::ToolTip, slot.center(), m_strip->mapToGlobal(slot.center()));
    QApplication::sendEvent(m_strip.get(), &event);
    QCOMPARE(QToolTip::text(), QStringLiteral("No more colors: the keypad plays at most 6 colors per scene."));

    // ...and a patch let go on it is neither copied nor removed.
    QTest::mousePress(m_strip.get(), Qt::LeftButton, Qt::NoModifier, centre(0));
    dragTo(m_strip.get(), QPoint(slot.center().x(), slot.center().y() + m_strip->patchSize()));
    dragTo(m_strip.get(), slot.center());
    QTest::mouseRelease(m_strip.get(), Qt::LeftButton, Qt::NoModifier, slot.center());
    QCOMPARE(m_strip->colors(), (QStringList{red, green, blue, red, green, blue}));
}

void tst_ColorListPicker2::dragOffRowShowsRemoval_data()
{
    QTest::addColumn<QStringList>("colors");
    QTest::addColumn<int>("shapeOffRow");
    QTest::newRow("removable: a faded patch") << QStringList{red, green} << int(Qt::BitmapCursor);
    QTest::newRow("last colour: no") << QStringList{red} << int(Qt::ForbiddenCursor);
}

void tst_ColorListPicker2::dragOffRowShowsRemoval()
{
    QFETCH(QStringList, colors);
    QFETCH(int, shapeOffRow);
    m_strip->setColors(colors);
    const QPoint off = centre(0) + QPoint(0, m_strip->patchSize() * 4);
    QTest::mousePress(m_strip.get(), Qt::LeftButton, Qt::NoModifier, centre(0));
    dragTo(m_strip.get(), off);
    QCOMPARE(int(m_strip->cursor().shape()), shapeOffRow);
    // Back on the row: the usual pointer, and letting go keeps everything.
    dragTo(m_strip.get(), centre(0));
    QCOMPARE(m_strip->cursor().shape(), Qt::ArrowCursor);
    dragTo(m_strip.get(), off);
    QTest::mouseRelease(m_strip.get(), Qt::LeftButton, Qt::NoModifier, off);
    QCOMPARE(m_strip->cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(tst_ColorListPicker2)
#include "tst_colorlistpicker2.moc"
