// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileCommands.h"

#include "PluginDocument.h"
#include "PluginReader.h"
#include "PluginWriter.h"
#include "SaveDialog.h"

namespace vormo {
namespace {

QString& fileName()
{
    static QString name;
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

const QString& currentFileName() { return fileName(); }

void newPlugin() { fileName() = QString::fromLatin1(kUntitled); }

void savePlugin(const FieldAccess& fields, SaveDialog& dialog, PluginDocument& document)
{
    if (fileName() == QLatin1StringView(kUntitled) && !dialog.Execute())
        return;
    writePlugin(fields, dialog, document);
}

void savePluginAs(const FieldAccess& fields, SaveDialog& dialog, PluginDocument& document)
{
    if (!dialog.Execute())
        return;
    writePlugin(fields, dialog, document);
}

void openPlugin(const QString& path, RuleControls& controls, SaveDialog& dialog)
{
    const PluginContent content = loadPluginFile(path);
    content.applyTo(controls);
    dialog.setFileName(path);
    fileName() = path;
}

SaveDialogSettings pluginSaveDialogSettings()
{
    SaveDialogSettings settings;
    settings.title = QStringLiteral("Save Vormo Weapon...");
    settings.filters = {{QStringLiteral("Vormo Weapons"), QStringLiteral("*.vwp")},
                        {QStringLiteral("Text files"), QStringLiteral("*.txt")},
                        {QStringLiteral("All files"), QStringLiteral("*.*")}};
    settings.filterIndex = 1;
    settings.defaultExt = QStringLiteral("vwp");
    settings.initialDir = QStringLiteral(".");
    return settings;
}

} // namespace vormo
