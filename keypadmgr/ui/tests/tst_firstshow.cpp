// SPDX-License-Identifier: GPL-3.0-or-later
//
// The parts of the main window that are built when first shown (the effect
// editors, the colour picker's pages, the settings tabs, the dialogs) look
// and behave as they did when the window built them all at start-up: each
// is opened the way a user opens it, and its visible widgets (object names,
// classes, enabled states, values and texts) are compared with a record
// taken from the window that built everything at once (data/firstshow/).
//
// KEYPAD_RECORD_FIRSTSHOW=<folder> writes the records instead of comparing.

#include "aboutdialog.h"
#include "findaction.h"
#include "mainwindow.h"
#include "mspeffectwidget.h"
#include "mspscenesettingswidget.h"
#include "programsettings.h"
#include "updatedialog.h"

#include "connectionstate.h"
#include "discoverer.h"
#include "mspeffect.h"
#include "mspeffectfactory.h"
#include "mspfixedcoloreffect.h"
#include "mspscene.h"
#include "mspscenemodel.h"
#include "networkprefs.h"
#include "ovrcolor.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

enum class Texts { Shown, Left };

// "name/name/Class" from @p root down to @p widget; unnamed widgets by class.
QString pathOf(const QWidget *root, const QWidget *widget)
{
    QStringList parts;
    for (const QWidget *w = widget; w && w != root; w = w->parentWidget())
        parts.prepend(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    return parts.join(QLatin1Char('/'));
}

QString valueOf(const QWidget *widget, Texts texts)
{
    QStringList value;
    if (auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        value << button->text();
        if (button->isCheckable())
            value << (button->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked"));
    } else if (auto *slider = qobject_cast<const QAbstractSlider *>(widget)) {
        value << QStringLiteral("%1..%2=%3").arg(slider->minimum()).arg(slider->maximum()).arg(slider->value());
    } else if (auto *spin = qobject_cast<const QAbstractSpinBox *>(widget)) {
        value << spin->text();
    } else if (auto *edit = qobject_cast<const QLineEdit *>(widget)) {
        value << edit->text() << edit->placeholderText();
    } else if (auto *combo = qobject_cast<const QComboBox *>(widget)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        value << items.join(QLatin1Char('|')) << combo->currentText();
    } else if (auto *label = qobject_cast<const QLabel *>(widget)) {
        if (texts == Texts::Shown)
            value << label->text();
    }
    return value.join(QLatin1Char(' '));
}

/**
 * One line per widget under @p root that a user can see when @p root is
 * shown, sorted: its path, class, whether it is enabled, and its value.
 */
QStringList snapshot(const QWidget *root, Texts texts = Texts::Shown)
{
    QStringList lines;
    const auto widgets = root->findChildren<QWidget *>();
    for (const QWidget *widget : widgets) {
        if (!widget->isVisibleTo(root) || widget->isWindow())
            continue;
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(pathOf(root, widget), QString::fromLatin1(widget->metaObject()->className()),
                          widget->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"),
                          valueOf(widget, texts))
                     .trimmed();
    }
    lines.sort();
    return lines;
}

} // namespace

class tst_FirstShow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void effectEditor_data();
    void effectEditor();
    void pickerPage_data();
    void pickerPage();
    void settingsTab_data();
    void settingsTab();
    void updateDialog();
    void aboutBox();

private:
    /** Compares @p lines with the record @p name (or writes the record). */
    void compareWithRecord(const QStringList &lines, const QString &name);
    /** Makes scene 1 a fresh effect of @p type and shows it. */
    void showEffect(int type);

    std::unique_ptr<MainWindow> m_window;
};

void tst_FirstShow::initTestCase()
{
    ProgramSettings::useForTest();

    m_window = std::make_unique<MainWindow>();
    // A demo that no discovery verdict ends, as in make screenshots.
    QObject::disconnect(Discoverer::instance(), nullptr, m_window.get(), nullptr);
    m_window->startInDemoMode();
    m_window->resize(1280, 800);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QCOMPARE(ConnectionState::instance()->state(), ConnectionState::DemoMode);
}

void tst_FirstShow::cleanupTestCase()
{
    m_window.reset();
}

void tst_FirstShow::compareWithRecord(const QStringList &lines, const QString &name)
{
    const QString recordDir = qEnvironmentVariable("KEYPAD_RECORD_FIRSTSHOW");
    if (!recordDir.isEmpty()) {
        QFile out(QDir(recordDir).filePath(name));
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
        return;
    }
    QFile in(qEnvironmentVariable("KEYPAD_SOURCE_DIR") + QStringLiteral("/keypadmgr/ui/tests/data/firstshow/") + name);
    QVERIFY2(in.open(QIODevice::ReadOnly), qPrintable(name));
    const QStringList expected = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int i = 0; i < qMax(lines.size(), expected.size()); ++i)
        QCOMPARE(lines.value(i), expected.value(i));
}

void tst_FirstShow::showEffect(int type)
{
    MSPSceneModel *model = MSPSceneModel::instance();
    model->setActiveSceneIndex(0, false);
    m_window->settingsTabs()->setCurrentWidget(m_window->sceneSettings());
    MSPScene *scene = model->sceneAt(0);
    scene->setEffect(MSPEffectFactory::instance()->create(type, scene), true);
    QTRY_VERIFY(m_window->sceneSettings()->editor(type)->isVisible());
}

void tst_FirstShow::effectEditor_data()
{
    QTest::addColumn<int>("type");
    for (int type = 0; type < MSPEffect::typeCount; ++type)
        QTest::newRow(qPrintable(MSPEffect::effectTypeName(type))) << type;
}

void tst_FirstShow::effectEditor()
{
    QFETCH(int, type);
    showEffect(type);
    compareWithRecord(snapshot(m_window->sceneSettings()->editor(type)), QStringLiteral("editor-%1.txt").arg(type));
}

void tst_FirstShow::pickerPage_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("area");
    QTest::newRow("white") << QStringLiteral("whitePickerButton") << QStringLiteral("whitePageArea");
    QTest::newRow("channel") << QStringLiteral("nChannelPickerButton") << QStringLiteral("nChannelPageArea");
}

void tst_FirstShow::pickerPage()
{
    QFETCH(QString, button);
    QFETCH(QString, area);
    showEffect(MSPEffect::FixedColor);
    auto *fixed = qobject_cast<MSPFixedColorEffect *>(MSPSceneModel::instance()->sceneAt(0)->effect());
    QVERIFY(fixed);
    fixed->setColor(OvrColor::fromRgb8(255, 140, 20).aName());
    QWidget *editor = m_window->sceneSettings()->editor(MSPEffect::FixedColor);
    auto *toggle = editor->findChild<QToolButton *>(button);
    QVERIFY(toggle);
    QVERIFY(!toggle->isChecked());
    toggle->click();
    auto *page = editor->findChild<QWidget *>(area);
    QVERIFY(page);
    QTRY_VERIFY(page->isVisible());
    compareWithRecord(snapshot(page), QStringLiteral("picker-%1.txt").arg(QLatin1String(QTest::currentDataTag())));
    toggle->click();
    QTRY_VERIFY(!page->isVisible());
}

void tst_FirstShow::settingsTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("system configuration") << 1;
    QTest::newRow("network") << 2;
}

void tst_FirstShow::settingsTab()
{
    QFETCH(int, tab);
    QTabWidget *tabs = m_window->settingsTabs();
    tabs->setCurrentIndex(tab);
    QWidget *page = tabs->currentWidget();
    QTRY_VERIFY(page && page->isVisible());
    // The Network tab names this machine's interfaces: only its controls are compared.
    compareWithRecord(snapshot(page, tab == 2 ? Texts::Left : Texts::Shown),
                      QStringLiteral("tab-%1.txt").arg(tab));
    tabs->setCurrentIndex(0);
}

void tst_FirstShow::updateDialog()
{
    QAction *action = findAction(m_window.get(), QStringLiteral("Update..."));
    QVERIFY(action);
    action->trigger();
    auto *dialog = m_window->findChild<UpdateDialog *>();
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->isVisible());
    compareWithRecord(snapshot(dialog), QStringLiteral("update-dialog.txt"));
    dialog->reject();
}

void tst_FirstShow::aboutBox()
{
    QAction *action = findAction(m_window.get(), QStringLiteral("&About"));
    QVERIFY(action);
    action->trigger();
    auto *about = m_window->findChild<AboutDialog *>();
    QVERIFY(about);
    QTRY_VERIFY(about->isVisible());
    // The library paths depend on where the program runs.
    compareWithRecord(snapshot(about, Texts::Left), QStringLiteral("about.txt"));
    about->close();
}

QTEST_MAIN(tst_FirstShow)
#include "tst_firstshow.moc"
