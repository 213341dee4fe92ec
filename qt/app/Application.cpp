// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/app/Application.h"

#include "CoreBridge.h"
#include "ErrorReport.h"
#include "PluginDrop.h"
#include "QtSaveDialogRunner.h"
#include "ToolTips.h"
#include "WindowRoles.h"
#include "qt/about/TAboutBox.h"
#include "qt/editor/TForm1.h"
#include "qt/services/Resources.h"

#include <QApplication>

namespace vormo {

void prepareApplication()
{
    QApplication::setApplicationName(toQString(kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(VORMO_VERSION));
    QApplication::setWindowIcon(programIcon());
    // Names the desktop entry where the desktop matches windows to it by that (Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral(VORMO_APP_ID));
    // Qt would end the loop when the last window closes, the about box for one, also while
    // Form1 is still up. Only Form1's closing ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    applyToolTipTiming();
    // Dialogs find the window they belong to by it.
    followActiveWindow();
    static QtSaveDialogRunner saveDialogs;
    SaveDialog::setDefaultRunner(&saveDialogs);
}

void createWindows(const std::filesystem::path& file)
{
    createForm(Form1);
    QObject::connect(Form1, &TForm1::closed, qApp, [] { QCoreApplication::exit(0); });
    if (!file.empty())
        openDroppedPlugin(*Form1, file);
    Form1->show();
    createForm(AboutBox);
}

void destroyWindows()
{
    delete AboutBox;
    AboutBox = nullptr;
    delete Form1;
    Form1 = nullptr;
}

int runApplication(const std::function<void()>& create)
{
    guarded([&create] {
        create();
        QApplication::exec();
    });
    destroyWindows();
    return 0;
}

} // namespace vormo
