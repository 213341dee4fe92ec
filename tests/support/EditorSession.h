// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// For the suites that run the program's windows (they link vormo_gui): Form1 and AboutBox as
// the program has them, Form1 shown, with a scripted save dialog, recorded message boxes and a
// temporary folder. The windows go first, before the stand-ins they use.

#include "Application.h"
#include "DependentRules.h"
#include "RecordingMessageBoxes.h"
#include "TAboutBox.h"
#include "TForm1.h"
#include "TestSupport.h"

#include <QTemporaryDir>

namespace vormo::test {

struct EditorSession {
    QTemporaryDir dir;
    ScriptedSaveDialog dialog;
    RecordingMessageBoxes boxes;
    EditorSession()
    {
        putAsideValues() = PutAsideValues(); // as at program start
        createForm(Form1);
        createForm(AboutBox);
        Form1->show();
    }
    ~EditorSession() { destroyWindows(); }
    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace vormo::test
