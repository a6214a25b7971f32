// SPDX-License-Identifier: GPL-3.0-or-later
#include "filterbox.h"
#include "lineeditclearbutton.h"
#include "ovrstyle.h"

#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

using namespace OvrWidgetsLib;

class tst_OvrWidgets : public QObject
{
    Q_OBJECT

private slots:
    void filterBoxEmitsAndClears()
    {
        FilterBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QSignalSpy filter(&box, &FilterBox::filterChanged);
        QVERIFY(box.clearButton()->isHidden());

        QTest::keyClicks(&box, QStringLiteral("red"));
        QCOMPARE(filter.count(), 3);
        QCOMPARE(filter.last().at(0).toString(), QStringLiteral("red"));
        QVERIFY(box.clearButton()->isVisible());
        // The button sits inside the box, clear of the text.
        QVERIFY(box.rect().contains(box.clearButton()->geometry()));
        QVERIFY(box.textMargins().right() >= box.clearButton()->width());

        QTest::mouseClick(box.clearButton(), Qt::LeftButton);
        QCOMPARE(box.text(), QString());
        QCOMPARE(filter.last().at(0).toString(), QString());
        QVERIFY(box.clearButton()->isHidden());

        QTest::keyClicks(&box, QStringLiteral("x"));
        QTest::keyClick(&box, Qt::Key_Escape);
        QCOMPARE(box.text(), QString());
        QCOMPARE(filter.count(), 6);
        // Escape on an empty box clears nothing and emits nothing.
        QTest::keyClick(&box, Qt::Key_Escape);
        QCOMPARE(filter.count(), 6);
    }

    void styleSizesSlidersFromTheFont()
    {
        OvrStyle style;
        QSlider slider(Qt::Horizontal);
        slider.setStyle(&style);
        QFont big = slider.font();
        big.setPointSize(big.pointSize() * 2);
        const int small = style.pixelMetric(QStyle::PM_SliderLength, nullptr, &slider);
        slider.setFont(big);
        QVERIFY(style.pixelMetric(QStyle::PM_SliderLength, nullptr, &slider) > small);
        // Paints without the base style's slider code.
        slider.resize(200, 30);
        QVERIFY(!slider.grab().isNull());
    }
};

QTEST_MAIN(tst_OvrWidgets)
#include "tst_ovrwidgets.moc"
