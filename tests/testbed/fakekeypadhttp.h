// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>

/**
 * A keypad's HTTP side played on an address of the test's own (usually
 * KeypadTestBed::hostAddress()), for tests whose keypad must say nothing
 * that changes the model: records every request as "METHOD path body" and
 * answers each with an empty document.
 */
class FakeKeypadHttp : public QTcpServer
{
    Q_OBJECT
    Q_DISABLE_COPY(FakeKeypadHttp)
public:
    explicit FakeKeypadHttp(QObject *parent = nullptr);

    /** Listens on port 80 of @p address. */
    bool start(const QHostAddress &address);

    QStringList requests;

private:
    void serve(QTcpSocket *socket);
};
