// SPDX-License-Identifier: GPL-3.0-or-later
//
// German texts are longer than English ones: every visible label and
// button of the main window, the control panel's connection notice and the
// dialogs must still get at least the room its text asks for.

#include "aboutdialog.h"
#include "apptranslations.h"
#include "mainwindow.h"
#include "mspcontrolpanelwidget.h"
#include "mspeffectwidget.h"
#include "programsettings.h"
#include "updatedialog.h"

#include "connectionstate.h"
#include "keypadtestbed.h"
#include "mspchooser.h"
#include "networkprefs.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextDocument>
#include <QTest>

namespace {

/** "Class 'text' hint WxH, geometry WxH" for each visible text widget that gets less than it asks for. */
QStringList clippedTexts(QWidget *top)
{
    QStringList clipped;
    const auto check = [&clipped](QWidget *widget, const QString &text, bool wraps) {
        if (!widget->isVisible() || text.trimmed().isEmpty())
            return;
        const QSize hint = widget->sizeHint();
        // Rich text asks for its paragraph's leading as well; only its width
        // tells whether the words fit.
        const bool rich = Qt::mightBeRichText(text);
        const bool fits = wraps ? widget->height() >= widget->heightForWidth(widget->width())
                                : widget->width() >= hint.width() && (rich || widget->height() >= hint.height());
        if (!fits) {
            clipped << QStringLiteral("%1 %2 '%3': hint %4x%5, geometry %6x%7")
                           .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName(),
                                text.simplified())
                           .arg(hint.width())
                           .arg(wraps ? widget->heightForWidth(widget->width()) : hint.height())
                           .arg(widget->width())
                           .arg(widget->height());
        }
    };
    const auto labels = top->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (!label->pixmap(Qt::ReturnByValue).isNull())
            continue;
        check(label, label->text(), label->wordWrap());
    }
    const auto buttons = top->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons)
        check(button, button->text(), false);
    return clipped;
}

} // namespace

class tst_GermanLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void germanIsLoaded();
    void settingsTabs_data();
    void settingsTabs();
    void controlPanelNotice();
    void aboutBox();
    void updateDialog();
    void keypadChooser();
    void speedLabelsSayMinutes();

private:
    std::unique_ptr<KeypadTestBed> m_bed;
    std::unique_ptr<MainWindow> m_window;
};

void tst_GermanLayout::initTestCase()
{
    m_bed = std::make_unique<KeypadTestBed>();
    QVERIFY2(m_bed->isReady(), qPrintable(m_bed->errorString()));
    ProgramSettings::useForTest(KeypadTestBed::hostAddress());

    QVERIFY(AppTranslations::install(QCoreApplication::instance(), QLocale(QLocale::German, QLocale::Germany)));
    m_window = std::make_unique<MainWindow>();
    m_window->startInDemoMode();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_GermanLayout::cleanupTestCase()
{
    m_window.reset();
}

void tst_GermanLayout::germanIsLoaded()
{
    QCOMPARE(m_window->menuBar()->actions().constFirst()->text(), QStringLiteral("&Datei"));
}

void tst_GermanLayout::settingsTabs_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("scene settings") << 0;
    QTest::newRow("system configuration") << 1;
    QTest::newRow("network") << 2;
}

void tst_GermanLayout::settingsTabs()
{
    QFETCH(int, tab);
    ConnectionState::instance()->setState(ConnectionState::DemoMode);
    m_window->settingsTabs()->setCurrentIndex(tab);
    QTRY_VERIFY(m_window->settingsTabs()->currentWidget()->isVisible());
    const QStringList clipped = clippedTexts(m_window.get());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

void tst_GermanLayout::controlPanelNotice()
{
    ConnectionState::instance()->setState(ConnectionState::NoDevice);
    auto *notice = m_window->controlPanel()->findChild<QWidget *>(QStringLiteral("connectionFailedFrame"));
    QVERIFY(notice);
    QTRY_VERIFY(notice->isVisible());
    const QStringList clipped = clippedTexts(notice);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    ConnectionState::instance()->setState(ConnectionState::DemoMode);
}

void tst_GermanLayout::aboutBox()
{
    AboutDialog about(m_window.get());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QStringList clipped = clippedTexts(&about);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

void tst_GermanLayout::updateDialog()
{
    // Built when first opened (Help > Update...).
    QVERIFY(QMetaObject::invokeMethod(m_window.get(), "showUpdater"));
    auto *dialog = m_window->findChild<UpdateDialog *>();
    QVERIFY(dialog);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const QStringList clipped = clippedTexts(dialog);
    dialog->hide();
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

void tst_GermanLayout::keypadChooser()
{
    MSPChooser chooser({QStringLiteral("Lumetra Keypad (192.168.77.10)"), QStringLiteral("Hall (192.168.77.11)")},
                       m_window.get());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    const QStringList clipped = clippedTexts(&chooser);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

void tst_GermanLayout::speedLabelsSayMinutes()
{
    // "m" reads as metres in German.
    QCOMPARE(MSPEffectWidget::colorWashSpeedLabel(1), QStringLiteral("10 min"));
    QCOMPARE(MSPEffectWidget::customWashSpeedLabel(32), QStringLiteral("1 s"));
}

QTEST_MAIN(tst_GermanLayout)
#include "tst_germanlayout.moc"
