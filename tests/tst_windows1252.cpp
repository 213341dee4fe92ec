// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The one conversion between the fields' Unicode text and a plugin's 8-bit bytes.

#include "Windows1252.h"

#include <QTest>

using namespace vormo;

class Windows1252Test : public QObject {
    Q_OBJECT
private slots:
    void convertsBothWays()
    {
        QCOMPARE(toWindows1252(QString::fromUtf16(u"A: \t\u0001\u00a0\u00dc\u00ff")),
                 QByteArray("A: \t\x01\xa0\xdc\xff"));
        // The 0x80 block, with the unassigned bytes as the control characters of their number.
        QCOMPARE(toWindows1252(QString::fromUtf16(u"\u20ac\u0178\u0081\u009d")),
                 QByteArray("\x80\x9f\x81\x9d"));
        // A C1 control whose byte holds another character, a character beyond Latin-1, a
        // surrogate pair and a lone surrogate: each one question mark.
        QCOMPARE(toWindows1252(QString::fromUtf16(u"\u0080\u4e2dx\U0001F4A3") + QChar(0xD800)),
                 QByteArray("??x??"));

        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(toWindows1252(fromWindows1252(all)), all);
    }
};

QTEST_GUILESS_MAIN(Windows1252Test)
#include "tst_windows1252.moc"
