// SPDX-License-Identifier: GPL-3.0-or-later
#include "isolatednetwork.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <net/if.h>

namespace KeypadTest {

bool isNetworkIsolated(QString *why)
{
    // if_nameindex() asks the kernel about the caller's own namespace
    // (unlike /sys/class/net, which shows the namespace sysfs was mounted in).
    struct if_nameindex *list = if_nameindex();
    if (!list) {
        if (why)
            *why = QStringLiteral("cannot list network interfaces");
        return false;
    }
    QStringList foreign;
    for (struct if_nameindex *i = list; i->if_index != 0 && i->if_name; ++i) {
        const QString name = QString::fromLocal8Bit(i->if_name);
        if (name != QLatin1String("lo") && !name.startsWith(QLatin1String(testBedInterfacePrefix)))
            foreign << name;
    }
    if_freenameindex(list);
    if (!foreign.isEmpty() && why)
        *why = QStringLiteral("interfaces outside the test bed: ") + foreign.join(QLatin1String(", "));
    return foreign.isEmpty();
}

void requireIsolatedNetwork()
{
    QString why;
    if (isNetworkIsolated(&why))
        return;
    std::fprintf(stderr,
                 "REFUSED: this test opens sockets and must run inside a private network namespace\n"
                 "(%s). Run the suite with 'make test', or wrap the command in\n"
                 "scripts/in-netns.sh.\n",
                 qPrintable(why));
    std::exit(2);
}

} // namespace KeypadTest
