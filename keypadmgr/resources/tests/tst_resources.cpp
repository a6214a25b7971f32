// SPDX-License-Identifier: GPL-3.0-or-later
//
// The compiled-in images: every path the program loads exists, at the size
// its widget is laid out for, with a sharp twice-as-large "@2x" companion, and
// with the transparency the control panel's layering relies on.

#include <QImage>
#include <QSet>
#include <QtTest>

namespace {

QString doubleName(const QString &path)
{
    return path.left(path.size() - 4) + QStringLiteral("@2x.png");
}

const char *const kStates[] = {"off", "down", "on", "disabled"};

QSize buttonSize(int position)
{
    if (position <= 8)
        return {152, 86};
    if (position <= 10)
        return {152, 60};
    return {309, 88};
}

} // namespace

class tst_Resources : public QObject
{
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
    void facesAreOpaque_data();
    void facesAreOpaque();
    void overlayIsTranslucent();
    void overlayRepeatsSeamlessly();
    void buttonCornersAreClear_data();
    void buttonCornersAreClear();
    void buttonStatesDiffer_data();
    void buttonStatesDiffer();
    void splashKeepsVersionAreaDark();
};

void tst_Resources::sizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    QTest::newRow("background") << ":/images/images/background.png" << QSize(400, 600);
    // The veil is a strip the overlay's style sheet repeats across the panel.
    QTest::newRow("overlay") << ":/images/images/controlpaneldisabledoverlay.png" << QSize(16, 600);
    QTest::newRow("splash") << ":/images/images/splash.png" << QSize(480, 300);
    QTest::newRow("appicon") << ":/images/images/appicon.png" << QSize(256, 256);
    QTest::newRow("question") << ":/images/images/icon_question.png" << QSize(48, 48);
    for (const char *name : {"connected", "discovering", "disconnected", "unreachable", "demo", "brightness"}) {
        QTest::newRow(name) << QStringLiteral(":/images/images/%1.png").arg(QLatin1String(name)) << QSize(16, 16);
    }
    // The network page's refresh icon sits directly under the prefix.
    QTest::newRow("reload arrow") << ":/images/reload_arrow.png" << QSize(16, 16);
    for (int p = 1; p <= 11; ++p) {
        for (const char *state : kStates) {
            const QString path = QStringLiteral(":/images/images/button_%1_%2.png").arg(p).arg(QLatin1String(state));
            QTest::newRow(qPrintable(path.mid(16))) << path << buttonSize(p);
        }
    }
}

void tst_Resources::sizes()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QCOMPARE(image.devicePixelRatio(), 1.0);

    // Read from a name ending in "@2x", the image reports a device pixel
    // ratio of 2, so it lays out at the same size in device-independent
    // pixels.
    const QImage sharp(doubleName(path));
    QVERIFY2(!sharp.isNull(), qPrintable(doubleName(path)));
    QCOMPARE(sharp.size(), size * 2);
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
}

void tst_Resources::facesAreOpaque_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("background") << ":/images/images/background.png";
    QTest::newRow("splash") << ":/images/images/splash.png";
}

void tst_Resources::facesAreOpaque()
{
    QFETCH(QString, path);
    for (const QString &name : {path, doubleName(path)}) {
        const QImage image(name);
        QVERIFY2(!image.hasAlphaChannel(), qPrintable(name));
    }
}

void tst_Resources::overlayIsTranslucent()
{
    // A veil that lets the greyed keypad show through everywhere.
    const QImage overlay = QImage(QStringLiteral(":/images/images/controlpaneldisabledoverlay.png"))
                               .convertToFormat(QImage::Format_ARGB32);
    for (const QPoint &p : {QPoint(0, 0), QPoint(8, 300), QPoint(15, 599), QPoint(0, 599)}) {
        const int alpha = qAlpha(overlay.pixel(p));
        QVERIFY2(alpha > 64 && alpha < 230, qPrintable(QStringLiteral("alpha %1").arg(alpha)));
    }
}

void tst_Resources::overlayRepeatsSeamlessly()
{
    // Repeated side by side across the panel, the strip must not show its
    // seams: every row is one colour from edge to edge.
    for (const QString &path : {QStringLiteral(":/images/images/controlpaneldisabledoverlay.png"),
                                QStringLiteral(":/images/images/controlpaneldisabledoverlay@2x.png")}) {
        const QImage overlay = QImage(path).convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!overlay.isNull(), qPrintable(path));
        for (int y = 0; y < overlay.height(); ++y) {
            for (int x = 1; x < overlay.width(); ++x) {
                if (overlay.pixel(x, y) != overlay.pixel(0, y))
                    QFAIL(qPrintable(QStringLiteral("%1: row %2 changes at x %3").arg(path).arg(y).arg(x)));
            }
        }
    }
}

void tst_Resources::buttonCornersAreClear_data()
{
    QTest::addColumn<QString>("path");
    for (int p = 1; p <= 11; ++p) {
        for (const char *state : kStates) {
            const QString path = QStringLiteral(":/images/images/button_%1_%2.png").arg(p).arg(QLatin1String(state));
            QTest::newRow(qPrintable(path.mid(16))) << path;
        }
    }
}

void tst_Resources::buttonCornersAreClear()
{
    // Rounded caps: the outermost corner pixels let the keypad face show.
    QFETCH(QString, path);
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    const int r = image.width() - 1;
    const int b = image.height() - 1;
    for (const QPoint &p : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
        QVERIFY2(qAlpha(image.pixel(p)) < 128, qPrintable(path));
    QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
}

void tst_Resources::buttonStatesDiffer_data()
{
    QTest::addColumn<int>("position");
    for (int p = 1; p <= 11; ++p)
        QTest::newRow(qPrintable(QString::number(p))) << p;
}

void tst_Resources::buttonStatesDiffer()
{
    // Each state must be told apart at a glance, and no position may share
    // its picture with another (every scene button carries its own number).
    QFETCH(int, position);
    QSet<QByteArray> seen;
    for (const char *state : kStates) {
        const QImage image(QStringLiteral(":/images/images/button_%1_%2.png").arg(position).arg(QLatin1String(state)));
        const QByteArray bits(reinterpret_cast<const char *>(image.constBits()), int(image.sizeInBytes()));
        QVERIFY2(!seen.contains(bits), state);
        seen.insert(bits);
    }
    if (position > 1 && position <= 8) {
        const QImage mine(QStringLiteral(":/images/images/button_%1_off.png").arg(position));
        const QImage first(QStringLiteral(":/images/images/button_1_off.png"));
        QVERIFY(mine != first);
    }
}

void tst_Resources::splashKeepsVersionAreaDark()
{
    // The splash screen writes its version line in white at x = 10 near the
    // bottom; the area under it must stay dark enough to read it.
    const QImage splash(QStringLiteral(":/images/images/splash.png"));
    for (int y = splash.height() - 40; y < splash.height() - 5; y += 5) {
        for (int x = 5; x < 200; x += 10)
            QVERIFY2(qGray(splash.pixel(x, y)) < 80, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }
}

QTEST_GUILESS_MAIN(tst_Resources)
#include "tst_resources.moc"
