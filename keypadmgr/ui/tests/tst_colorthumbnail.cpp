// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorthumbnail.h"

#include "colorutils.h"
#include "ovrcolor.h"

#include <QImage>
#include <QTest>

class tst_ColorThumbnail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void patch_data()
    {
        QTest::addColumn<OvrColor>("color");
        QTest::addColumn<QColor>("topLeft");     // inside the frame, first checker square
        QTest::addColumn<QColor>("bottomLeft");  // second checker square
        const OvrColor mix = OvrColor::fromNChannel16({65535, 65535, 0, 0, 0}, ColorUtils::ChannelConfiguration(5),
                                                      ColorUtils::PrismalProfileID(0));
        QTest::newRow("opaque rgb") << OvrColor::fromRgb8(255, 0, 0) << QColor(255, 0, 0) << QColor(255, 0, 0);
        // The keypad has no opacity: a translucent colour shows the light it makes.
        QTest::newRow("translucent") << OvrColor::fromRgb8(0, 0, 255, 128) << QColor(0, 0, 255) << QColor(0, 0, 255);
        // Shown as the generic RGB fixture makes it.
        const QColor light = ColorUtils::displayColor(mix, ColorUtils::ProfileGenericRGB);
        QTest::newRow("n-channel as its light") << mix << light << light;
        QTest::newRow("invalid") << OvrColor() << QColor(Qt::white) << QColor(Qt::white);
    }

    void patch()
    {
        QFETCH(OvrColor, color);
        QFETCH(QColor, topLeft);
        QFETCH(QColor, bottomLeft);
        const QPixmap pixmap = ColorThumbnail::generate(color);
        QCOMPARE(pixmap.size() / pixmap.devicePixelRatio(), QSize(ColorThumbnail::size, ColorThumbnail::size));
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
        const qreal ratio = pixmap.devicePixelRatio();
        auto at = [&](int x, int y) { return image.pixelColor(int(x * ratio), int(y * ratio)); };
        auto near = [](const QColor &a, const QColor &b) {
            return qAbs(a.red() - b.red()) <= 2 && qAbs(a.green() - b.green()) <= 2 && qAbs(a.blue() - b.blue()) <= 2;
        };
        QVERIFY2(near(at(3, 3), topLeft), qPrintable(at(3, 3).name()));
        QVERIFY2(near(at(3, 10), bottomLeft), qPrintable(at(3, 10).name()));
        QCOMPARE(at(0, 0), QColor(0x80, 0x80, 0x80)); // the frame
    }
};

QTEST_MAIN(tst_ColorThumbnail)
#include "tst_colorthumbnail.moc"
