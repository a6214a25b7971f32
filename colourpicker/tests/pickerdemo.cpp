// SPDX-License-Identifier: GPL-3.0-or-later
// A window with one colour picker, for trying the picker by hand.
#include "ovrcolorlibrary.h"
#include "ovrcolorpicker.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane Lighting"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumetra Keypad Effect Manager"));
    OvrColorLibrary::Instance()->init(false, true, true);

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *picker = new OvrColorPickerLib::OvrColorPicker(&window);
    auto *status = new QLabel(&window);
    layout->addWidget(picker, 1);
    layout->addWidget(status);
    QObject::connect(picker, &OvrColorPickerLib::OvrColorPicker::mainColorChanged, status,
                     [status](const OvrColor &color, const QString &uid) {
                         status->setText(QStringLiteral("main: %1 %2").arg(color.aName(), uid));
                     });
    // An optional "WIDTHxHEIGHT" argument sizes the window (e.g. the dock's size).
    const QStringList size = app.arguments().value(1, QStringLiteral("900x640")).split(QLatin1Char('x'));
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    window.show();
    return app.exec();
}
