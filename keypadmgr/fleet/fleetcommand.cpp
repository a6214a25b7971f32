// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetcommand.h"

#include "fleetbackup.h"
#include "fleetsettings.h"
#include "keypadclient.h"
#include "keypadsnapshot.h"

#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QTextStream>

#include <algorithm>

namespace {

const QStringList commands = {QStringLiteral("list"), QStringLiteral("backup"), QStringLiteral("restore"),
                              QStringLiteral("diff")};

QCommandLineOption multiOption(const char *name, const QString &description, const QString &value)
{
    return QCommandLineOption(QString::fromLatin1(name), description, value);
}

// The parser for one command; its first argument is the command's name.
struct CommandParser
{
    QCommandLineParser parser;
    bool parse(const QStringList &arguments)
    {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        return parser.parse(QStringList{arguments.value(0)} + arguments.mid(2));
    }
};

QCommandLineOption notRememberedOption()
{
    return QCommandLineOption(QStringLiteral("no-remembered"),
                              FleetCommand::tr("Leave out the addresses and subnets added in the Keypads list."));
}

bool byAddress(const KeypadInfo &a, const KeypadInfo &b)
{
    return QHostAddress(a.address).toIPv4Address() < QHostAddress(b.address).toIPv4Address();
}

} // namespace

FleetCommand::FleetCommand(QTextStream *out, QTextStream *err)
    : m_out(out)
    , m_err(err)
    , m_timeout(KeypadClient::defaultTimeout)
{
}

bool FleetCommand::isCommand(const QStringList &arguments)
{
    return arguments.size() >= 2 && commands.contains(arguments.at(1));
}

QString FleetCommand::commandsHelp()
{
    return tr("Commands (no display needed):\n"
              "  list [--scan CIDR]... [--address A]... [--no-remembered] [--json]\n"
              "      Lists the keypads that answer a broadcast on this computer's networks, a scan\n"
              "      of each subnet given and each address given: name, address, MAC, firmware and\n"
              "      universe, one keypad per line or as JSON. The subnets and addresses added in\n"
              "      the program's Keypads list are asked too, unless --no-remembered is given.\n"
              "      Example: keypadmgr list --scan 10.2.0.0/24 --json\n"
              "  backup (--all | --keypad A...) [--scan CIDR]... [--address A]... [--no-remembered]\n"
              "         [--dir DIR]\n"
              "      Saves one configuration file per keypad into DIR (default: the current\n"
              "      folder), named <name>_<address>_<yyyy-mm-dd-hhmm>.xml; --all backs up every\n"
              "      keypad found as by list, up to 8 at a time.\n"
              "      Example: keypadmgr backup --all --scan 10.2.0.0/24 --dir backups\n"
              "  restore FILE --keypad A [--with-identity]\n"
              "      Uploads the scenes and configuration of FILE onto the keypad at A. The keypad\n"
              "      keeps its own name and address unless --with-identity is given.\n"
              "      Example: keypadmgr restore Hall_10.2.0.7_2026-12-08-1930.xml --keypad 10.2.0.9\n"
              "  diff FILE --keypad A [--json]\n"
              "      Lists the scenes and configuration fields in which the keypad at A differs\n"
              "      from FILE.\n"
              "      Example: keypadmgr diff Hall.xml --keypad 10.2.0.7\n"
              "Exit status: 0 when everything succeeded (diff: no difference), 1 when something\n"
              "failed or differs (each failure on standard error with the keypad and the reason),\n"
              "2 for a usage error.\n");
}

int FleetCommand::run(const QStringList &arguments)
{
    const QString command = arguments.value(1);
    if (command == QLatin1String("list"))
        return list(arguments);
    if (command == QLatin1String("backup"))
        return backup(arguments);
    if (command == QLatin1String("restore"))
        return restore(arguments);
    if (command == QLatin1String("diff"))
        return diff(arguments);
    return usageError(QString(), tr("Unknown command '%1'.").arg(command));
}

int FleetCommand::usageError(const QString &command, const QString &text)
{
    *m_err << (command.isEmpty() ? QString() : command + QLatin1String(": ")) << text << '\n'
           << commandsHelp();
    m_err->flush();
    return UsageError;
}

void FleetCommand::progress(const QString &text)
{
    if (!m_progress)
        return;
    *m_err << text << '\n';
    m_err->flush();
}

QString FleetCommand::who(const KeypadInfo &keypad) const
{
    return keypad.name.isEmpty() ? keypad.address : keypad.name + QLatin1String(" (") + keypad.address + QLatin1Char(')');
}

bool FleetCommand::collectTargets(const QStringList &scans, const QStringList &addresses,
                                  QList<QHostAddress> *targets, QString *error) const
{
    for (const QString &scan : scans) {
        if (!KeypadScanner::expandSubnet(scan, targets, error))
            return false;
    }
    for (const QString &address : addresses) {
        QList<QHostAddress> one;
        if (!KeypadScanner::expandSubnet(address, &one, error) || one.size() != 1) {
            *error = tr("'%1' is no IPv4 address.").arg(address);
            return false;
        }
        *targets += one;
    }
    return true;
}

QList<KeypadInfo> FleetCommand::find(const QList<QHostAddress> &targets)
{
    KeypadScanner scanner;
    scanner.setBroadcastEntries(KeypadScanner::broadcastEntries());
    scanner.setTargets(targets);
    QEventLoop loop;
    QObject::connect(&scanner, &KeypadScanner::finished, &loop, &QEventLoop::quit);
    progress(tr("Looking for keypads..."));
    scanner.start();
    loop.exec();
    QList<KeypadInfo> found = scanner.found();
    // A keypad asked by broadcast and by address answers twice: list it once.
    std::stable_sort(found.begin(), found.end(), byAddress);
    found.erase(std::unique(found.begin(), found.end(),
                            [](const KeypadInfo &a, const KeypadInfo &b) { return a.address == b.address; }),
                found.end());
    progress(tr("%n keypad(s) found.", nullptr, found.size()));
    return found;
}

int FleetCommand::list(const QStringList &arguments)
{
    CommandParser p;
    const QCommandLineOption scan = multiOption("scan", tr("Scan this subnet."), QStringLiteral("CIDR"));
    const QCommandLineOption address = multiOption("address", tr("Ask this address."), QStringLiteral("A"));
    const QCommandLineOption json(QStringLiteral("json"), tr("Write JSON."));
    const QCommandLineOption notRemembered = notRememberedOption();
    p.parser.addOptions({scan, address, json, notRemembered});
    if (!p.parse(arguments))
        return usageError(QStringLiteral("list"), p.parser.errorText());
    if (!p.parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("list"),
                          tr("Unexpected argument '%1'.").arg(p.parser.positionalArguments().first()));
    QList<QHostAddress> targets;
    QString error;
    if (!collectTargets(p.parser.values(scan), p.parser.values(address), &targets, &error))
        return usageError(QStringLiteral("list"), error);
    if (!p.parser.isSet(notRemembered))
        targets += FleetSettings::rememberedTargets();

    const QList<KeypadInfo> found = find(targets);
    if (p.parser.isSet(json)) {
        QJsonArray array;
        for (const KeypadInfo &keypad : found) {
            array.append(QJsonObject{{QStringLiteral("name"), keypad.name},
                                     {QStringLiteral("address"), keypad.address},
                                     {QStringLiteral("mac"), keypad.macText()},
                                     {QStringLiteral("firmware"), keypad.firmware},
                                     {QStringLiteral("universe"), keypad.universe}});
        }
        *m_out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
    } else {
        for (const KeypadInfo &keypad : found) {
            *m_out << keypad.name << '\t' << keypad.address << '\t' << keypad.macText() << '\t' << keypad.firmware
                   << '\t' << keypad.universe << '\n';
        }
    }
    m_out->flush();
    return Success;
}

int FleetCommand::backup(const QStringList &arguments)
{
    CommandParser p;
    const QCommandLineOption all(QStringLiteral("all"), tr("Back up every keypad found."));
    const QCommandLineOption keypad = multiOption("keypad", tr("Back up the keypad at this address."),
                                                  QStringLiteral("A"));
    const QCommandLineOption scan = multiOption("scan", tr("Scan this subnet."), QStringLiteral("CIDR"));
    const QCommandLineOption address = multiOption("address", tr("Ask this address."), QStringLiteral("A"));
    const QCommandLineOption dir(QStringLiteral("dir"), tr("Folder for the files."), QStringLiteral("DIR"),
                                 QStringLiteral("."));
    const QCommandLineOption notRemembered = notRememberedOption();
    p.parser.addOptions({all, keypad, scan, address, dir, notRemembered});
    const QString name = QStringLiteral("backup");
    if (!p.parse(arguments))
        return usageError(name, p.parser.errorText());
    if (!p.parser.positionalArguments().isEmpty())
        return usageError(name, tr("Unexpected argument '%1'.").arg(p.parser.positionalArguments().first()));
    if (p.parser.isSet(all) == p.parser.isSet(keypad))
        return usageError(name, tr("Give either --all or --keypad."));
    if (!p.parser.isSet(all) && (p.parser.isSet(scan) || p.parser.isSet(address) || p.parser.isSet(notRemembered)))
        return usageError(name, tr("--scan, --address and --no-remembered go with --all."));

    QList<KeypadInfo> keypads;
    QString error;
    if (p.parser.isSet(all)) {
        QList<QHostAddress> targets;
        if (!collectTargets(p.parser.values(scan), p.parser.values(address), &targets, &error))
            return usageError(name, error);
        if (!p.parser.isSet(notRemembered))
            targets += FleetSettings::rememberedTargets();
        keypads = find(targets);
        if (keypads.isEmpty())
            return fail(tr("No keypad found."));
    } else {
        QList<QHostAddress> targets;
        if (!collectTargets(QStringList(), p.parser.values(keypad), &targets, &error))
            return usageError(name, error);
        for (const QHostAddress &target : qAsConst(targets)) {
            KeypadInfo info;
            info.address = target.toString();
            keypads.append(info);
        }
    }

    const QString folder = p.parser.value(dir);
    if (!QDir().mkpath(folder))
        return fail(tr("Cannot make the folder %1.").arg(QDir::toNativeSeparators(folder)));

    FleetBackup backup;
    backup.setDirectory(folder);
    backup.setTimeout(m_timeout);
    int done = 0;
    QObject::connect(&backup, &FleetBackup::keypadDone, &backup, [&](const FleetBackup::Result &result) {
        ++done;
        if (result.ok) {
            *m_out << result.keypad.address << '\t' << QDir::toNativeSeparators(result.file) << '\n';
            m_out->flush();
            progress(tr("%1 of %2: %3 backed up").arg(done).arg(keypads.size()).arg(who(result.keypad)));
        } else {
            failure(who(result.keypad), result.error);
        }
    });
    QEventLoop loop;
    QObject::connect(&backup, &FleetBackup::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    backup.start(keypads);
    loop.exec();

    const auto &results = backup.results();
    const bool allOk = std::all_of(results.cbegin(), results.cend(), [](const FleetBackup::Result &r) { return r.ok; });
    return allOk ? Success : Failure;
}

int FleetCommand::fail(const QString &line)
{
    *m_err << line << '\n';
    m_err->flush();
    return Failure;
}

int FleetCommand::failure(const QString &who, const QString &reason)
{
    return fail(who + QLatin1String(": ") + reason);
}

int FleetCommand::readFileForKeypad(const QStringList &arguments, QCommandLineParser *parser,
                                    const QCommandLineOption &keypad, FileForKeypad *target)
{
    const QString name = arguments.value(1);
    parser->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser->parse(QStringList{arguments.value(0)} + arguments.mid(2)))
        return usageError(name, parser->errorText());
    const QStringList files = parser->positionalArguments();
    if (files.size() != 1)
        return usageError(name, tr("Give one configuration file."));
    QList<QHostAddress> targets;
    QString error;
    if (parser->values(keypad).size() != 1 || !collectTargets(QStringList(), parser->values(keypad), &targets, &error))
        return usageError(name, error.isEmpty() ? tr("Give one --keypad address.") : error);
    target->address = targets.first().toString();
    target->file = files.first();

    QFile file(target->file);
    if (!file.open(QIODevice::ReadOnly))
        return fail(tr("Cannot open file %1: %2").arg(QDir::toNativeSeparators(target->file), file.errorString()));
    target->document = file.readAll();
    if (!target->snapshot.readDocument(target->document, &error))
        return fail(tr("Cannot read file %1: %2").arg(QDir::toNativeSeparators(target->file), error));

    target->client = std::make_unique<KeypadClient>(target->address, &target->manager);
    target->client->setTimeout(m_timeout);
    progress(tr("Reading the keypad at %1...").arg(target->address));
    if (!target->client->fetchAndWait())
        return failure(target->address, target->client->errorString());
    return Success;
}

int FleetCommand::restore(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption keypad = multiOption("keypad", tr("The keypad to restore."), QStringLiteral("A"));
    const QCommandLineOption identity(QStringLiteral("with-identity"), tr("Also give the keypad the file's name."));
    parser.addOptions({keypad, identity});
    FileForKeypad target;
    if (const int status = readFileForKeypad(arguments, &parser, keypad, &target))
        return status;
    const QString &address = target.address;
    KeypadSnapshot &expected = target.snapshot;
    QByteArray document = target.document;
    KeypadClient &client = *target.client;
    QObject::connect(&client, &KeypadClient::uploadProgress, &client,
                     [this, &address](const QString &step) { progress(address + QLatin1String(": ") + step); });
    // A replacement keypad keeps its own name (its address is never in a file).
    if (!parser.isSet(identity)) {
        document = KeypadSnapshot::withName(document, client.snapshot().configuration().name());
        expected.configuration().setName(client.snapshot().configuration().name(), false);
    }
    if (!client.upload(document))
        return failure(address, client.errorString());
    // Read back what the keypad now holds: an upload it did not take is a failure.
    progress(tr("Checking the keypad at %1...").arg(address));
    if (!client.fetchAndWait())
        return failure(address, client.errorString());
    const auto differences = expected.differences(client.snapshot());
    if (!differences.isEmpty()) {
        QStringList items;
        for (const auto &d : differences)
            items << d.item;
        return failure(address, tr("the keypad did not take: %1").arg(items.join(QLatin1String(", "))));
    }
    *m_out << address << '\t' << tr("restored from %1").arg(QDir::toNativeSeparators(target.file)) << '\n';
    m_out->flush();
    return Success;
}

int FleetCommand::diff(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption keypad = multiOption("keypad", tr("The keypad to compare."), QStringLiteral("A"));
    const QCommandLineOption json(QStringLiteral("json"), tr("Write JSON."));
    parser.addOptions({keypad, json});
    FileForKeypad target;
    if (const int status = readFileForKeypad(arguments, &parser, keypad, &target))
        return status;
    const auto differences = target.snapshot.differences(target.client->snapshot());
    if (parser.isSet(json)) {
        QJsonArray array;
        for (const auto &d : differences) {
            array.append(QJsonObject{{QStringLiteral("item"), d.item},
                                     {QStringLiteral("file"), d.ours},
                                     {QStringLiteral("keypad"), d.theirs}});
        }
        *m_out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
    } else {
        for (const auto &d : differences) {
            *m_out << d.item << '\n'
                   << "  " << tr("file:") << ' ' << d.ours << '\n'
                   << "  " << tr("keypad:") << ' ' << d.theirs << '\n';
        }
    }
    m_out->flush();
    return differences.isEmpty() ? Success : Failure;
}
