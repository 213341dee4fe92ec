// The one conversion between the fields' Unicode text and a plugin's 8-bit bytes.

#include "Windows1252.h"

#include <QTest>

using namespace vormo;

class Windows1252Test : public QObject {
    Q_OBJECT
private slots:
    void encodes_data();
    void encodes();
    void everyByteRoundTrips();
};

void Windows1252Test::encodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << "NAME: 1" << QByteArray("NAME: 1");
    QTest::newRow("umlaut and euro") << QString::fromUtf16(u"Flammenwerfer \u00dc\u20ac")
                                     << QByteArray("Flammenwerfer \xdc\x80");
    QTest::newRow("control characters pass")
        << QString::fromUtf16(u"a\tb\u0001") << QByteArray("a\tb\x01");
    QTest::newRow("nul passes") << QString(QChar(0)) << QByteArray(1, '\0');
    QTest::newRow("last of 0x80 block") << QString::fromUtf16(u"\u0178") << QByteArray("\x9f");
    QTest::newRow("unassigned byte's control")
        << QString::fromUtf16(u"\u0081\u009d") << QByteArray("\x81\x9d");
    QTest::newRow("c1 control with a glyph in the table")
        << QString::fromUtf16(u"\u0080") << QByteArray("?");
    QTest::newRow("latin-1 upper range")
        << QString::fromUtf16(u"\u00a0\u00ff") << QByteArray("\xa0\xff");
    QTest::newRow("beyond latin-1") << QString::fromUtf16(u"\u0100\u4e2d") << QByteArray("??");
    QTest::newRow("astral character is one question mark")
        << QString::fromUtf16(u"x\U0001F4A3y") << QByteArray("x?y");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("empty") << QString() << QByteArray();
}

void Windows1252Test::encodes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toWindows1252(text), bytes);
}

void Windows1252Test::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromWindows1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text[0x80], QChar(0x20AC));
    QCOMPARE(text[0x8A], QChar(0x0160));
    QCOMPARE(toWindows1252(text), all);
}

QTEST_GUILESS_MAIN(Windows1252Test)
#include "tst_windows1252.moc"
