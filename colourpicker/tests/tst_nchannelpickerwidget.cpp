// SPDX-License-Identifier: GPL-3.0-or-later
#include "dmxsliderswidget.h"
#include "dmxsliderwidget.h"
#include "nchannelpickerwidget.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorpicker.h"
#include "prismalprofile.h"
#include "prismalprofilefactory.h"
#include "profileselector.h"

#include <QComboBox>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace OvrColorPickerLib;

namespace {
// The page's signal carries references, which QSignalSpy cannot record.
struct ColorRecorder
{
    explicit ColorRecorder(NChannelPickerWidget *page)
    {
        QObject::connect(page, &NChannelPickerWidget::colorChanged, page,
                         [this](OvrColor &color, QString &uid) { colors.append({color, uid}); });
    }
    int count() const { return colors.size(); }
    QVector<QPair<OvrColor, QString>> colors;
};
} // namespace

class tst_NChannelPickerWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void profileSwitch_data();
    void profileSwitch();
    void slidersToColorAndBack_data();
    void slidersToColorAndBack();
    void rgbColorOnFixture();
    void otherProfileColorSelectsItsProfile();
    void inThePicker();

private:
    std::unique_ptr<NChannelPickerWidget> page;
};

void tst_NChannelPickerWidget::init()
{
    page.reset(new NChannelPickerWidget);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
}

void tst_NChannelPickerWidget::profileSwitch_data()
{
    QTest::addColumn<int>("profile");
    for (ColorUtils::PrismalProfileID id : ColorUtils::prismalProfileIDList(true))
        QTest::newRow(qPrintable(ColorUtils::prismalProfileIDName(id))) << int(id);
}

void tst_NChannelPickerWidget::profileSwitch()
{
    QFETCH(int, profile);
    const auto id = ColorUtils::PrismalProfileID(profile);
    const auto configuration = ColorUtils::nChannelConfigurationForPrismalProfileID(id);
    QStringList names = PrismalProfileFactory::instance()->getProfile(id)->getChannelNames();
    if (id == ColorUtils::ProfileSingleChannel)
        names = QStringList{QStringLiteral("Intensity")};
    QCOMPARE(names.size(), ColorUtils::configChannelCount(configuration));

    // Start from another profile, so every row is a change.
    page->setColor(OvrColor::fromRgb8(200, 100, 50));
    page->profileSelector()->setProfile(id == ColorUtils::ProfileMarlspotRGB ? 1 : 7);
    page->onPrismalProfileChanged(id == ColorUtils::ProfileMarlspotRGB ? ColorUtils::ProfileKestrelKiteQRZ
                                                                       : ColorUtils::ProfileMarlspotRGB);

    QSignalSpy selected(page->profileSelector(), &ProfileSelector::selectedProfile);
    ColorRecorder changed(page.get());
    QComboBox *combo = page->profileSelector()->comboBox();
    combo->setCurrentIndex(combo->findText(ColorUtils::prismalProfileIDName(id)));
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).value<ColorUtils::PrismalProfileID>(), id);
    QCOMPARE(page->profileSelector()->profile(), profile);
    QCOMPARE(page->dmxSliders()->channelNames(), names);
    QCOMPARE(page->dmxSliders()->sliders().size(), names.size());

    QCOMPARE(changed.count(), 1);
    const OvrColor color = page->color();
    QCOMPARE(color.spec(), OvrColor::NChannel);
    QCOMPARE(color.getPrismalProfileID(), id);
    QCOMPARE(color.getChannelConfiguration(), configuration);
    // The sliders show the new colour's levels.
    QVector<unsigned int> levels;
    color.getNChannel8(&levels);
    QCOMPARE(levels.size(), names.size() + 1);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(page->dmxSliders()->levels().at(i), int(levels.at(i + 1)));
}

void tst_NChannelPickerWidget::slidersToColorAndBack_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<QVector<int>>("levels");
    QTest::newRow("Kestrel/Kite QRZ") << 1 << QVector<int>{255, 0, 17, 128, 1};
    QTest::newRow("Fenwash LX6 RGBA") << 5 << QVector<int>{0, 0, 0, 0};
    QTest::newRow("Single Channel") << 4 << QVector<int>{77};
    QTest::newRow("Generic RGB") << 0 << QVector<int>{1, 254, 100};
}

void tst_NChannelPickerWidget::slidersToColorAndBack()
{
    QFETCH(int, profile);
    QFETCH(QVector<int>, levels);
    page->onPrismalProfileChanged(ColorUtils::PrismalProfileID(profile));
    ColorRecorder changed(page.get());
    const QList<DmxSliderWidget *> sliders = page->dmxSliders()->sliders();
    QCOMPARE(sliders.size(), levels.size());
    for (int i = 0; i < levels.size(); ++i) {
        sliders.at(i)->spinBox()->setValue(levels.at(i));
        sliders.at(i)->spinBox()->editingFinished();
    }
    QVERIFY(changed.count() >= 1);
    const OvrColor color = changed.colors.last().first;
    QCOMPARE(color.spec(), OvrColor::NChannel);
    QCOMPARE(int(color.getPrismalProfileID()), profile);
    QVector<unsigned int> out;
    color.getNChannel16(&out);
    QCOMPARE(out.size(), levels.size() + 1);
    QCOMPARE(out.at(0), 65535u);
    for (int i = 0; i < levels.size(); ++i)
        QCOMPARE(out.at(i + 1), unsigned(levels.at(i)) * 257u);

    // A fresh page shows the colour with the same profile and levels.
    NChannelPickerWidget other;
    ColorRecorder otherChanged(&other);
    other.setColor(color, QStringLiteral("{x}"));
    QCOMPARE(otherChanged.count(), 0);
    QCOMPARE(other.profileSelector()->profile(), profile);
    QCOMPARE(other.dmxSliders()->levels(), levels);
    QCOMPARE(other.uid(), QStringLiteral("{x}"));
}

void tst_NChannelPickerWidget::rgbColorOnFixture()
{
    page->onPrismalProfileChanged(ColorUtils::ProfileGenericRGB);
    page->setColor(OvrColor::fromRgb8(255, 0, 0));
    QCOMPARE(page->dmxSliders()->levels(), (QVector<int>{255, 0, 0}));
    // Moving one slider makes an n-channel colour of the levels shown.
    ColorRecorder changed(page.get());
    page->dmxSliders()->sliders().at(2)->slider()->setValue(128);
    QCOMPARE(changed.count(), 1);
    QVector<unsigned int> out;
    page->color().getNChannel8(&out);
    QCOMPARE(out, (QVector<unsigned int>{255, 255, 0, 128}));
}

void tst_NChannelPickerWidget::otherProfileColorSelectsItsProfile()
{
    page->onPrismalProfileChanged(ColorUtils::ProfileGenericRGB);
    const OvrColor rgbw = OvrColor::fromNChannel8({255, 10, 20, 30, 40}, ColorUtils::ConfigRGBW,
                                                  ColorUtils::ProfileFenwashLX6RGBW);
    page->setColor(rgbw);
    QCOMPARE(page->profile(), ColorUtils::ProfileFenwashLX6RGBW);
    QCOMPARE(page->dmxSliders()->channelNames(), (QStringList{"Red", "Green", "Blue", "White"}));
    QCOMPARE(page->dmxSliders()->levels(), (QVector<int>{10, 20, 30, 40}));
}

void tst_NChannelPickerWidget::inThePicker()
{
    {
        OvrColorPicker picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        // The page is built when the user first shows it.
        QVERIFY(!picker.findChild<NChannelPickerWidget *>());
        auto *button = picker.findChild<QToolButton *>(QStringLiteral("nChannelPickerButton"));
        QVERIFY(button && !button->isChecked());
        button->click();
        auto *channels = picker.findChild<NChannelPickerWidget *>();
        QVERIFY(channels);
        QVERIFY(channels->isVisible());
        QSignalSpy main(&picker, &OvrColorPicker::mainColorChanged);
        channels->profileSelector()->comboBox()->setCurrentIndex(
            channels->profileSelector()->comboBox()->findData(int(ColorUtils::ProfileFenwashLX6RGBA)));
        QCOMPARE(main.count(), 1);
        const OvrColor color = main.at(0).at(0).value<OvrColor>();
        QCOMPARE(color.spec(), OvrColor::NChannel);
        QCOMPARE(color.getPrismalProfileID(), ColorUtils::ProfileFenwashLX6RGBA);
        QCOMPARE(channels->dmxSliders()->sliders().size(), 4);
    }
    OvrColorLibrary::cleanup();
}

QTEST_MAIN(tst_NChannelPickerWidget)
#include "tst_nchannelpickerwidget.moc"
