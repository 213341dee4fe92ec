// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileCommands.h"

#include "PluginDocument.h"
#include "PluginReader.h"
#include "PluginWriter.h"
#include "SaveDialog.h"

namespace vormo {
namespace {

std::filesystem::path& fileName()
{
    static std::filesystem::path name;
    return name;
}

// Save from the point where the path is settled: a failure leaves the name as it now is.
void writePlugin(const FieldAccess& fields, SaveDialog& dialog, PluginDocument& document)
{
    fileName() = dialog.FileName();
    document.setText(buildPluginText(fields));
    document.SaveToFile(fileName());
}

} // namespace

const std::filesystem::path& currentFileName() { return fileName(); }

void newPlugin() { fileName() = kUntitled; }

void savePlugin(const FieldAccess& fields, SaveDialog& dialog, PluginDocument& document)
{
    if (fileName() == kUntitled && !dialog.Execute())
        return;
    writePlugin(fields, dialog, document);
}

void savePluginAs(const FieldAccess& fields, SaveDialog& dialog, PluginDocument& document)
{
    if (!dialog.Execute())
        return;
    writePlugin(fields, dialog, document);
}

void openPlugin(const std::filesystem::path& path, RuleControls& controls, SaveDialog& dialog)
{
    const PluginContent content = loadPluginFile(path);
    content.applyTo(controls);
    dialog.setFileName(path);
    fileName() = path;
}

SaveDialogSettings pluginSaveDialogSettings()
{
    SaveDialogSettings settings;
    settings.title = u"Save Vormo Weapon...";
    settings.filters = {
        {u"Vormo Weapons", u"*.vwp"}, {u"Text files", u"*.txt"}, {u"All files", u"*.*"}};
    settings.filterIndex = 1;
    settings.defaultExt = u"vwp";
    settings.initialDir = ".";
    return settings;
}

} // namespace vormo
