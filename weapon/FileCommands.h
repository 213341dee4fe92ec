#pragma once

// New, Save and Save As, and the current file name they share. The editor window's buttons
// and menu items call these; they read the fields through FieldAccess and write through the
// window's SaveDialog and PluginDocument. Failures are thrown as VormoError.

#include <QString>

namespace vormo {

class FieldAccess;
class PluginDocument;
class SaveDialog;
struct SaveDialogSettings;

inline constexpr char kUntitled[] = "untitled.vwp";

// "untitled.vwp" while no path has been chosen, else the path Save writes to.
const QString& currentFileName();

void newPlugin();
void savePlugin(const FieldAccess& fields, SaveDialog& dialog, PluginDocument& document);
void savePluginAs(const FieldAccess& fields, SaveDialog& dialog, PluginDocument& document);

// The settings of the plugin save dialog when the window is created.
SaveDialogSettings pluginSaveDialogSettings();

} // namespace vormo
