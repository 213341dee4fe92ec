// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// For the suites that run the program's windows (they link vormo_gui): Form1 and AboutBox as
// the program has them, Form1 shown, with a scripted save dialog, recorded message boxes and a
// temporary folder. The windows go first, before the stand-ins they use.

#include "Application.h"
#include "RecordingMessageBoxes.h"
#include "TAboutBox.h"
#include "TForm1.h"
#include "TestSupport.h"

#include <QTemporaryDir>

namespace vormo::test {

// The middle of Form1's control of that name, in Form1's coordinates.
inline QPoint centreOf(const QString& name)
{
    auto* widget = Form1->findChild<QWidget*>(name);
    return widget->mapTo(Form1, widget->rect().center());
}

struct EditorSession {
    QTemporaryDir dir;
    ScriptedSaveDialog dialog;
    RecordingMessageBoxes boxes;

    EditorSession()
    {
        createForm(Form1);
        createForm(AboutBox);
        Form1->show();
    }
    ~EditorSession() { destroyWindows(); }
    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace vormo::test
