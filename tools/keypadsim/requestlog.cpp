// SPDX-License-Identifier: GPL-3.0-or-later
#include "requestlog.h"

#include <cstdio>

bool RequestLog::open(const QString &path, QString *error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_file.close();
    bool ok = false;
    if (path == QLatin1String("-")) {
        ok = m_file.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    } else {
        m_file.setFileName(path);
        ok = m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    if (!ok && error)
        *error = m_file.errorString();
    return ok;
}

bool RequestLog::isOpen() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_file.isOpen();
}

void RequestLog::append(const QString &method, const QString &path, const QByteArray &body)
{
    const QByteArray line = formatLine({QDateTime::currentDateTimeUtc(), method, path, body});
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_file.isOpen())
        return;
    m_file.write(line);
    m_file.flush();
}

QByteArray RequestLog::formatLine(const Entry &entry)
{
    QByteArray body;
    body.reserve(entry.body.size());
    for (const char c : entry.body) {
        switch (c) {
        case '\\': body += "\\\\"; break;
        case '\t': body += "\\t"; break;
        case '\r': body += "\\r"; break;
        case '\n': body += "\\n"; break;
        default: body += c;
        }
    }
    return entry.time.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\t' + entry.method.toLatin1() + '\t'
        + entry.path.toLatin1() + '\t' + body + '\n';
}

bool RequestLog::parseLine(const QByteArray &line, Entry *entry)
{
    QByteArray text = line;
    if (text.endsWith('\n'))
        text.chop(1);
    const int a = text.indexOf('\t');
    const int b = a < 0 ? -1 : text.indexOf('\t', a + 1);
    const int c = b < 0 ? -1 : text.indexOf('\t', b + 1);
    if (c < 0)
        return false;
    const QDateTime time = QDateTime::fromString(QString::fromLatin1(text.left(a)), Qt::ISODateWithMs);
    if (!time.isValid())
        return false;
    QByteArray body;
    const QByteArray raw = text.mid(c + 1);
    for (int i = 0; i < raw.size(); ++i) {
        if (raw.at(i) != '\\' || i + 1 == raw.size()) {
            body += raw.at(i);
            continue;
        }
        const char next = raw.at(++i);
        body += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    if (entry) {
        entry->time = time;
        entry->method = QString::fromLatin1(text.mid(a + 1, b - a - 1));
        entry->path = QString::fromLatin1(text.mid(b + 1, c - b - 1));
        entry->body = body;
    }
    return true;
}
