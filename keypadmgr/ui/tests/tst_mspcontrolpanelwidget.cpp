// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspcontrolpanelwidget.h"

#include "connectionstate.h"
#include "discoverer.h"
#include "fakekeypadhttp.h"
#include "keypadtestbed.h"
#include "mspcomm.h"
#include "mspeffect.h"
#include "mspeffectfactory.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "systemconfiguration.h"

#include "dravon.h"

#include <QFrame>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

Q_DECLARE_METATYPE(ConnectionState::State)

namespace {

QPoint centreIn(const QWidget *panel, const QWidget *child)
{
    return child->mapTo(panel, child->rect().center());
}

bool isInside(const QWidget *widget, const QWidget *ancestor)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget == ancestor)
            return true;
    }
    return false;
}

/**
 * Whether the button, drawn on its own, shows @p expected pixel for pixel
 * wherever that image is opaque (its rounded corners let the panel through).
 */
bool showsImage(QWidget *button, const QImage &expected)
{
    const QImage want = expected.convertToFormat(QImage::Format_ARGB32);
    const QImage got = button->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (want.isNull() || got.size() != want.size())
        return false;
    for (int y = 0; y < want.height(); ++y) {
        for (int x = 0; x < want.width(); ++x) {
            const QRgb pixel = want.pixel(x, y);
            if (qAlpha(pixel) == 255 && got.pixel(x, y) != pixel)
                return false;
        }
    }
    return true;
}

} // namespace

class tst_MSPControlPanelWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void faceAndNotice();
    void connectionStateTable_data();
    void connectionStateTable();
    void panelEnabledHidesNotice();
    void demoModeFromNotice();
    void retryEmitsAndDiscoveringHidesNotice();
    void scenePressEmitsOnPress_data();
    void scenePressEmitsOnPress();
    void arrowsMoveFocusKeysPress_data();
    void arrowsMoveFocusKeysPress();
    void selectSceneChecksSilently_data();
    void selectSceneChecksSilently();
    void disabledSceneButtonIgnoresPresses();
    void buttonImages_data();
    void buttonImages();
    void upDownOnOff_data();
    void upDownOnOff();

private:
    template<typename T> T *child(const char *name) const
    {
        T *widget = m_panel->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    /** Enables or disables a button the way the configuration does, through the panel's slot. */
    void setButtonEnabled(const QString &button, bool enabled);
    /** The requests the keypad received while @p action ran and its replies came back. */
    QStringList requestsDuring(const std::function<void()> &action);

    std::unique_ptr<KeypadTestBed> m_bed;
    std::unique_ptr<FakeKeypadHttp> m_http;
    std::unique_ptr<MSPControlPanelWidget> m_panel;
};

void tst_MSPControlPanelWidget::initTestCase()
{
    qRegisterMetaType<ConnectionState::State>();
    // The bed first: it moves this process into a network of its own before
    // MSPComm binds the keypad's ports.
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));

    const QNetworkAddressEntry entry = KeypadTestBed::hostEntry();
    QVERIFY(!entry.ip().isNull());
    MSPComm *comm = MSPComm::instance();
    QVERIFY(Discoverer::instance()->dravon()->setInterface(entry));
    m_http = std::make_unique<FakeKeypadHttp>();
    QVERIFY(m_http->start(KeypadTestBed::hostAddress()));
    comm->setDevice(KeypadTestBed::hostAddress().toString(), QByteArray(6, '\5'));
    MSPSceneModel::instance()->prepareOfflineDefaults();

    m_panel = std::make_unique<MSPControlPanelWidget>();
    m_panel->setPanelEnabled(false);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void tst_MSPControlPanelWidget::init()
{
    ConnectionState::instance()->setState(ConnectionState::Connected);
}

void tst_MSPControlPanelWidget::cleanup()
{
    const char *const buttons[] = {
        "scene1Button", "scene2Button", "scene3Button", "scene4Button", "scene5Button",
        "scene6Button", "scene7Button", "scene8Button", "downButton", "upButton", "onOffButton",
    };
    for (const char *name : buttons)
        setButtonEnabled(QLatin1String(name), true);
}

void tst_MSPControlPanelWidget::setButtonEnabled(const QString &button, bool enabled)
{
    // "scene6Button" -> handleScene6StateChanged, "onOffButton" -> handleOnOffStateChanged
    QString slot = button.left(button.size() - int(qstrlen("Button")));
    slot[0] = slot.at(0).toUpper();
    slot = QLatin1String("handle") + slot + QLatin1String("StateChanged");
    if (!QMetaObject::invokeMethod(m_panel.get(), qPrintable(slot), Q_ARG(bool, enabled)))
        qFatal("no slot %s", qPrintable(slot));
}

void tst_MSPControlPanelWidget::cleanupTestCase()
{
    m_panel.reset();
    // Let the last replies land before the server goes away.
    QTest::qWait(50);
    m_http.reset();
}

QStringList tst_MSPControlPanelWidget::requestsDuring(const std::function<void()> &action)
{
    const int before = m_http->requests.size();
    action();
    // A request leaves as a reply object of MSPComm's manager; once every
    // such reply has finished, the server has logged whatever was sent.
    auto *manager = MSPComm::instance()->findChild<QNetworkAccessManager *>();
    if (!manager)
        qFatal("MSPComm has no network access manager");
    const auto allFinished = [manager] {
        const auto replies = manager->findChildren<QNetworkReply *>();
        return std::all_of(replies.begin(), replies.end(), [](QNetworkReply *r) { return r->isFinished(); });
    };
    if (!QTest::qWaitFor(allFinished, 10000))
        qWarning("replies still pending after 10 s");
    return m_http->requests.mid(before);
}

void tst_MSPControlPanelWidget::faceAndNotice()
{
    QCOMPARE(m_panel->windowTitle(), QStringLiteral("Lumetra Keypad"));
    QCOMPARE(m_panel->size(), QSize(400, 600));
    QCOMPARE(child<QFrame>("overlay")->geometry(), QRect(0, 0, 400, 600));
    QCOMPARE(child<QLabel>("failureLabel")->text(),
             QStringLiteral("The connection to a Lumetra Keypad has failed.  You may want to go to the Network "
                            "tab to change the settings before attempting to reconnect or use one of the options "
                            "below. "));
    // Every scene button is one of a single exclusive group.
    auto *scene2 = child<QRadioButton>("scene2Button");
    auto *scene7 = child<QRadioButton>("scene7Button");
    scene2->setChecked(true);
    scene7->setChecked(true);
    QVERIFY(!scene2->isChecked());
}

void tst_MSPControlPanelWidget::connectionStateTable_data()
{
    QTest::addColumn<ConnectionState::State>("from");
    QTest::addColumn<ConnectionState::State>("to");
    QTest::addColumn<bool>("overlay");
    QTest::addColumn<bool>("notice");

    using S = ConnectionState;
    // "from" shows whether a state leaves the notice as it was.
    QTest::newRow("NoStatus keeps notice and overlay") << S::NoDevice << S::NoStatus << true << true;
    QTest::newRow("NoStatus keeps a clear panel") << S::Connected << S::NoStatus << false << false;
    QTest::newRow("Discovering hides notice, keeps overlay") << S::NoDevice << S::Discovering << true << false;
    QTest::newRow("Connected clears all") << S::ConnectionLost << S::Connected << false << false;
    QTest::newRow("DemoMode clears all") << S::NoDevice << S::DemoMode << false << false;
    QTest::newRow("NotConnected keeps notice") << S::NoDevice << S::NotConnected << true << true;
    QTest::newRow("NotConnected greys, no notice") << S::Connected << S::NotConnected << true << false;
    QTest::newRow("Restoring keeps notice") << S::Unreachable << S::Restoring << true << true;
    QTest::newRow("Restoring greys, no notice") << S::Connected << S::Restoring << true << false;
    QTest::newRow("Unreachable") << S::Connected << S::Unreachable << true << true;
    QTest::newRow("ConnectionLost") << S::Connected << S::ConnectionLost << true << true;
    QTest::newRow("NoDevice") << S::Discovering << S::NoDevice << true << true;
}

void tst_MSPControlPanelWidget::connectionStateTable()
{
    QFETCH(ConnectionState::State, from);
    QFETCH(ConnectionState::State, to);
    QFETCH(bool, overlay);
    QFETCH(bool, notice);

    ConnectionState *state = ConnectionState::instance();
    state->setState(from);
    state->setState(to);
    QCOMPARE(state->state(), to);

    auto *overlayFrame = child<QFrame>("overlay");
    auto *noticeFrame = child<QFrame>("connectionFailedFrame");
    QCOMPARE(overlayFrame->isVisible(), overlay);
    QCOMPARE(noticeFrame->isVisible(), notice);

    // What a user would hit: the veil covers the buttons, the notice lies on top.
    auto *scene1 = child<QRadioButton>("scene1Button");
    QWidget *atButton = m_panel->childAt(centreIn(m_panel.get(), scene1));
    QCOMPARE(atButton, overlay ? static_cast<QWidget *>(overlayFrame) : scene1);
    if (notice) {
        QWidget *atNotice = m_panel->childAt(centreIn(m_panel.get(), noticeFrame));
        QVERIFY(isInside(atNotice, noticeFrame));
    }
}

void tst_MSPControlPanelWidget::panelEnabledHidesNotice()
{
    ConnectionState::instance()->setState(ConnectionState::NoDevice);
    QVERIFY(child<QFrame>("connectionFailedFrame")->isVisible());

    m_panel->setPanelEnabled(true);
    QVERIFY(!child<QFrame>("overlay")->isVisible());
    QVERIFY(!child<QFrame>("connectionFailedFrame")->isVisible());

    m_panel->setPanelEnabled(false);
    QVERIFY(child<QFrame>("overlay")->isVisible());
    QVERIFY(!child<QFrame>("connectionFailedFrame")->isVisible());
}

void tst_MSPControlPanelWidget::demoModeFromNotice()
{
    ConnectionState *state = ConnectionState::instance();
    state->setState(ConnectionState::ConnectionLost);
    auto *demo = child<QPushButton>("demoModeButton");
    QCOMPARE(demo->text(), QStringLiteral("Go to Offline Demo Mode"));
    QVERIFY(demo->isVisible());

    QSignalSpy changed(state, &ConnectionState::stateChanged);
    QTest::mouseClick(demo, Qt::LeftButton);
    QCOMPARE(state->state(), ConnectionState::DemoMode);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<ConnectionState::State>(), ConnectionState::DemoMode);
    QVERIFY(!child<QFrame>("overlay")->isVisible());
    QVERIFY(!child<QFrame>("connectionFailedFrame")->isVisible());
}

void tst_MSPControlPanelWidget::retryEmitsAndDiscoveringHidesNotice()
{
    ConnectionState *state = ConnectionState::instance();
    state->setState(ConnectionState::NoDevice);
    auto *retry = child<QPushButton>("retryButton");
    QCOMPARE(retry->text(), QStringLiteral("Retry Connection"));

    QSignalSpy retried(m_panel.get(), &MSPControlPanelWidget::retryDiscoverySelected);
    QSignalSpy changed(state, &ConnectionState::stateChanged);
    QTest::mouseClick(retry, Qt::LeftButton);
    QCOMPARE(retried.count(), 1);
    // The panel only asks; the discovery run is the window's to start.
    QCOMPARE(changed.count(), 0);
    QVERIFY(child<QFrame>("connectionFailedFrame")->isVisible());

    state->setState(ConnectionState::Discovering);
    QVERIFY(!child<QFrame>("connectionFailedFrame")->isVisible());
    QVERIFY(child<QFrame>("overlay")->isVisible());
}

void tst_MSPControlPanelWidget::scenePressEmitsOnPress_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("corner");
    QTest::newRow("scene 1") << "scene1Button" << 0 << false;
    QTest::newRow("scene 4") << "scene4Button" << 3 << false;
    QTest::newRow("scene 5") << "scene5Button" << 4 << false;
    QTest::newRow("scene 8") << "scene8Button" << 7 << false;
    // The whole key takes the press, as on the keypad.
    QTest::newRow("scene 6, far corner") << "scene6Button" << 5 << true;
}

void tst_MSPControlPanelWidget::scenePressEmitsOnPress()
{
    QFETCH(QString, button);
    QFETCH(int, index);
    QFETCH(bool, corner);

    auto *radio = child<QRadioButton>(qPrintable(button));
    const QPoint at = corner ? QPoint(radio->width() - 4, radio->height() - 4) : QPoint();
    QSignalSpy selected(m_panel.get(), &MSPControlPanelWidget::sceneIndexSelected);
    QTest::mousePress(radio, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toInt(), index);

    QTest::mouseRelease(radio, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(selected.count(), 1);
    QVERIFY(radio->isChecked());
}

void tst_MSPControlPanelWidget::arrowsMoveFocusKeysPress_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("arrow");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("index");
    QTest::newRow("down a column, Space") << "scene1Button" << int(Qt::Key_Down) << "scene2Button" << int(Qt::Key_Space) << 1;
    QTest::newRow("across, Enter") << "scene1Button" << int(Qt::Key_Right) << "scene5Button" << int(Qt::Key_Return) << 4;
    QTest::newRow("up a column, keypad Enter") << "scene8Button" << int(Qt::Key_Up) << "scene7Button" << int(Qt::Key_Enter) << 6;
    QTest::newRow("back across") << "scene6Button" << int(Qt::Key_Left) << "scene2Button" << int(Qt::Key_Space) << 1;
}

void tst_MSPControlPanelWidget::arrowsMoveFocusKeysPress()
{
    QFETCH(QString, from);
    QFETCH(int, arrow);
    QFETCH(QString, to);
    QFETCH(int, press);
    QFETCH(int, index);

    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    m_panel->activateWindow();
    auto *start = child<QRadioButton>(qPrintable(from));
    auto *target = child<QRadioButton>(qPrintable(to));
    m_panel->selectScene(start->objectName().mid(5, 1).toInt() - 1);
    start->setFocus();
    QSignalSpy selected(m_panel.get(), &MSPControlPanelWidget::sceneIndexSelected);

    // An arrow only moves the focus: the keypad's scene stays.
    QTest::keyClick(start, Qt::Key(arrow));
    QTRY_VERIFY(target->hasFocus());
    QCOMPARE(selected.count(), 0);
    QVERIFY(start->isChecked());

    QTest::keyClick(target, Qt::Key(press), press == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QTRY_COMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toInt(), index);
    QTRY_VERIFY(target->isChecked());
}

void tst_MSPControlPanelWidget::selectSceneChecksSilently_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("checked");
    QTest::newRow("first") << 0 << "scene1Button";
    QTest::newRow("sixth") << 5 << "scene6Button";
    QTest::newRow("last") << 7 << "scene8Button";
    QTest::newRow("below range") << -1 << "scene3Button";
    QTest::newRow("above range") << 8 << "scene3Button";
}

void tst_MSPControlPanelWidget::selectSceneChecksSilently()
{
    QFETCH(int, index);
    QFETCH(QString, checked);

    m_panel->selectScene(2);
    QVERIFY(child<QRadioButton>("scene3Button")->isChecked());

    QSignalSpy selected(m_panel.get(), &MSPControlPanelWidget::sceneIndexSelected);
    const QStringList before = requestsDuring([&] { m_panel->selectScene(index); });
    QVERIFY(child<QRadioButton>(qPrintable(checked))->isChecked());
    QCOMPARE(selected.count(), 0);
    QVERIFY(before.isEmpty());
}

void tst_MSPControlPanelWidget::disabledSceneButtonIgnoresPresses()
{
    SystemConfiguration *config = SystemConfiguration::instance();
    connect(config, &SystemConfiguration::scene3CheckBoxStateChanged,
            m_panel.get(), &MSPControlPanelWidget::handleScene3StateChanged);
    m_panel->selectScene(0);

    config->setScene3CheckBoxState(false);
    auto *scene3 = child<QRadioButton>("scene3Button");
    QVERIFY(!scene3->isEnabled());
    QVERIFY(showsImage(scene3, QImage(QStringLiteral(":/images/images/button_5_disabled.png"))));

    QSignalSpy selected(m_panel.get(), &MSPControlPanelWidget::sceneIndexSelected);
    QTest::mousePress(scene3, Qt::LeftButton);
    QTest::mouseRelease(scene3, Qt::LeftButton);
    QCOMPARE(selected.count(), 0);
    QVERIFY(!scene3->isChecked());
    QVERIFY(child<QRadioButton>("scene1Button")->isChecked());

    config->setScene3CheckBoxState(true);
    QVERIFY(scene3->isEnabled());
    QTest::mousePress(scene3, Qt::LeftButton);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toInt(), 2);
    QTest::mouseRelease(scene3, Qt::LeftButton);

    disconnect(config, &SystemConfiguration::scene3CheckBoxStateChanged,
               m_panel.get(), &MSPControlPanelWidget::handleScene3StateChanged);
}

void tst_MSPControlPanelWidget::buttonImages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("look"); // off, on (checked), down (held), disabled
    QTest::addColumn<QString>("image");
    // Positions run row by row over two columns, so scenes 5..8 are the even ones.
    QTest::newRow("scene 1 off") << "scene1Button" << "off" << "button_1_off.png";
    QTest::newRow("scene 5 off") << "scene5Button" << "off" << "button_2_off.png";
    QTest::newRow("scene 4 on") << "scene4Button" << "on" << "button_7_on.png";
    QTest::newRow("scene 8 on") << "scene8Button" << "on" << "button_8_on.png";
    QTest::newRow("scene 6 disabled") << "scene6Button" << "disabled" << "button_4_disabled.png";
    QTest::newRow("down off") << "downButton" << "off" << "button_9_off.png";
    QTest::newRow("up disabled") << "upButton" << "disabled" << "button_10_disabled.png";
    QTest::newRow("on/off off") << "onOffButton" << "off" << "button_11_off.png";
    QTest::newRow("scene 3 down") << "scene3Button" << "down" << "button_5_down.png";
    QTest::newRow("scene 7 on, down") << "scene7Button" << "on down" << "button_6_down.png";
    QTest::newRow("up down") << "upButton" << "down" << "button_10_down.png";
}

void tst_MSPControlPanelWidget::buttonImages()
{
    QFETCH(QString, button);
    QFETCH(QString, look);
    QFETCH(QString, image);

    auto *widget = child<QAbstractButton>(qPrintable(button));
    const bool on = look.startsWith(QLatin1String("on"));
    m_panel->selectScene(on ? button.mid(5, 1).toInt() - 1 : -1);
    if (!on && widget->isChecked()) {
        // Move the check elsewhere so this button shows its resting face.
        m_panel->selectScene(button == QLatin1String("scene1Button") ? 1 : 0);
    }
    setButtonEnabled(button, look != QLatin1String("disabled"));
    QCOMPARE(widget->isEnabled(), look != QLatin1String("disabled"));

    const QImage expected = QImage(QStringLiteral(":/images/images/") + image)
                                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY(!expected.isNull());
    QCOMPARE(widget->size(), expected.size());
    widget->setDown(look.endsWith(QLatin1String("down")));
    const auto release = qScopeGuard([widget] { widget->setDown(false); });
    QVERIFY2(showsImage(widget, expected), qPrintable(image));
}

void tst_MSPControlPanelWidget::upDownOnOff_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("effectType");
    QTest::addColumn<int>("brightness");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("sent");

    const QStringList up { QStringLiteral("POST /api/v1/config rel_bright=1") };
    const QStringList down { QStringLiteral("POST /api/v1/config rel_bright=0") };
    const QStringList onOff { QStringLiteral("POST /api/v1/config off_press=1") };
    const QStringList nothing;

    // Variable Color (1) dims itself, so Up and Down always reach it.
    QTest::newRow("up, variable colour, full") << "upButton" << 1 << 255 << true << up;
    QTest::newRow("down, variable colour, zero") << "downButton" << 1 << 0 << true << down;
    QTest::newRow("up, fixed colour, full") << "upButton" << 0 << 255 << true << nothing;
    QTest::newRow("down, fixed colour, zero") << "downButton" << 0 << 0 << true << nothing;
    QTest::newRow("up, colour wash, full") << "upButton" << 2 << 255 << true << nothing;
    QTest::newRow("down, kelvo white, zero") << "downButton" << 7 << 0 << true << nothing;
    QTest::newRow("up, fixed colour, 254") << "upButton" << 0 << 254 << true << up;
    QTest::newRow("down, fixed colour, 1") << "downButton" << 0 << 1 << true << down;
    QTest::newRow("up, fixed colour, off") << "upButton" << 0 << -1 << true << up;
    QTest::newRow("down, fixed colour, off") << "downButton" << 0 << -1 << true << down;
    QTest::newRow("on/off, fixed colour, zero") << "onOffButton" << 0 << 0 << true << onOff;
    QTest::newRow("on/off, variable colour, full") << "onOffButton" << 1 << 255 << true << onOff;
    QTest::newRow("up disabled by configuration") << "upButton" << 1 << 100 << false << nothing;
    QTest::newRow("on/off disabled by configuration") << "onOffButton" << 0 << 100 << false << nothing;
}

void tst_MSPControlPanelWidget::upDownOnOff()
{
    QFETCH(QString, button);
    QFETCH(int, effectType);
    QFETCH(int, brightness);
    QFETCH(bool, enabled);
    QFETCH(QStringList, sent);

    // The active scene (not scene 1) carries the effect under test; the
    // others keep a Fixed Color effect so only the active one can decide.
    MSPSceneModel *model = MSPSceneModel::instance();
    model->setActiveSceneIndex(5, false);
    MSPScene *scene = model->sceneAt(5);
    scene->setEffect(MSPEffectFactory::instance()->create(effectType, scene), false);
    QCOMPARE(int(scene->effect()->type()), effectType);
    SystemConfiguration::instance()->setBrightness(brightness);

    setButtonEnabled(button, enabled);
    auto *widget = child<QPushButton>(qPrintable(button));
    QCOMPARE(widget->isEnabled(), enabled);
    if (button == QLatin1String("onOffButton")) {
        // On/Off goes out on the press, before any release.
        QCOMPARE(requestsDuring([widget] { QTest::mousePress(widget, Qt::LeftButton); }), sent);
        QCOMPARE(requestsDuring([widget] { QTest::mouseRelease(widget, Qt::LeftButton); }), QStringList());
    } else {
        QCOMPARE(requestsDuring([widget] { QTest::mouseClick(widget, Qt::LeftButton); }), sent);
    }
}

QTEST_MAIN(tst_MSPControlPanelWidget)
#include "tst_mspcontrolpanelwidget.moc"
