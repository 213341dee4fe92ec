// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The plugin text where a value depends on more than its own field's text. Expected texts are
// written out here by hand.

#include "TestSupport.h"

#include <QTest>

using namespace vormo;
using namespace vormo::test;

class PluginTextTest : public QObject {
    Q_OBJECT
private slots:
    void valueRules()
    {
        // Edits as in edited(), and lines the text then holds.
        const std::pair<QString, QString> rows[] = {
            {"+LoopAnim", "ANIMLOOP:0"},       // counts only while enabled
            {"FirstFrame=7", "ANIMSFRAME:-1"}, // a pixel bullet has no first frame
            {"DetType=13 typed;TrailType=x1;DetSnd=007;FireSnd=\u0663", // only ASCII digits
             "CREATEONHIT:13;OTRAILTYPE:;SOUNDEXPLODE:007;SOUNDLAUNCH:"}};
        for (const auto& [edits, lines] : rows) {
            const QStringList text = buildPluginText(edited(edits.split(u';'))).split(u'\n');
            for (const QString& line : lines.split(u';'))
                QVERIFY2(text.contains(line), qPrintable(edits + " -> " + line));
        }
    }
};

QTEST_GUILESS_MAIN(PluginTextTest)
#include "tst_plugin_text.moc"
