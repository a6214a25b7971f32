// SPDX-License-Identifier: GPL-3.0-or-later
#include "mspwiretext.h"

#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <limits>

// The program reads with the toolkit's deprecated SAX reader; so does this test.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
#include <QXmlDefaultHandler>
#include <QXmlSimpleReader>

class tst_MSPWireText : public QObject
{
    Q_OBJECT

private slots:
    void coordinate_data();
    void coordinate();
    void valuesReadFromFilesDoNotDrift();
    void truncated_data();
    void truncated();
    void xmlEscapedReadsBack_data();
    void xmlEscapedReadsBack();
};

void tst_MSPWireText::coordinate_data()
{
    QTest::addColumn<double>("product");
    QTest::addColumn<QString>("unsignedText");
    QTest::addColumn<QString>("signedText");

    QTest::newRow("zero") << 0.0 << "0" << "0";
    QTest::newRow("white x") << 3127.0 << "3127" << "3127";
    QTest::newRow("truncated") << 3127.6 << "3127" << "3127";
    QTest::newRow("full scale") << 10000.0 << "10000" << "10000";
    QTest::newRow("float noise below") << 3126.99995 << "3127" << "3127";
    QTest::newRow("negative truncates toward zero") << -3.7 << "65533" << "-3";
    QTest::newRow("above 16 bits wraps") << 70000.0 << "4464" << "4464";
    QTest::newRow("above signed range") << 40000.0 << "40000" << "-25536";
    QTest::newRow("nan") << std::nan("") << "0" << "0";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "0" << "0";
    QTest::newRow("huge") << 1e300 << QString::number(quint16(std::fmod(1e300, 65536.0)))
                          << QString::number(qint16(quint16(std::fmod(1e300, 65536.0))));
}

void tst_MSPWireText::coordinate()
{
    QFETCH(double, product);
    QFETCH(QString, unsignedText);
    QFETCH(QString, signedText);
    QCOMPARE(MSPWireText::unsignedCoordinate(product), unsignedText);
    QCOMPARE(MSPWireText::signedCoordinate(product), signedText);
}

// A coordinate read from a file as k / 10000 (held in a float) must be
// written back as k, or every save would lower it by one.
void tst_MSPWireText::valuesReadFromFilesDoNotDrift()
{
    for (int k = 0; k <= 10000; ++k) {
        const float x = float(k / 10000.0);
        QCOMPARE(int(MSPWireText::coordinateBits(double(x) * 10000)), k);
        QCOMPARE(int(MSPWireText::coordinateBits((k / 10000.0) * 10000)), k);
    }
    for (int k = 0; k <= 1000; ++k)
        QCOMPARE(int(MSPWireText::coordinateBits(double(float(k / 1000.0)) * 1000)), k);
}

void tst_MSPWireText::truncated_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("positive") << 127.9 << 127;
    QTest::newRow("negative") << -0.7 << 0;
    QTest::newRow("nan") << std::nan("") << 0;
    QTest::newRow("too big") << 1e30 << std::numeric_limits<int>::max();
    QTest::newRow("too small") << -1e30 << std::numeric_limits<int>::min();
}

void tst_MSPWireText::truncated()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(MSPWireText::truncated(value), expected);
}

void tst_MSPWireText::xmlEscapedReadsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read");
    QTest::newRow("markup") << "A&B <1> \"q\" 'a'" << "A&B <1> \"q\" 'a'";
    QTest::newRow("entity-like") << "&amp; &#13;" << "&amp; &#13;";
    QTest::newRow("line breaks") << "a\nb\rc\td" << "a\nb\rc\td";
    QTest::newRow("euro") << QString::fromUtf8("\xe2\x82\xac 1") << QString::fromUtf8("\xe2\x82\xac 1");
    // Beyond U+FFFF the reader would make U+F600 of U+1F600.
    QTest::newRow("emoji is left out") << QString::fromUtf8("a\xf0\x9f\x98\x80" "b") << "ab";
    QTest::newRow("lone surrogate is left out") << QString(QChar(0xd83d)) + 'c' << "c";
}

namespace {

class TextCollector : public QXmlDefaultHandler
{
public:
    bool characters(const QString &ch) override
    {
        text += ch;
        return true;
    }
    QString text;
};

} // namespace

// Whatever the escaping produces, the program's XML reader gives back the
// text as written.
void tst_MSPWireText::xmlEscapedReadsBack()
{
    QFETCH(QString, text);
    QFETCH(QString, read);
    if (read != text)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("dropped characters"));
    const QString document = "<v>" + MSPWireText::xmlEscaped(text) + "</v>";
    QVERIFY(document.toLatin1() == document.toUtf8()); // pure ASCII/Latin-1 safe
    QXmlInputSource source;
    source.setData(document);
    TextCollector collector;
    QXmlSimpleReader reader;
    reader.setContentHandler(&collector);
    QVERIFY(reader.parse(&source));
    QCOMPARE(collector.text, read);
    QXmlStreamReader strict(document);
    QVERIFY(strict.readNextStartElement());
    QCOMPARE(strict.readElementText(), read);
}

QT_WARNING_POP

QTEST_GUILESS_MAIN(tst_MSPWireText)
#include "tst_mspwiretext.moc"
