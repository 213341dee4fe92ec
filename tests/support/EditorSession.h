// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// For the suites that run the program's windows (they link vormo_qt_app): files through Qt,
// libfiu's control, the save dialog's settings and message boxes as one line of text, message
// boxes recorded instead of shown, and a session: Form1 and AboutBox as the program has them,
// Form1 shown, with a scripted save dialog, recorded message boxes and a temporary folder. The
// windows go first, before the stand-ins they use.

#include "CoreBridge.h"
#include "DependentRules.h"
#include "MessageBoxes.h"
#include "WeaponEdits.h"
#include "qt/about/TAboutBox.h"
#include "qt/app/Application.h"
#include "qt/editor/TForm1.h"

#include <QStringList>
#include <QTemporaryDir>

#include <dlfcn.h>

namespace vormo::test {

// libfiu's control, there when fiu_posix_preload.so is preloaded (ctest does): the next call
// a point names fails with the errno given as failinfo (flags 1: FIU_ONETIME).
using FiuEnable = int (*)(const char* name, int failnum, void* failinfo, unsigned flags);
inline const auto fiuEnable = reinterpret_cast<FiuEnable>(dlsym(RTLD_DEFAULT, "fiu_enable"));

// Files by Qt's name too.
inline std::string contents(const QString& path) { return contents(toPath(path)); }
inline bool writeFile(const QString& path, std::string_view bytes)
{
    return writeFile(toPath(path), bytes);
}

// "title | name pattern, ... | filter index | extension | folder | file name |
// replace? create?"
inline QString describe(const SaveDialogSettings& settings)
{
    QStringList filters;
    for (const FileTypeFilter& filter : settings.filters)
        filters << toQString(filter.name) + u' ' + toQString(filter.pattern);
    QStringList parts{toQString(settings.title), filters.join(u", "),
                      QString::number(settings.filterIndex)};
    parts << toQString(settings.defaultExt) << fromPath(settings.initialDir)
          << fromPath(settings.fileName) << (settings.confirmOverwrite ? "replace?" : "replace")
          << (settings.confirmCreate ? "create?" : "create");
    return parts.join(u" | ");
}

// "caption | text | icon | modal or modeless | ok or yes/no, owned or not"
inline QString describe(const MessageBoxRequest& box)
{
    const char* icons[] = {"critical", "information", "question"};
    QStringList parts{box.caption, box.text, icons[int(box.icon)]};
    parts << (box.applicationModal ? "modal" : "modeless") << (box.yesNo ? "yes/no" : "ok")
          << (box.owner ? "owned" : "free");
    return parts.join(u" | ");
}

class RecordingMessageBoxes : public MessageBoxes {
public:
    RecordingMessageBoxes() { setMessageBoxes(this); }
    ~RecordingMessageBoxes() override { setMessageBoxes(nullptr); }

    bool show(const MessageBoxRequest& request) override
    {
        shown.append(request);
        return true;
    }

    QList<MessageBoxRequest> shown;
};

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
