// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuswidget.h"

#include "connectionstate.h"
#include "keypadtestbed.h"
#include "systemconfiguration.h"

#include <QLabel>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(ConnectionState::State)

namespace {

const QString demoSentence = QStringLiteral(
    "<html><head/><body><p style=\" color:#ff0000;\">Offline Demo Mode - File > Save Configuration File keeps your changes.</p></body></html>");
const QString failureSentence = QStringLiteral("Device communication failure.  IP address may be invalid.");

QImage normalized(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage resourceImage(const QString &path)
{
    return path.isEmpty() ? QImage() : QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class tst_StatusWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void constructionShowsCurrentState();
    void stateRow_data();
    void stateRow();
    void heartBeat_data();
    void heartBeat();
    void brightness_data();
    void brightness();

private:
    QLabel *label(const char *name) const
    {
        auto *found = m_status->findChild<QLabel *>(QLatin1String(name));
        if (!found)
            qFatal("no label %s", name);
        return found;
    }
    void verifyRow(const QString &sentence, const QString &icon) const;

    std::unique_ptr<KeypadTestBed> m_bed;
    std::unique_ptr<StatusWidget> m_status;
};

void tst_StatusWidget::initTestCase()
{
    qRegisterMetaType<ConnectionState::State>();
    // The connection state brings MSPComm, which binds the keypad's ports:
    // give this test a network of its own first.
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));

    ConnectionState::instance()->setState(ConnectionState::Unreachable);
    m_status = std::make_unique<StatusWidget>();
    m_status->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_status.get()));
}

void tst_StatusWidget::cleanupTestCase()
{
    m_status.reset();
}

void tst_StatusWidget::verifyRow(const QString &sentence, const QString &icon) const
{
    QCOMPARE(label("textLabel")->text(), sentence);
    const QPixmap shown = label("iconLabel")->pixmap(Qt::ReturnByValue);
    QCOMPARE(shown.isNull(), icon.isEmpty());
    if (!icon.isEmpty())
        QCOMPARE(normalized(shown), resourceImage(icon));
}

void tst_StatusWidget::constructionShowsCurrentState()
{
    // Built while the state is Unreachable; the brightness is not known
    // until the record reports one.
    ConnectionState::instance()->setState(ConnectionState::Unreachable);
    m_status = std::make_unique<StatusWidget>();
    m_status->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_status.get()));
    verifyRow(failureSentence, QStringLiteral(":/images/images/unreachable.png"));
    QCOMPARE(label("brightnessValueLabel")->text(), QString());
}

void tst_StatusWidget::stateRow_data()
{
    QTest::addColumn<ConnectionState::State>("from");
    QTest::addColumn<ConnectionState::State>("state");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("icon");

    using S = ConnectionState;
    const QString images = QStringLiteral(":/images/images/");
    QTest::newRow("NoStatus") << S::Connected << S::NoStatus << "Connection Status Unknown"
                              << images + "disconnected.png";
    QTest::newRow("Discovering") << S::NotConnected << S::Discovering << "Discovering" << images + "discovering.png";
    QTest::newRow("Connected") << S::Discovering << S::Connected << "Connected" << images + "connected.png";
    QTest::newRow("NotConnected") << S::Connected << S::NotConnected << "Not Connected" << images + "disconnected.png";
    QTest::newRow("Unreachable") << S::Discovering << S::Unreachable << failureSentence << images + "unreachable.png";
    QTest::newRow("DemoMode") << S::NoDevice << S::DemoMode << demoSentence << images + "demo.png";
    // Every state says where the program stands; none leaves the strip blank.
    QTest::newRow("ConnectionLost") << S::Connected << S::ConnectionLost << "Connection to the keypad lost"
                                    << images + "unreachable.png";
    QTest::newRow("NoDevice") << S::Discovering << S::NoDevice << "No keypad found" << images + "disconnected.png";
    QTest::newRow("Restoring") << S::Connected << S::Restoring << "Restoring the keypad's factory defaults..."
                               << images + "discovering.png";
    QTest::newRow("Moving") << S::Connected << S::Moving << "Moving the keypad to its new address..."
                            << images + "discovering.png";
}

void tst_StatusWidget::stateRow()
{
    QFETCH(ConnectionState::State, from);
    QFETCH(ConnectionState::State, state);
    QFETCH(QString, sentence);
    QFETCH(QString, icon);

    ConnectionState *connection = ConnectionState::instance();
    connection->setState(from);
    connection->setState(state);
    verifyRow(sentence, icon);
}

void tst_StatusWidget::heartBeat_data()
{
    QTest::addColumn<ConnectionState::State>("state");
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("icon");

    using S = ConnectionState;
    const QString unreachable = QStringLiteral(":/images/images/unreachable.png");
    // The state stays as it was in these rows, yet the strip reports the failure.
    QTest::newRow("not reachable, NotConnected") << S::NotConnected << false << failureSentence << unreachable;
    QTest::newRow("not reachable, NoDevice") << S::NoDevice << false << failureSentence << unreachable;
    QTest::newRow("not reachable, Restoring") << S::Restoring << false << failureSentence << unreachable;
    QTest::newRow("not reachable, Unreachable") << S::Unreachable << false << failureSentence << unreachable;
    QTest::newRow("reachable") << S::NotConnected << true << "Connected"
                               << QStringLiteral(":/images/images/connected.png");
    // Demo mode is offline by choice: heartbeats do not reach the strip.
    QTest::newRow("demo mode ignores heartbeats") << S::DemoMode << false << demoSentence
                                                  << QStringLiteral(":/images/images/demo.png");
}

void tst_StatusWidget::heartBeat()
{
    QFETCH(ConnectionState::State, state);
    QFETCH(bool, reachable);
    QFETCH(QString, sentence);
    QFETCH(QString, icon);

    ConnectionState *connection = ConnectionState::instance();
    connection->setState(ConnectionState::Discovering);
    connection->setState(state);
    connection->handleHeartBeat(reachable);
    verifyRow(sentence, icon);
    QCOMPARE(connection->state(), reachable ? ConnectionState::Connected : state);
}

void tst_StatusWidget::brightness_data()
{
    QTest::addColumn<int>("brightness");
    QTest::addColumn<QString>("text");
    QTest::newRow("off") << -1 << "Off";
    QTest::newRow("zero") << 0 << "0%";
    QTest::newRow("2 truncates to 0") << 2 << "0%";
    QTest::newRow("3 truncates to 1") << 3 << "1%";
    QTest::newRow("half") << 128 << "50%";
    QTest::newRow("254 truncates to 99") << 254 << "99%";
    QTest::newRow("full") << 255 << "100%";
}

void tst_StatusWidget::brightness()
{
    QFETCH(int, brightness);
    QFETCH(QString, text);

    SystemConfiguration::instance()->setBrightness(brightness);
    QCOMPARE(label("brightnessValueLabel")->text(), text);
}

QTEST_MAIN(tst_StatusWidget)
#include "tst_statuswidget.moc"
