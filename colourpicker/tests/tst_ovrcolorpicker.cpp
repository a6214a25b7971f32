// SPDX-License-Identifier: GPL-3.0-or-later
#include "namedpart.h"

#include "colorappearance.h"
#include "colorutils.h"
#include "colorviewwidget.h"
#include "gradientcolorselectorwidget.h"
#include "hsbspectrumwidget.h"
#include "intensitysliderwidget.h"
#include "opacitysliderwidget.h"
#include "ovrcolorlibrary.h"
#include "ovrcolorpicker.h"
#include "ovrcolorpickerbuttonswidget.h"
#include "ovrcolorpickerwidget.h"
#include "rgbpickerwidget.h"
#include "rgbsliderswidget.h"

#include <QAbstractSpinBox>
#include <QLabel>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace OvrColorPickerLib;

class tst_OvrColorPicker : public QObject
{
    Q_OBJECT

private:
    static QSettings oldFavorites()
    {
        return QSettings(QStringLiteral("Halvane Lighting"), QStringLiteral("OvrColorPicker"));
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
        QCoreApplication::setApplicationName(QStringLiteral("Lumetra Keypad Effect Manager"));
    }

    void init()
    {
        // A fresh library, user file and settings for every test.
        OvrColorLibrary::cleanup();
        QFile::remove(OvrColorLibrary::defaultUserColorsPath());
        QSettings().clear();
        QSettings old(QStringLiteral("Halvane Lighting"), QStringLiteral("OvrColorPicker"));
        old.clear();
    }

    void cleanup()
    {
        OvrColorLibrary::cleanup();
        ColorAppearance::instance()->setFixtureClass(ColorUtils::ProfileGenericRGB);
    }

    void defaultSwatchList()
    {
        OvrColorPicker picker;
        OvrColorLibrary *library = OvrColorLibrary::Instance();
        const QString list = QStringLiteral("Halvane Swatches");
        QVERIFY(library->containsList(list));
        QVERIFY(!library->isUserList(list));
        QVERIFY(!library->getModifiableLists().contains(list));

        const struct
        {
            const char *name;
            OvrColor color;
        } expected[] = {
            {"Red", OvrColor::fromRgb8(255, 0, 0)},
            {"Orange", OvrColor::fromRgb8(255, 127, 0)},
            {"Yellow", OvrColor::fromRgb8(255, 255, 0)},
            {"Green", OvrColor::fromRgb8(0, 255, 0)},
            {"Cyan", OvrColor::fromRgb8(0, 255, 255)},
            {"Blue", OvrColor::fromRgb8(0, 0, 255)},
            {"Violet", OvrColor::fromRgb8(139, 0, 255)},
            {"Magenta", OvrColor::fromRgb8(255, 0, 255)},
            {"White", OvrColor::fromRgb8(255, 255, 255)},
            {"Silver", OvrColor::fromRgb8(192, 192, 192)},
            {"Gray", OvrColor::fromRgb8(128, 128, 128)},
            {"Black", OvrColor::fromRgb8(0, 0, 0)},
            {"2700 K / center of ANSI bin", OvrColor(0.45766, 0.40983)},
            {"3000 K / center of ANSI bin", OvrColor(0.43387, 0.40319)},
            {"3500 K / center of ANSI bin", OvrColor(0.40775, 0.39292)},
            {"4000 K / center of ANSI bin", OvrColor(0.38177, 0.37959)},
            {"4500 K / center of ANSI bin", OvrColor(0.36128, 0.36686)},
            {"5000 K / center of ANSI bin", OvrColor(0.34464, 0.35506)},
            {"5700 K / center of ANSI bin", OvrColor(0.32867, 0.34246)},
            {"6500 K / center of ANSI bin", OvrColor(0.3123, 0.32825)},
            {"Candle", OvrColor(0.50563, 0.4152)},
            {"Incandescent", OvrColor(0.44757, 0.40745)},
            {"Afternoon Daylight", OvrColor(0.33242, 0.34743)},
            {"Noon Daylight", OvrColor(0.31271, 0.32902)},
            {"North Sky Daylight", OvrColor(0.29902, 0.31485)},
            {"Overcast Sky", OvrColor(0.28063, 0.28829)},
            {"Spring White", OvrColor(0.34724, 0.38528)},
            {"Summer White", OvrColor(0.41848, 0.42916)},
            {"Fall White", OvrColor(0.50459, 0.40021)},
            {"Winter White", OvrColor(0.28972, 0.31094)},
            {"Rose White", OvrColor(0.38549, 0.34874)},
            {"Violet White", OvrColor(0.31789, 0.29164)},
        };
        const QStringList uids = library->getColorUids(list);
        QCOMPARE(uids.size(), 32);
        for (int i = 0; i < 32; ++i) {
            QCOMPARE(library->getColorName(uids.at(i)), QString::fromLatin1(expected[i].name));
            QCOMPARE(library->get(uids.at(i)).aName(), expected[i].color.aName());
        }

        // A second picker in the same process adds nothing.
        OvrColorPicker second;
        QCOMPARE(library->getColorUids(list).size(), 32);
    }

    void migration_data()
    {
        QTest::addColumn<QStringList>("groups");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QStringList>("expectedNames");
        QTest::addColumn<QStringList>("expectedColors");

        QTest::newRow("none") << QStringList() << QVariantList() << QStringList() << QStringList();
        QTest::newRow("numbered, in numeric order")
            << QStringList{QStringLiteral("10"), QStringLiteral("2")}
            << QVariantList{QStringLiteral("#0000ff"), QColor(255, 0, 0)}
            << QStringList{QStringLiteral("fav 2"), QStringLiteral("fav 10")}
            << QStringList{OvrColor::fromRgb8(255, 0, 0).aName(), OvrColor::fromRgb8(0, 0, 255).aName()};
        QTest::newRow("unreadable one skipped")
            << QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}
            << QVariantList{QStringLiteral("aRgb;1;0;#ffff000000000000"), QStringLiteral("not a colour"),
                            QStringLiteral("green")}
            << QStringList{QStringLiteral("fav 1"), QStringLiteral("fav 3")}
            << QStringList{OvrColor::fromRgb8(0, 0, 0).aName(), OvrColor::fromRgb8(0, 128, 0).aName()};
    }

    void migration()
    {
        QFETCH(QStringList, groups);
        QFETCH(QVariantList, values);
        QFETCH(QStringList, expectedNames);
        QFETCH(QStringList, expectedColors);
        {
            QSettings old = oldFavorites();
            old.beginGroup(QStringLiteral("Effect Manager"));
            old.setValue(QStringLiteral("keep"), 1);
            for (int i = 0; i < groups.size(); ++i) {
                old.beginGroup(QStringLiteral("Favorite Colors/") + groups.at(i));
                old.setValue(QStringLiteral("color"), values.at(i));
                old.setValue(QStringLiteral("name"), QString(QStringLiteral("fav ") + groups.at(i)));
                old.endGroup();
            }
        }
        if (groups.size() == 3)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("skipping old favourite .*2")));

        OvrColorPicker picker;
        OvrColorLibrary *library = OvrColorLibrary::Instance();
        const QString list = QStringLiteral("Migrated Favorites");
        if (groups.isEmpty()) {
            QVERIFY(!library->containsList(list));
            return;
        }
        QVERIFY(library->isUserList(list));
        QStringList names, colors;
        for (const QString &uid : library->getColorUids(list)) {
            names << library->getColorName(uid);
            colors << library->get(uid).aName();
        }
        QCOMPARE(names, expectedNames);
        QCOMPARE(colors, expectedColors);

        // The old group is gone, its neighbours stay; the list is in the user file.
        QSettings old = oldFavorites();
        QVERIFY(!old.childGroups().isEmpty());
        old.beginGroup(QStringLiteral("Effect Manager"));
        QVERIFY(!old.childGroups().contains(QStringLiteral("Favorite Colors")));
        QCOMPARE(old.value(QStringLiteral("keep")).toInt(), 1);
        QFile file(OvrColorLibrary::defaultUserColorsPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("name=\"Migrated Favorites\""));
    }

    void migrationKeepsOldFavoritesWhenSavingFails()
    {
        {
            QSettings old = oldFavorites();
            old.setValue(QStringLiteral("Effect Manager/Favorite Colors/1/color"), QStringLiteral("#ff8000"));
        }
        // A folder where the user file should be: every save fails.
        QVERIFY(QDir().mkpath(OvrColorLibrary::defaultUserColorsPath()));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("old favourites kept")));
        OvrColorPicker picker;
        QVERIFY(QDir().rmdir(OvrColorLibrary::defaultUserColorsPath()));
        QSettings old = oldFavorites();
        QCOMPARE(old.value(QStringLiteral("Effect Manager/Favorite Colors/1/color")).toString(),
                 QStringLiteral("#ff8000"));
    }

    void pageTogglesSavedAndRestored()
    {
        {
            OvrColorPicker picker;
            OvrColorPickerButtonsWidget *buttons = picker.buttonsWidget();
            // The RGB page shows by default.
            QVERIFY(picker.pickerWidget()->isPageVisible(OvrColorPickerWidget::RgbPage));
            for (int page = 0; page < 3; ++page)
                buttons->setPageDisplayed(page, false);
            for (int page = 0; page < 3; ++page)
                QVERIFY(!picker.pickerWidget()->isPageVisible(OvrColorPickerWidget::Page(page)));
        }
        QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("colorPickerRGBPickerDisplayed")), QVariant(false));
        QCOMPARE(settings.value(QStringLiteral("colorPickerWhitePickerDisplayed")), QVariant(false));
        QCOMPARE(settings.value(QStringLiteral("colorPickerNChannelPickerDisplayed")), QVariant(false));

        OvrColorPicker next;
        for (int page = 0; page < 3; ++page) {
            QVERIFY(!next.buttonsWidget()->isPageDisplayed(page));
            QVERIFY(!next.pickerWidget()->isPageVisible(OvrColorPickerWidget::Page(page)));
        }
        next.buttonsWidget()->pageButton(1)->click();
        QVERIFY(next.pickerWidget()->isPageVisible(OvrColorPickerWidget::WhitePage));
        QCOMPARE(QSettings().value(QStringLiteral("colorPickerWhitePickerDisplayed")).toBool(), true);
    }

    void pageFlagsFromAnEditedFile()
    {
        QSettings settings;
        settings.setValue(QStringLiteral("colorPickerRGBPickerDisplayed"), QStringLiteral("banana"));
        settings.setValue(QStringLiteral("colorPickerWhitePickerDisplayed"), QStringLiteral("true"));
        settings.setValue(QStringLiteral("colorPickerNChannelPickerDisplayed"), 7);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("colorPickerRGBPickerDisplayed")));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("colorPickerNChannelPickerDisplayed")));
        OvrColorPicker picker;
        QVERIFY(picker.buttonsWidget()->isPageDisplayed(0)); // default
        QVERIFY(picker.buttonsWidget()->isPageDisplayed(1));
        QVERIFY(!picker.buttonsWidget()->isPageDisplayed(2)); // default
    }

    void addToUserGroup()
    {
        OvrColorLibrary *library = OvrColorLibrary::Instance();
        OvrColorPicker picker;
        library->createColorList(QStringLiteral("Stage"), true);
        QMenu *menu = picker.buttonsWidget()->favoriteListsMenu();
        QAction *stage = nullptr;
        for (QAction *action : menu->actions())
            if (action->text() == QLatin1String("Stage"))
                stage = action;
        QVERIFY(stage);

        const OvrColor orange = OvrColor::fromRgb8(255, 127, 0);
        picker.setColor(orange, QString());
        QSignalSpy added(&picker, &OvrColorPicker::colorAddedToFavorites);
        stage->trigger();
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).value<OvrColor>(), orange);
        QCOMPARE(added.at(0).at(1).toString(), QString());
        QCOMPARE(added.at(0).at(2).toString(), QStringLiteral("Stage"));
        const QStringList uids = library->getColorUids(QStringLiteral("Stage"));
        QCOMPARE(uids.size(), 1);
        QCOMPARE(library->get(uids.first()), orange);

        // A receiver that adds the colour itself (as the scene editors do)
        // leaves one entry, not two.
        QObject editor;
        connect(&picker, &OvrColorPicker::colorAddedToFavorites, &editor,
                [library](const OvrColor &color, const QString &, const QString &list) {
                    library->createColorWithName(color, QString(), list);
                });
        stage->trigger();
        QCOMPARE(library->getColorUids(QStringLiteral("Stage")).size(), 2);

        // A renamed list keeps its menu entry.
        library->rename(QStringLiteral("Stage"), QStringLiteral("Main Stage"), false);
        QVERIFY(picker.buttonsWidget()->colorLists().contains(QStringLiteral("Main Stage")));
        QVERIFY(!picker.buttonsWidget()->colorLists().contains(QStringLiteral("Stage")));
    }

    void swatchAddsUnderItsLibraryName()
    {
        OvrColorLibrary *library = OvrColorLibrary::Instance();
        OvrColorPicker picker;
        const QString uid = library->getColorUids(QStringLiteral("Halvane Swatches")).at(1); // Orange
        picker.setColor(library->get(uid), uid);
        ColorViewWidget *swatch = picker.pickerWidget()->mainSwatch();
        QSignalSpy added(&picker, &OvrColorPicker::colorAddedToFavorites);
        std::unique_ptr<QMenu> menu(swatch->createContextMenu(nullptr));
        QAction *add = menu->findChild<QAction *>(QStringLiteral("addToFavoritesAction"));
        QVERIFY(add);
        QCOMPARE(add->text(), QStringLiteral("Add to Favorites"));
        add->trigger();
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(1).toString(), uid);
        QCOMPARE(added.at(0).at(2).toString(), QStringLiteral("Favorites"));
        const QStringList uids = library->getColorUids(QStringLiteral("Favorites"));
        QCOMPARE(uids.size(), 1);
        QCOMPARE(library->getColorName(uids.first()), QStringLiteral("Orange"));
    }

    void favoritesBesideReadOnlyList()
    {
        // A preset list already has the favourites' name.
        OvrColorLibrary *library = OvrColorLibrary::Instance();
        library->createColor(OvrColor(Qt::gray), QStringLiteral("Preset Gray"), QStringLiteral("Favorites"));
        OvrColorPicker picker;
        QVERIFY(!library->isUserList(QStringLiteral("Favorites")));
        const QStringList listsBefore = library->getListNames();

        const QVector<OvrColor> added{OvrColor::fromRgb8(255, 127, 0), OvrColor::fromRgb8(0, 64, 255)};
        for (const OvrColor &color : added) {
            picker.setColor(color, QString());
            std::unique_ptr<QMenu> menu(picker.pickerWidget()->mainSwatch()->createContextMenu(nullptr));
            menu->findChild<QAction *>(QStringLiteral("addToFavoritesAction"))->trigger();
        }

        // One user list beside the preset takes both colours and is saved.
        QCOMPARE(library->getListNames(), listsBefore + QStringList{QStringLiteral("Favorites 2")});
        QCOMPARE(library->getColors(QStringLiteral("Favorites")), QVector<OvrColor>{OvrColor(Qt::gray)});
        QVERIFY(library->isUserList(QStringLiteral("Favorites 2")));
        QCOMPARE(library->getColors(QStringLiteral("Favorites 2")), added);
        QFile file(OvrColorLibrary::defaultUserColorsPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QVERIFY(saved.contains("name=\"Favorites 2\""));
        for (const OvrColor &color : added)
            QVERIFY(saved.contains(color.aName().toUtf8()));
    }

    void mainColorChangedSources()
    {
        OvrColorPicker picker;
        picker.resize(900, 600);
        picker.show();
        QApplication::setActiveWindow(&picker);
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        QSignalSpy main(&picker, &OvrColorPicker::mainColorChanged);
        QSignalSpy cleared(&picker, &OvrColorPicker::clearPreviousSelection);
        QSignalSpy pickerSet(&picker, &OvrColorPicker::pickerSetOnSetColor);

        // From outside, with the library uid; the same colour again is no change.
        const OvrColor white(0.3127, 0.329);
        picker.setColor(white, QStringLiteral("{abc}"));
        QCOMPARE(main.count(), 1);
        QCOMPARE(main.at(0).at(0).value<OvrColor>(), white);
        QCOMPARE(main.at(0).at(1).toString(), QStringLiteral("{abc}"));
        QCOMPARE(pickerSet.last().at(0).toInt(), 1);
        QCOMPARE(pickerSet.last().at(1).toBool(), false);
        QCOMPARE(cleared.count(), 0);
        picker.setColor(white, QStringLiteral("{abc}"));
        QCOMPARE(main.count(), 1);

        // A field: the colour picked there, without a uid.
        auto *rgb = namedPart<RgbPickerWidget>(picker.pickerWidget(), "rgbPickerWidget");
        HsbSpectrumWidget *spectrum = namedPart<HsbSpectrumWidget>(rgb, "hsbSpectrum");
        const QPoint at = spectrum->fieldRect().center().toPoint();
        QTest::mouseClick(spectrum, Qt::LeftButton, {}, at);
        QCOMPARE(main.count(), 2);
        const OvrColor picked = spectrum->colorAt(spectrum->positionFromPoint(at));
        QCOMPARE(main.last().at(0).value<OvrColor>(), picked);
        QCOMPARE(main.last().at(1).toString(), QString());
        QCOMPARE(cleared.count(), 1);
        // An editor handing the colour back in its stored form changes nothing.
        const QPointF shown = spectrum->position();
        picker.setColor(OvrColor(picked.aName()), QString());
        QCOMPARE(main.count(), 2);
        QCOMPARE(spectrum->position(), shown);

        // A slider, from the keyboard: red one level up.
        picker.setColor(OvrColor::fromRgb8(10, 20, 30), QString());
        GradientColorSelectorWidget *red = namedPart<RgbSlidersWidget>(rgb, "rgbSliders")->slider(0);
        red->setFocus();
        QTest::keyClick(red, Qt::Key_Right);
        QCOMPARE(main.last().at(0).value<OvrColor>().red8(), 11);
        QCOMPARE(main.last().at(0).value<OvrColor>().green8(), 20);

        // Comparison swatch: edits go there; its colour copied to the main swatch.
        const int before = main.count();
        QSignalSpy comparison(&picker, &OvrColorPicker::comparisonColorChanged);
        QTest::keyClick(&picker, Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(picker.pickerWidget()->selectedSwatch(), 2);
        const OvrColor teal = OvrColor::fromRgb8(0, 128, 128);
        picker.setColor(teal, QString());
        QCOMPARE(main.count(), before);
        QCOMPARE(comparison.last().at(0).value<OvrColor>(), teal);
        emit picker.pickerWidget()->comparisonSwatch(2)->copyToMainColor(teal, QString());
        QCOMPARE(main.count(), before + 1);
        QCOMPARE(main.last().at(0).value<OvrColor>(), teal);

        // Back to the main swatch.
        picker.setColorAndSelectMainPreview(OvrColor::fromRgb8(1, 2, 3), QStringLiteral("{x}"));
        QCOMPARE(picker.pickerWidget()->selectedSwatch(), 0);
        QCOMPARE(main.last().at(1).toString(), QStringLiteral("{x}"));
    }

    void colorDroppedOnTheMainSwatch()
    {
        OvrColorPicker picker;
        picker.setColor(OvrColor::fromRgb8(0, 0, 0), QString());
        QSignalSpy main(&picker, &OvrColorPicker::mainColorChanged);
        const OvrColor amber = OvrColor::fromRgb8(255, 191, 0);
        QMimeData data;
        data.setData(QStringLiteral("data/x-ovrcolor"), QByteArray("{u1}") + amber.aName().toLatin1() + ",#0000ff");
        ColorViewWidget *swatch = picker.pickerWidget()->mainSwatch();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(swatch, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(swatch, &drop);
        QCOMPARE(main.count(), 1);
        QCOMPARE(main.at(0).at(0).value<OvrColor>(), amber);
        QCOMPARE(main.at(0).at(1).toString(), QStringLiteral("{u1}"));
        QCOMPARE(picker.pickerWidget()->color(), amber);

        // "Reset" brings back the colour set from outside.
        std::unique_ptr<QMenu> menu(swatch->createContextMenu(nullptr));
        menu->findChild<QAction *>(QStringLiteral("resetAction"))->trigger();
        QCOMPARE(main.count(), 2);
        QCOMPARE(main.last().at(0).value<OvrColor>(), OvrColor::fromRgb8(0, 0, 0));
    }

    void opacityAndIntensity_data()
    {
        QTest::addColumn<OvrColor>("start");
        QTest::addColumn<bool>("opacity");
        QTest::addColumn<int>("percent");
        QTest::addColumn<OvrColor>("expected");
        QTest::newRow("opacity of rgb") << OvrColor::fromRgb8(255, 0, 0) << true << 50
                                        << OvrColor::fromRgbF(1, 0, 0, 0.5);
        QTest::newRow("intensity of rgb") << OvrColor::fromRgb8(255, 0, 0) << false << 25
                                          << OvrColor::fromHsvF(0, 1, 0.25);
        QTest::newRow("intensity of a white") << OvrColor(0.3127, 0.329) << false << 40
                                              << OvrColor::fromxyY(0.3127, 0.329, 0.4);
    }

    void opacityAndIntensity()
    {
        QFETCH(OvrColor, start);
        QFETCH(bool, opacity);
        QFETCH(int, percent);
        QFETCH(OvrColor, expected);
        OvrColorPicker picker;
        picker.setColor(start, QStringLiteral("{lib}"));
        QSignalSpy main(&picker, &OvrColorPicker::mainColorChanged);
        auto *slider = opacity ? picker.findChild<QWidget *>(QStringLiteral("opacitySlider"))
                               : picker.findChild<QWidget *>(QStringLiteral("intensitySlider"));
        QVERIFY(slider);
        auto *spin = slider->findChild<QAbstractSpinBox *>();
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, QString::number(percent));
        QTest::keyClick(spin, Qt::Key_Enter);
        QCOMPARE(main.count(), 1);
        const OvrColor got = main.at(0).at(0).value<OvrColor>();
        QCOMPARE(main.at(0).at(1).toString(), QString()); // an edited colour is no longer the library's
        QCOMPARE(got.spec(), expected.spec());
        QCOMPARE(got.alpha8(), expected.alpha8());
        QCOMPARE(got.getQColor(), expected.getQColor());
        if (expected.spec() == OvrColor::Yxy)
            QCOMPARE(got.getY(), expected.getY());
    }

    void channelColorsDisableOpacityAndIntensity()
    {
        OvrColorPicker picker;
        QSignalSpy pickerSet(&picker, &OvrColorPicker::pickerSetOnSetColor);
        picker.setColor(OvrColor::fromNChannel8({255, 10, 20, 30, 40}, ColorUtils::ChannelConfiguration(3),
                                                ColorUtils::PrismalProfileID(0)),
                        QString());
        QCOMPARE(pickerSet.last().at(0).toInt(), 2);
        QCOMPARE(pickerSet.last().at(1).toBool(), true);
        QCOMPARE(picker.buttonsWidget()->markedPage(), 2);
        QVERIFY(!picker.findChild<OpacitySliderWidget *>()->isEnabled());
        QVERIFY(!picker.findChild<IntensitySliderWidget *>()->isEnabled());
        picker.setColor(OvrColor::fromRgb8(1, 2, 3), QString());
        QVERIFY(picker.findChild<OpacitySliderWidget *>()->isEnabled());
    }

    void opacitySliderCanBeLeftOut()
    {
        OvrColorPicker picker;
        picker.resize(900, 700);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto *slider = picker.findChild<OpacitySliderWidget *>();
        QVERIFY(picker.property("opacityVisible").toBool());
        QVERIFY(slider->isVisible());
        const OvrColor translucent = OvrColor::fromRgbF(1, 0, 0, 0.5);
        picker.setColor(translucent, QString());
        ColorViewWidget *swatch = picker.pickerWidget()->mainSwatch();
        const auto centre = [swatch] { return swatch->grab().toImage().pixelColor(swatch->rect().center()); };
        QVERIFY(centre() != QColor(255, 0, 0));

        QVERIFY(picker.setProperty("opacityVisible", false));
        QVERIFY(!picker.isOpacityVisible());
        QVERIFY(!slider->isVisible());
        // Without an opacity to offer, a colour is painted as the light it is.
        QCOMPARE(centre(), QColor(255, 0, 0));
    }

    void sentLevelsBesideTheMainSwatch_data()
    {
        QTest::addColumn<int>("fixtureClass");
        QTest::addColumn<OvrColor>("color");
        QTest::addColumn<QString>("format");
        OvrColor white;
        white.setYxyF(1.0, 0.2807, 0.2884, 1.0, ColorUtils::ProfileGenericRGB);
        QTest::newRow("RGB on generic RGB") << 0 << OvrColor::fromRgb8(58, 58, 255) << "Sent: %1, %2, %3";
        QTest::newRow("white on generic RGB") << 0 << white << "Sent: %1, %2, %3";
        QTest::newRow("RGB on Marlspot") << 7 << OvrColor::fromRgb8(58, 58, 255) << "Sent: %1, %2, %3";
        QTest::newRow("white on an RGBW fixture") << 6 << white << "Sent: Red %1, Green %2, Blue %3";
        QTest::newRow("white on an RGBAW fixture") << 1 << white << "Sent: Red %1, Green %2, Blue %3";
    }

    void sentLevelsBesideTheMainSwatch()
    {
        QFETCH(int, fixtureClass);
        QFETCH(OvrColor, color);
        QFETCH(QString, format);
        OvrColorPicker picker;
        auto *label = picker.findChild<QLabel *>(QStringLiteral("sentLevelsLabel"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Sent: 255, 255, 255"));
        picker.setColor(color, QString());
        ColorAppearance::instance()->setFixtureClass(fixtureClass);
        // The keypad's conversion of a colour for the fixture class.
        const auto id = ColorUtils::PrismalProfileID(fixtureClass);
        const ColorUtils::IOModeID mode = ColorUtils::defaultIOModeIDForPrismalProfileID3toN(id);
        unsigned char sent[3] = {0, 0, 0};
        ColorUtils::convertOvrColorToDMX(color, ColorUtils::defaultPrismalEnabled(id, mode) != 0, 3, 1, sent, 0, 1,
                                         id, mode);
        QCOMPARE(label->text(), format.arg(int(sent[0])).arg(int(sent[1])).arg(int(sent[2])));
        // A comparison swatch is not what the keypad plays.
        picker.pickerWidget()->onComparisonSwatch1Selected();
        picker.setColor(OvrColor::fromRgb8(1, 2, 3), QString());
        QCOMPARE(label->text(), format.arg(int(sent[0])).arg(int(sent[1])).arg(int(sent[2])));
    }

    void swatchesShowTheFixturesLight()
    {
        OvrColorPicker picker;
        picker.setOpacityVisible(false);
        picker.resize(900, 700);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        OvrColor white;
        white.setYxyF(1.0, 0.2807, 0.2884, 1.0, ColorUtils::ProfileGenericRGB); // about 10000 K
        picker.setColor(white, QString());
        ColorViewWidget *swatch = picker.pickerWidget()->mainSwatch();
        const auto centre = [swatch] { return swatch->grab().toImage().pixelColor(swatch->rect().center()); };
        QCOMPARE(centre(), ColorUtils::displayColor(white, ColorUtils::ProfileGenericRGB));
        QVERIFY(centre() != white.getQColor());
        QVERIFY(centre().blue() > centre().green() && centre().green() > centre().red());
        ColorAppearance::instance()->setFixtureClass(ColorUtils::ProfileMarlspotRGB);
        QCOMPARE(centre(), ColorUtils::displayColor(white, ColorUtils::ProfileMarlspotRGB));
    }

    void everyControlHasAnAccessibleName()
    {
        OvrColorPicker picker;
        QList<QWidget *> controls;
        for (QAbstractSpinBox *w : picker.findChildren<QAbstractSpinBox *>())
            controls << w;
        for (ColorSelectorWidget *w : picker.findChildren<ColorSelectorWidget *>())
            controls << w;
        for (ColorViewWidget *w : picker.findChildren<ColorViewWidget *>())
            controls << w;
        for (QAbstractButton *w : picker.findChildren<QAbstractButton *>())
            controls << w;
        QVERIFY(controls.size() > 25);
        for (QWidget *w : controls)
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName() + w->metaObject()->className()));
    }
};

QTEST_MAIN(tst_OvrColorPicker)
#include "tst_ovrcolorpicker.moc"
