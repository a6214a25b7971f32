// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorlistpicker2.h"
#include "mspeffectwidget.h"
#include "mspscenesettingswidget.h"

#include "namedpart.h"

#include "colortempsliderwidget.h"
#include "colortintsliderwidget.h"
#include "connectionstate.h"
#include "dmxsliderwidget.h"
#include "hexcoloredit.h"
#include "discoverer.h"
#include "dravon.h"
#include "keypadtestbed.h"
#include "mspcolorwasheffect.h"
#include "mspcomm.h"
#include "mspcustomwasheffect.h"
#include "mspfixedcoloreffect.h"
#include "mspvariablecoloreffect.h"
#include "nchannelpickerwidget.h"
#include "mspeffect.h"
#include "mspeffectfactory.h"
#include "msprandomcoloreffect.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "ovrcolor.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorpicker.h"
#include "systemconfiguration.h"
#include "whitepickerwidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

Q_DECLARE_METATYPE(ConnectionState::State)

namespace {

const QString red = OvrColor::fromRgb8(255, 0, 0).aName();
const QString green = OvrColor::fromRgb8(0, 255, 0).aName();
const QString blue = OvrColor::fromRgb8(0, 0, 255).aName();

} // namespace

class tst_MSPSceneSettingsWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void pickedColourPostedOnceAfterPause();
    void draggingCoalescesPosts();
    void choosingEffectType_data();
    void choosingEffectType();
    void saveFollowsLastEdit();
    void undoShowsStoredSceneWithoutEcho();
    void keypadPressShowsScene();
    void demoModeSendsNothing();
    void firmwareRuleForPickerPages_data();
    void firmwareRuleForPickerPages();
    void washKeepsSixColours();
    void speedLabels_data();
    void speedLabels();
    void showingKeepsOutOfRangeValue_data();
    void showingKeepsOutOfRangeValue();
    void whiteScaleLabels();
    void whiteScalesRunWarmToCool();
    void shownLevelsAreWhatTheKeypadReceives_data();
    void shownLevelsAreWhatTheKeypadReceives();
    void tabOrderFollowsLayout();
    void favouritesBesideReadOnlyList();

private:
    template<typename T> T *child(QWidget *parent, const char *name) const
    {
        T *widget = parent->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    MSPEffectWidget *page(int type) const { return m_widget->editor(type); }
    MSPScene *scene(int index) const { return MSPSceneModel::instance()->sceneAt(index); }
    /** Makes the keypad keep @p body as scene @p index, reads it back and shows it. */
    void keepAndShow(int index, const QString &body);
    /** The requests to the scene paths since @p from. */
    QList<KeypadTestBed::Request> sceneRequests(int from) const;
    int logSize() const { return m_bed->requestLog(m_keypad).size(); }
    /** Waits until the coalescing timer has surely fired and the keypad has answered. */
    void settle() { QTest::qWait(MSPComm::sceneUpdateInterval * 4); }

    std::unique_ptr<KeypadTestBed> m_bed;
    std::unique_ptr<MSPSceneSettingsWidget> m_widget;
    int m_keypad = -1;
};

void tst_MSPSceneSettingsWidget::initTestCase()
{
    qRegisterMetaType<ConnectionState::State>();
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));
    m_keypad = m_bed->startSimulator();
    QVERIFY2(m_keypad >= 0, qPrintable(m_bed->errorString()));
    QVERIFY(Discoverer::instance()->dravon()->setInterface(KeypadTestBed::hostEntry()));

    MSPComm *comm = MSPComm::instance();
    MSPSceneModel *model = MSPSceneModel::instance();
    comm->setDevice(m_bed->simulatorAddress(m_keypad).toString(), m_bed->simulatorMac(m_keypad));
    // The main window's wiring of an edit and of the keypad's answers.
    connect(model, &MSPSceneModel::effectParamsChanged, comm, &MSPComm::handleEffectParamsChanged);
    connect(model, &MSPSceneModel::effectChanged, comm, &MSPComm::handleEffectChanged);
    m_widget = std::make_unique<MSPSceneSettingsWidget>();
    connect(comm, &MSPComm::activeSceneIndexChanged, m_widget.get(), [this](int index) {
        MSPSceneModel::instance()->setActiveSceneIndex(index, false);
        m_widget->activeSceneChanged(index);
    });
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget.get()));
    comm->requestAllShows();
    QTRY_VERIFY_WITH_TIMEOUT(scene(7)->effect() != nullptr, 10000);
}

void tst_MSPSceneSettingsWidget::init()
{
    SystemConfiguration::instance()->setVersion(QStringLiteral("1.2.0"), true);
    ConnectionState::instance()->setState(ConnectionState::Connected);
    m_widget->setEnabled(true);
}

void tst_MSPSceneSettingsWidget::cleanupTestCase()
{
    m_widget.reset();
    m_bed.reset();
}

void tst_MSPSceneSettingsWidget::keepAndShow(int index, const QString &body)
{
    MSPComm *comm = MSPComm::instance();
    const int from = logSize();
    comm->postToDevice(QStringLiteral("/api/v1/shows/%1").arg(index + 1), body, false, false, true);
    QVERIFY(m_bed->waitForRequests(m_keypad, from + 1));
    const int effect = body.section(QLatin1Char('&'), 0, 0).section(QLatin1Char('='), 1).toInt();
    comm->getScene(index);
    QTRY_VERIFY_WITH_TIMEOUT(scene(index)->effect() && scene(index)->effect()->type() == effect, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_widget->shownSceneIndex(), index, 10000);
    m_widget->activeSceneChanged(index);
    settle();
}

QList<KeypadTestBed::Request> tst_MSPSceneSettingsWidget::sceneRequests(int from) const
{
    QList<KeypadTestBed::Request> requests;
    const auto log = m_bed->requestLog(m_keypad);
    for (int i = from; i < log.size(); ++i) {
        if (log.at(i).path.startsWith(QLatin1String("/api/v1/shows/")))
            requests.append(log.at(i));
    }
    return requests;
}

void tst_MSPSceneSettingsWidget::pickedColourPostedOnceAfterPause()
{
    keepAndShow(0, QStringLiteral("effect=0&param1=255&param2=0&param3=0&param_xy=(0,0,0)&num_colors=0"));
    auto *picker = child<OvrColorPickerLib::OvrColorPicker>(page(0), "colorPicker");
    const int from = logSize();
    const QDateTime picked = QDateTime::currentDateTime();
    picker->setColor(OvrColor::fromRgb8(0, 255, 0), QString());
    QCOMPARE(scene(0)->effect()->property("color").toString(), green);
    QVERIFY(m_bed->waitForRequests(m_keypad, from + 1));
    settle();
    const auto posts = sceneRequests(from);
    QCOMPARE(posts.size(), 1);
    QCOMPARE(posts.at(0).path, QStringLiteral("/api/v1/shows/1"));
    QVERIFY(posts.at(0).body.startsWith("effect=0&param1=0&param2=255&param3=0&"));
    // Never before the coalescing pause is over (the upper end depends on the machine's load).
    QVERIFY2(picked.msecsTo(posts.at(0).time) >= MSPComm::sceneUpdateInterval - 20,
             qPrintable(QString::number(picked.msecsTo(posts.at(0).time))));
    QVERIFY(child<QPushButton>(m_widget.get(), "applyButton")->isEnabled());
    QVERIFY(child<QPushButton>(m_widget.get(), "revertButton")->isEnabled());
}

void tst_MSPSceneSettingsWidget::draggingCoalescesPosts()
{
    keepAndShow(2, QStringLiteral("effect=2&param1=1&param2=0&param_xy=(0,0,0)&num_colors=0"));
    auto *slider = child<QSlider>(page(MSPEffect::ColorWash), "speedSlider");
    auto *save = child<QPushButton>(m_widget.get(), "applyButton");
    const int from = logSize();
    // Fifty positions in about a second, up the scale and part of the way back.
    slider->setSliderDown(true);
    QList<int> positions;
    for (int v = 2; v <= 32; ++v)
        positions << v;
    for (int v = 31; positions.size() < 50; --v)
        positions << v;
    for (int v : positions) {
        slider->setValue(v);
        QVERIFY(!save->isEnabled());
        QTest::qWait(20);
    }
    slider->setSliderDown(false);
    QVERIFY(save->isEnabled());
    settle();
    const auto posts = sceneRequests(from);
    QVERIFY2(!posts.isEmpty() && posts.size() <= 11, qPrintable(QString::number(posts.size())));
    QVERIFY(posts.last().body.startsWith("effect=2&param1=" + QByteArray::number(positions.last()) + "&param2=0&"));
    QCOMPARE(qobject_cast<MSPColorWashEffect *>(scene(2)->effect())->speed(), positions.last());
}

void tst_MSPSceneSettingsWidget::choosingEffectType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("same type") << int(MSPEffect::FixedColor) << QByteArray();
    QTest::newRow("random colour") << int(MSPEffect::RandomColor)
                                   << QByteArray("effect=5&param1=1&param2=0&param_xy=(0,0,0)&num_colors=0");
    QTest::newRow("kelvo white") << int(MSPEffect::KelvoWhite)
                                 << QByteArray("effect=7&param1=0&param2=255&param_xy=(0,0,0)&num_colors=0");
}

void tst_MSPSceneSettingsWidget::choosingEffectType()
{
    QFETCH(int, type);
    QFETCH(QByteArray, expected);
    keepAndShow(0, QStringLiteral("effect=0&param1=255&param2=0&param3=0&param_xy=(0,0,0)&num_colors=0"));
    MSPEffect *before = scene(0)->effect();
    const int from = logSize();
    auto *combo = child<QComboBox>(m_widget.get(), "effectsComboBox");
    QCOMPARE(combo->count(), MSPEffect::typeCount);
    combo->setCurrentIndex(type);
    settle();
    const auto posts = sceneRequests(from);
    auto *stack = child<QWidget>(m_widget.get(), "effectPropertiesStack");
    QCOMPARE(qobject_cast<QStackedWidget *>(stack)->currentIndex(), type);
    if (expected.isEmpty()) {
        QVERIFY(posts.isEmpty());
        QCOMPARE(scene(0)->effect(), before);
    } else {
        QCOMPARE(posts.size(), 1);
        QCOMPARE(posts.at(0).body, expected);
        QCOMPARE(scene(0)->effect()->type(), type);
        QCOMPARE(page(type)->effect(), scene(0)->effect());
    }
}

void tst_MSPSceneSettingsWidget::saveFollowsLastEdit()
{
    keepAndShow(2, QStringLiteral("effect=2&param1=1&param2=0&param_xy=(0,0,0)&num_colors=0"));
    const int from = logSize();
    QTest::mouseClick(child<QPushButton>(page(MSPEffect::ColorWash), "rightToLeftButton"), Qt::LeftButton);
    auto *save = child<QPushButton>(m_widget.get(), "applyButton");
    QVERIFY(save->isEnabled());
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY(!save->isEnabled());
    QVERIFY(!child<QPushButton>(m_widget.get(), "revertButton")->isEnabled());
    QVERIFY(m_bed->waitForRequests(m_keypad, from + 2));
    settle();
    const auto posts = sceneRequests(from);
    QCOMPARE(posts.size(), 2);
    QVERIFY(posts.at(0).body.startsWith("effect=2&param1=1&param2=1&"));
    QCOMPARE(posts.at(1).body, QByteArray("apply=1"));
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("status")).startsWith(QLatin1String("ok")));
}

void tst_MSPSceneSettingsWidget::undoShowsStoredSceneWithoutEcho()
{
    keepAndShow(4, QStringLiteral("effect=4&param1=5&param2=0&param3=3&param_xy=(0,0,0)&num_colors=2"
                                  "&color1=(255,0,0)&custom_xy_1=(0,0,0)&color2=(0,255,0)&custom_xy_2=(0,0,0)"));
    MSPEffectWidget *wash = page(MSPEffect::CustomWash);
    auto *strip = child<ColorListPicker2>(wash, "colorListPicker");
    QCOMPARE(strip->colors().size(), 2);

    // Edit everything, then change the effect type as well.
    child<QSlider>(wash, "speedSlider")->setValue(20);
    QTest::mouseClick(child<QPushButton>(wash, "rightToLeftButton"), Qt::LeftButton);
    child<QSpinBox>(wash, "widthEdit")->setValue(9);
    QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, strip->addSlotRect().center());
    child<QComboBox>(m_widget.get(), "effectsComboBox")->setCurrentIndex(MSPEffect::RandomColor);
    settle();

    const int from = logSize();
    auto *undo = child<QPushButton>(m_widget.get(), "revertButton");
    QVERIFY(undo->isEnabled());
    QTest::mouseClick(undo, Qt::LeftButton);
    QVERIFY(!undo->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(scene(4)->effect()->type() == MSPEffect::CustomWash, 10000);
    settle();
    const auto requests = sceneRequests(from);
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests.at(0).method, QStringLiteral("POST"));
    QCOMPARE(requests.at(0).body, QByteArray("apply=0"));
    QCOMPARE(requests.at(1).method, QStringLiteral("GET"));
    QCOMPARE(requests.at(1).path, QStringLiteral("/api/v1/shows/5"));

    // The editor shows the kept scene again; Undo and Save stay off.
    QCOMPARE(child<QComboBox>(m_widget.get(), "effectsComboBox")->currentIndex(), int(MSPEffect::CustomWash));
    QCOMPARE(child<QSlider>(wash, "speedSlider")->value(), 5);
    QVERIFY(child<QPushButton>(wash, "leftToRightButton")->isChecked());
    QCOMPARE(child<QSpinBox>(wash, "widthEdit")->value(), 3);
    QCOMPARE(strip->colors().size(), 2);
    QCOMPARE(OvrColor(strip->colors().at(1)).getQColor(), QColor(0, 255, 0));
    QVERIFY(!undo->isEnabled());
    QVERIFY(!child<QPushButton>(m_widget.get(), "applyButton")->isEnabled());
}

void tst_MSPSceneSettingsWidget::keypadPressShowsScene()
{
    keepAndShow(0, QStringLiteral("effect=0&param1=255&param2=0&param3=0&param_xy=(0,0,0)&num_colors=0"));
    const int from = logSize();
    QVERIFY(m_bed->command(m_keypad, QStringLiteral("press 6")).startsWith(QLatin1String("ok")));
    QTRY_COMPARE_WITH_TIMEOUT(m_widget->shownSceneIndex(), 5, 10000);
    QCOMPARE(child<QLabel>(m_widget.get(), "sceneNumberLabel")->text(), QStringLiteral("Scene: 6"));
    const int type = scene(5)->effect()->type();
    QCOMPARE(child<QComboBox>(m_widget.get(), "effectsComboBox")->currentIndex(), type);
    QCOMPARE(page(type)->effect(), scene(5)->effect());
    settle();
    // The press is answered by reading the scene; nothing is posted back.
    for (const auto &request : sceneRequests(from))
        QVERIFY2(request.body.isEmpty(), request.body.constData());
    QVERIFY(!child<QPushButton>(m_widget.get(), "applyButton")->isEnabled());
}

void tst_MSPSceneSettingsWidget::demoModeSendsNothing()
{
    keepAndShow(2, QStringLiteral("effect=2&param1=1&param2=0&param_xy=(0,0,0)&num_colors=0"));
    ConnectionState::instance()->setState(ConnectionState::DemoMode);
    m_widget->setEnabled(true);
    QCOMPARE(SystemConfiguration::instance()->version(), QStringLiteral("1.1.24"));
    const int from = logSize();
    MSPEffectWidget *wash = page(MSPEffect::ColorWash);
    QCOMPARE(wash->effect(), scene(2)->effect());
    child<QSlider>(wash, "speedSlider")->setValue(9);
    child<QComboBox>(m_widget.get(), "effectsComboBox")->setCurrentIndex(MSPEffect::RGBWhite);
    child<QSlider>(page(MSPEffect::RGBWhite), "brightnessSlider")->setValue(40);
    settle();
    QCOMPARE(scene(2)->effect()->property("brightness").toInt(), 40);
    QVERIFY(sceneRequests(from).isEmpty());
    QVERIFY(!child<QPushButton>(m_widget.get(), "applyButton")->isEnabled());
    QVERIFY(!child<QPushButton>(m_widget.get(), "revertButton")->isEnabled());
}

void tst_MSPSceneSettingsWidget::firmwareRuleForPickerPages_data()
{
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<ConnectionState::State>("state");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("1.1.19") << QStringLiteral("1.1.19") << ConnectionState::Connected << false;
    QTest::newRow("1.1.20") << QStringLiteral("1.1.20") << ConnectionState::Connected << true;
    QTest::newRow("1.0.99") << QStringLiteral("1.0.99") << ConnectionState::Connected << false;
    QTest::newRow("demo") << QStringLiteral("1.1.19") << ConnectionState::DemoMode << true;
}

void tst_MSPSceneSettingsWidget::firmwareRuleForPickerPages()
{
    QFETCH(QString, firmware);
    QFETCH(ConnectionState::State, state);
    QFETCH(bool, enabled);
    SystemConfiguration::instance()->setVersion(firmware, true);
    ConnectionState::instance()->setState(state);
    MSPFixedColorEffect fixed;
    QVERIFY(page(MSPEffect::FixedColor)->setEffect(&fixed));
    // The page toggles: RGB stays, white and channel follow the rule.
    QWidget *editor = page(MSPEffect::FixedColor);
    QVERIFY(child<QAbstractButton>(editor, "rgbPickerButton")->isEnabled());
    QCOMPARE(child<QAbstractButton>(editor, "whitePickerButton")->isEnabled(), enabled);
    QCOMPARE(child<QAbstractButton>(editor, "nChannelPickerButton")->isEnabled(), enabled);
    // An editor takes only an effect of its own class.
    MSPVariableColorEffect variable;
    QVERIFY(!page(MSPEffect::FixedColor)->setEffect(&variable));
    QCOMPARE(page(MSPEffect::FixedColor)->effect(), &fixed);
}

void tst_MSPSceneSettingsWidget::washKeepsSixColours()
{
    MSPEffectWidget *wash = page(MSPEffect::CustomWash);
    auto *strip = child<ColorListPicker2>(wash, "colorListPicker");
    auto *notice = child<QLabel>(wash, "colorLimitLabel");
    // Showing a list neither adds to the editor's layout nor restyles it.
    auto *colorsLayout = wash->findChild<QLayout *>(QStringLiteral("colorsLayout"));
    QVERIFY(colorsLayout);
    const int layoutItems = colorsLayout->count();
    MSPCustomWashEffect effect;
    effect.setColorList({red, green, blue, red, green});
    QVERIFY(wash->setEffect(&effect));
    QCOMPARE(strip->maximumCount(), MSPEffect::maximumColors);
    QVERIFY(notice->isHidden());
    QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, strip->addSlotRect().center());
    QCOMPARE(effect.colorList().size(), 6);
    QVERIFY(strip->addSlotRect().isNull());

    // A longer list from an old file is shown whole, and the user is told.
    effect.setColorList({red, green, blue, red, green, blue, red, green});
    QVERIFY(wash->setEffect(&effect));
    QCOMPARE(strip->colors().size(), 8);
    QVERIFY(!notice->isHidden());
    QVERIFY(notice->text().contains(QLatin1String("first 6")));
    // Removing colours brings it back within the bound.
    strip->setCurrentIndex(7);
    QTest::keyClick(strip, Qt::Key_Delete);
    QTest::keyClick(strip, Qt::Key_Delete);
    QCOMPARE(effect.colorList().size(), 6);
    QVERIFY(notice->isHidden());
    QCOMPARE(colorsLayout->count(), layoutItems);
}

void tst_MSPSceneSettingsWidget::speedLabels_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("slowest");
    QTest::addColumn<QString>("fastest");
    QTest::newRow("color wash") << int(MSPEffect::ColorWash) << QStringLiteral("10 m") << QStringLiteral("5 s");
    QTest::newRow("rainbow wash") << int(MSPEffect::RainbowWash) << QStringLiteral("10 m") << QStringLiteral("5 s");
    QTest::newRow("custom wash") << int(MSPEffect::CustomWash) << QStringLiteral("10 m") << QStringLiteral("1 s");
    QTest::newRow("random color") << int(MSPEffect::RandomColor) << QStringLiteral("10 m") << QStringLiteral("1 s");
}

void tst_MSPSceneSettingsWidget::speedLabels()
{
    QFETCH(int, type);
    QFETCH(QString, slowest);
    QFETCH(QString, fastest);
    std::unique_ptr<MSPEffect> effect(MSPEffectFactory::instance()->create(type, nullptr));
    MSPEffectWidget *editor = page(type);
    QVERIFY(editor->setEffect(effect.get()));
    QCOMPARE(editor->speedLabel(1), slowest);
    QCOMPARE(editor->speedLabel(32), fastest);
}

void tst_MSPSceneSettingsWidget::showingKeepsOutOfRangeValue_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("end");
    QTest::newRow("random speed 40") << int(MSPEffect::RandomColor) << QByteArray("speed") << 40
                                     << QStringLiteral("speedSlider") << 32;
    QTest::newRow("wash speed 40") << int(MSPEffect::ColorWash) << QByteArray("speed") << 40
                                   << QStringLiteral("speedSlider") << 32;
    QTest::newRow("white temperature 300") << int(MSPEffect::RGBWhite) << QByteArray("temperature") << 300
                                           << QStringLiteral("temperatureSlider") << 255;
    QTest::newRow("kelvo temperature 300") << int(MSPEffect::KelvoWhite) << QByteArray("temperature") << 300
                                           << QStringLiteral("temperatureSlider") << 255;
    QTest::newRow("white brightness 118") << int(MSPEffect::RGBWhite) << QByteArray("brightness") << 118
                                          << QStringLiteral("brightnessSlider") << 100;
}

void tst_MSPSceneSettingsWidget::showingKeepsOutOfRangeValue()
{
    QFETCH(int, type);
    QFETCH(QByteArray, property);
    QFETCH(int, value);
    QFETCH(QString, slider);
    QFETCH(int, end);
    std::unique_ptr<MSPEffect> effect(MSPEffectFactory::instance()->create(type, nullptr));
    effect->setProperty(property.constData(), value);
    MSPEffectWidget *editor = page(type);
    // The page may still show this value from an earlier effect.
    std::unique_ptr<MSPEffect> other(MSPEffectFactory::instance()->create(type, nullptr));
    QVERIFY(editor->setEffect(other.get()));
    QSignalSpy changes(effect.get(), &MSPEffect::effectParamsChanged);

    // Showing the keypad's value moves the control to its end and writes nothing.
    QVERIFY(editor->setEffect(effect.get()));
    auto *control = child<QSlider>(editor, slider.toLatin1().constData());
    QCOMPARE(control->value(), end);
    QCOMPARE(effect->property(property.constData()).toInt(), value);
    QCOMPARE(changes.count(), 0);

    // The user's move is an edit.
    control->setValue(end - 1);
    QCOMPARE(effect->property(property.constData()).toInt(), end - 1);
    QCOMPARE(changes.count(), 1);
}

void tst_MSPSceneSettingsWidget::whiteScaleLabels()
{
    MSPEffectWidget *rgb = page(MSPEffect::RGBWhite);
    MSPEffectWidget *kelvo = page(MSPEffect::KelvoWhite);
    const auto shown = [](MSPEffectWidget *editor, const char *name) {
        return !editor->findChild<QLabel *>(QLatin1String(name))->isHidden();
    };
    QVERIFY(shown(rgb, "RGBCoolLabel") && shown(rgb, "RGBWarmLabel"));
    QVERIFY(!shown(rgb, "KelvoWarmLabel") && !shown(rgb, "KelvoNeutralLabel") && !shown(rgb, "KelvoCoolLabel"));
    QVERIFY(!shown(kelvo, "RGBCoolLabel") && !shown(kelvo, "RGBWarmLabel"));
    QVERIFY(shown(kelvo, "KelvoWarmLabel") && shown(kelvo, "KelvoNeutralLabel") && shown(kelvo, "KelvoCoolLabel"));

    // Brightness slider and spin box follow each other into the effect.
    std::unique_ptr<MSPEffect> effect(MSPEffectFactory::instance()->create(MSPEffect::KelvoWhite, nullptr));
    QVERIFY(kelvo->setEffect(effect.get()));
    QVERIFY(!rgb->setEffect(effect.get()));
    child<QSpinBox>(kelvo, "brightnessEdit")->setValue(35);
    QCOMPARE(child<QSlider>(kelvo, "brightnessSlider")->value(), 35);
    QCOMPARE(effect->property("brightness").toInt(), 35);
}

void tst_MSPSceneSettingsWidget::whiteScalesRunWarmToCool()
{
    // RGB White numbers its scale from cool: drawn the other way round so
    // warm is on the left, with the labels beside their ends.
    MSPEffectWidget *rgb = page(MSPEffect::RGBWhite);
    MSPEffectWidget *kelvo = page(MSPEffect::KelvoWhite);
    QVERIFY(child<QSlider>(rgb, "temperatureSlider")->invertedAppearance());
    QVERIFY(!child<QSlider>(kelvo, "temperatureSlider")->invertedAppearance());
    auto *scale = rgb->findChild<QLayout *>(QStringLiteral("scaleLayout"));
    QVERIFY(scale);
    QVERIFY(scale->indexOf(child<QLabel>(rgb, "RGBWarmLabel")) < scale->indexOf(child<QLabel>(rgb, "RGBCoolLabel")));
    QVERIFY(scale->indexOf(child<QLabel>(rgb, "KelvoWarmLabel")) < scale->indexOf(child<QLabel>(rgb, "KelvoCoolLabel")));
    // The value sent is unchanged: the slider's value is the temperature.
    std::unique_ptr<MSPEffect> effect(MSPEffectFactory::instance()->create(MSPEffect::RGBWhite, nullptr));
    QVERIFY(rgb->setEffect(effect.get()));
    child<QSlider>(rgb, "temperatureSlider")->setValue(200);
    QCOMPARE(effect->property("temperature").toInt(), 200);
}

void tst_MSPSceneSettingsWidget::shownLevelsAreWhatTheKeypadReceives_data()
{
    QTest::addColumn<int>("pickerPage");
    QTest::addColumn<int>("fixtureClass");
    QTest::newRow("RGB page, Fenwash RGBA") << 0 << int(ColorUtils::ProfileFenwashLX6RGBA);
    QTest::newRow("white page, Fenwash RGBW") << 1 << int(ColorUtils::ProfileFenwashLX6RGBW);
    QTest::newRow("channel page, Marlspot RGB") << 2 << int(ColorUtils::ProfileMarlspotRGB);
}

void tst_MSPSceneSettingsWidget::shownLevelsAreWhatTheKeypadReceives()
{
    QFETCH(int, pickerPage);
    QFETCH(int, fixtureClass);
    keepAndShow(0, QStringLiteral("effect=0&param1=255&param2=0&param3=0&param_xy=(0,0,0)&num_colors=0"));
    SystemConfiguration *config = SystemConfiguration::instance();
    config->setFixtureClass(fixtureClass);
    const auto restore = qScopeGuard([config] { config->setFixtureClass(ColorUtils::ProfileGenericRGB); });
    auto *picker = child<OvrColorPickerLib::OvrColorPicker>(page(0), "colorPicker");
    auto *sent = child<QLabel>(picker, "sentLevelsLabel");
    auto *hex = child<OvrColorPickerLib::HexColorEdit>(picker, "hexEdit");
    // The white and channel pages are built when first shown: show the one
    // picked from, as the user does, and hide it again afterwards.
    const char *const pageButtons[] = {"rgbPickerButton", "whitePickerButton", "nChannelPickerButton"};
    auto *pageButton = child<QToolButton>(picker, pageButtons[pickerPage]);
    QVERIFY(pageButton->isEnabled());
    const bool pageWasShown = pageButton->isChecked();
    if (!pageWasShown)
        pageButton->click();
    const auto hidePage = qScopeGuard([pageButton, pageWasShown] {
        if (!pageWasShown)
            pageButton->click();
    });
    auto *white = picker->findChild<OvrColorPickerLib::WhitePickerWidget *>();
    auto *channels = picker->findChild<OvrColorPickerLib::NChannelPickerWidget *>();
    QVERIFY(pickerPage != 1 || white);
    QVERIFY(pickerPage != 2 || channels);
    QRandomGenerator random(quint32(20261208 + pickerPage * 10 + fixtureClass));
    const QRegularExpression shownLevels(QStringLiteral("^\\D+(\\d+)\\D+(\\d+)\\D+(\\d+)$"));
    const QRegularExpression receivedLevels(QStringLiteral("&param1=(\\d+)&param2=(\\d+)&param3=(\\d+)&"));

    for (int pick = 0; pick < 200; ++pick) {
        const int from = logSize();
        const QString before = scene(0)->effect()->property("color").toString();
        switch (pickerPage) {
        case 0: {
            QString typed;
            do
                typed = QString::asprintf("#%06x", random.bounded(0x1000000));
            while (typed.compare(hex->text(), Qt::CaseInsensitive) == 0);
            hex->selectAll();
            QTest::keyClicks(hex, typed);
            QTest::keyClick(hex, Qt::Key_Return);
            break;
        }
        case 1:
            if (pick % 2 == 0) {
                QSpinBox *cct = namedPart<OvrColorPickerLib::ColorTempSliderWidget>(white, "colorTempSlider")->spinBox();
                int kelvin = cct->value();
                while (kelvin == cct->value())
                    kelvin = 2000 + 10 * random.bounded(901);
                cct->setValue(kelvin);
            } else {
                auto *tint = namedPart<OvrColorPickerLib::ColorTintSliderWidget>(white, "colorTintSlider")->findChild<QSlider *>(QStringLiteral("tintSlider"));
                int value = tint->value();
                while (value == tint->value())
                    value = random.bounded(tint->minimum() / 2, tint->maximum() / 2);
                tint->setValue(value);
            }
            break;
        default: {
            const auto sliders = channels->findChildren<OvrColorPickerLib::DmxSliderWidget *>();
            QVERIFY(!sliders.isEmpty());
            QSpinBox *level = sliders.at(random.bounded(sliders.size()))->spinBox();
            int value = level->value();
            while (value == level->value())
                value = random.bounded(256);
            level->setValue(value);
            break;
        }
        }
        const QString picked = scene(0)->effect()->property("color").toString();
        QVERIFY2(picked != before, qPrintable(QStringLiteral("pick %1 changed nothing").arg(pick)));
        const QRegularExpressionMatch shown = shownLevels.match(sent->text());
        QVERIFY2(shown.hasMatch(), qPrintable(sent->text()));
        // The scene as the keypad received it.
        const auto receivedBody = [this, from] {
            QByteArray body;
            for (const KeypadTestBed::Request &request : sceneRequests(from)) {
                if (request.method == QLatin1String("POST") && request.path == QLatin1String("/api/v1/shows/1")
                    && request.body.startsWith("effect=0&"))
                    body = request.body;
            }
            return body;
        };
        QTRY_VERIFY2_WITH_TIMEOUT(!receivedBody().isEmpty(), qPrintable(QStringLiteral("pick %1").arg(pick)), 10000);
        const QByteArray body = receivedBody();
        const QRegularExpressionMatch received = receivedLevels.match(QString::fromLatin1(body));
        QVERIFY2(received.hasMatch(), body.constData());
        QVERIFY2(received.captured(1) == shown.captured(1) && received.captured(2) == shown.captured(2)
                     && received.captured(3) == shown.captured(3),
                 qPrintable(QStringLiteral("pick %1 of %2: shown \"%3\", received %4")
                                .arg(pick)
                                .arg(picked, sent->text(), QString::fromLatin1(body))));
    }
}

void tst_MSPSceneSettingsWidget::tabOrderFollowsLayout()
{
    keepAndShow(5, QStringLiteral("effect=5&param1=3&param2=1&param_xy=(0,0,0)&num_colors=0"));
    // The selector is rebuilt whenever the tab is shown.
    m_widget->hide();
    m_widget->show();
    m_widget->activateWindow();
    QApplication::setActiveWindow(m_widget.get());
    QVERIFY(QTest::qWaitForWindowActive(m_widget.get()));
    auto *combo = child<QComboBox>(m_widget.get(), "effectsComboBox");
    QTRY_VERIFY(combo->isVisible());
    combo->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QSlider>(page(MSPEffect::RandomColor), "speedSlider"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QCheckBox>(page(MSPEffect::RandomColor), "fadeCheckBox"));
    // After the page: Undo and Save, once there is something to keep.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>(m_widget.get(), "revertButton"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>(m_widget.get(), "applyButton"));
}

void tst_MSPSceneSettingsWidget::favouritesBesideReadOnlyList()
{
    // A read-only list (a preset) already has the name the editor adds to.
    OvrColorLibrary *library = OvrColorLibrary::Instance();
    const QString list = QStringLiteral("Site Colours");
    library->createColor(OvrColor(Qt::gray), QStringLiteral("Preset Gray"), list);
    const QStringList listsBefore = library->getListNames();

    const QVector<OvrColor> added{OvrColor::fromRgb8(255, 127, 0), OvrColor::fromRgb8(0, 64, 255)};
    for (const OvrColor &color : added)
        page(MSPEffect::FixedColor)->handleAddToFavorites(color, QString(), list);

    // One user list beside it takes both colours and is saved.
    const QString mine = list + QStringLiteral(" 2");
    QCOMPARE(library->getListNames(), listsBefore + QStringList{mine});
    QCOMPARE(library->getColors(list), QVector<OvrColor>{OvrColor(Qt::gray)});
    QVERIFY(library->isUserList(mine));
    QCOMPARE(library->getColors(mine), added);
    QFile file(OvrColorLibrary::defaultUserColorsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    QVERIFY(saved.contains("name=\"" + mine.toUtf8() + '"'));
    for (const OvrColor &color : added)
        QVERIFY(saved.contains(color.aName().toUtf8()));
}

QTEST_MAIN(tst_MSPSceneSettingsWidget)
#include "tst_mspscenesettingswidget.moc"
