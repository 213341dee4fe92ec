// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The save-file dialog as a component: its settings, and the state it keeps between runs (the
// last accepted path and file-type entry). Showing it is left to a SaveDialogRunner, so the
// program uses Qt's file dialog while tests script the answer.

#include <QList>
#include <QString>

#include <optional>

namespace vormo {

struct FileTypeFilter {
    QString name;    // "Vormo Weapons"
    QString pattern; // "*.vwp"
};

struct SaveDialogSettings {
    QString title;
    QList<FileTypeFilter> filters;
    int filterIndex = 1; // 1-based, the entry preselected
    QString defaultExt;  // without the dot: "vwp"
    QString initialDir;  // "." is the working directory
    QString fileName;    // pre-fills the name field
    bool confirmOverwrite = false;
    bool confirmCreate = false;
};

struct SaveDialogAnswer {
    QString path;    // full path, default extension already applied
    int filterIndex; // 1-based entry selected when the user accepted
};

class SaveDialogRunner {
public:
    virtual ~SaveDialogRunner() = default;
    // Shows the dialog modally; nullopt when the user cancels or it cannot be shown.
    virtual std::optional<SaveDialogAnswer> run(const SaveDialogSettings& settings) = 0;
};

class SaveDialog {
public:
    explicit SaveDialog(SaveDialogSettings settings) : settings_(std::move(settings)) {}

    // True when a name was accepted; only then do FileName and FilterIndex change.
    bool Execute();

    QString FileName() const { return settings_.fileName; }
    int FilterIndex() const { return settings_.filterIndex; }
    const SaveDialogSettings& settings() const { return settings_; }

    // The path the next run proposes, as if the user had accepted it: that of an opened plugin.
    void setFileName(const QString& path) { settings_.fileName = path; }

    // A runner for this dialog alone (tests); nullptr falls back to the default runner.
    void setRunner(SaveDialogRunner* runner) { runner_ = runner; }
    // The runner every dialog uses unless it has its own; the program installs Qt's at start.
    static void setDefaultRunner(SaveDialogRunner* runner);

private:
    SaveDialogSettings settings_;
    SaveDialogRunner* runner_ = nullptr;
};

} // namespace vormo
