// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the Dravon reply decoder fed arbitrary datagrams. Every
// signal's receiver touches all the memory it is given, so a decoder that
// hands out a text, array or entry reaching past its datagram is caught by
// the address sanitizer as well as one that reads past it itself.
#include "dravon.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sched.h>

namespace {

Dravon *dravon = nullptr;
volatile unsigned sink = 0;

void touch(const void *data, size_t size)
{
    const auto *bytes = static_cast<const unsigned char *>(data);
    for (size_t i = 0; i < size; ++i)
        sink = sink + bytes[i];
}

void connectSinks(Dravon *d)
{
    auto discover = [](char *mac, auto, auto, ushort, auto, char *ver, char *id) {
        touch(mac, 6);
        touch(ver, std::strlen(ver) + 1);
        touch(id, std::strlen(id) + 1);
    };
    QObject::connect(d, &Dravon::signalDiscoverResponse, discover);
    QObject::connect(d, &Dravon::signalDiscoverEOResponse, discover);
    QObject::connect(d, &Dravon::signalDiscoverPortsResponse,
                     [](ulong, uchar count, unsigned char *numbers, unsigned char *types) {
                         touch(numbers, count);
                         touch(types, count);
                     });
    QObject::connect(d, &Dravon::signalBlinkScan2Response,
                     [](ulong, uchar count, uchar, BlinkScan2_Reply_Entry *entries) {
                         for (int i = 0; i < count; ++i)
                             touch(entries[i].values, entries[i].count * sizeof(ulong));
                     });
    auto values = [](ulong, uchar, uchar count, ulong *array) { touch(array, count * sizeof(ulong)); };
    QObject::connect(d, &Dravon::signalBlinkScan2SNResponse, values);
    QObject::connect(d, &Dravon::signalBlinkScan2CAResponse, values);
    QObject::connect(d, &Dravon::signalBEBlinkScanResponse,
                     [](ulong, uchar, unsigned char *sn) { touch(sn, 6); });
    QObject::connect(d, &Dravon::signalGetArrayReply, [](uint, uint, QVector<quint32> &v) {
        touch(v.constData(), size_t(v.size()) * sizeof(quint32));
    });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The Dravon constructor broadcasts sync packets. An empty network
    // namespace of our own (not even loopback up) keeps them on this host.
    if (unshare(CLONE_NEWNET) != 0) {
        std::perror("unshare(CLONE_NEWNET)");
        std::fprintf(stderr, "REFUSED: this fuzz target needs its own network namespace; run it as "
                             "root or through scripts/in-netns.sh.\n");
        std::exit(2);
    }
    static QCoreApplication app(*argc, *argv);
    dravon = new Dravon;
    connectSinks(dravon);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > size_t(Dravon::maxDatagramSize))
        return 0;
    dravon->processDatagram(reinterpret_cast<const char *>(data), int(size),
                            QHostAddress(QHostAddress::LocalHost));
    return 0;
}
