// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The save-file dialog as a component: its settings, and the state it keeps between runs (the
// last accepted path and file-type entry). Showing it is left to a SaveDialogRunner, so each front
// end shows its own system dialog while tests script the answer.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vormo {

struct FileTypeFilter {
    std::u16string name;    // "Vormo Weapons"
    std::u16string pattern; // "*.vwp"
};

struct SaveDialogSettings {
    std::u16string title;
    std::vector<FileTypeFilter> filters;
    int filterIndex = 1;              // 1-based, the entry preselected
    std::u16string defaultExt;        // without the dot: "vwp"
    std::filesystem::path initialDir; // "." is the working directory
    std::filesystem::path fileName;   // pre-fills the name field
    bool confirmOverwrite = false;
    bool confirmCreate = false;
};

struct SaveDialogAnswer {
    std::filesystem::path path; // full path, default extension already applied
    int filterIndex;            // 1-based entry selected when the user accepted
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

    const std::filesystem::path& FileName() const { return settings_.fileName; }
    int FilterIndex() const { return settings_.filterIndex; }
    const SaveDialogSettings& settings() const { return settings_; }

    // The path the next run proposes, as if the user had accepted it: that of an opened plugin.
    void setFileName(const std::filesystem::path& path) { settings_.fileName = path; }

    // A runner for this dialog alone (tests); nullptr falls back to the default runner.
    void setRunner(SaveDialogRunner* runner) { runner_ = runner; }
    // The runner every dialog uses unless it has its own; each front end installs its own at start.
    static void setDefaultRunner(SaveDialogRunner* runner);

private:
    SaveDialogSettings settings_;
    SaveDialogRunner* runner_ = nullptr;
};

} // namespace vormo
