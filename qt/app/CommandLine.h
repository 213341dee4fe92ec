// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The command line, VormoWep [FILE]: read before the GUI exists, so that --help and --version
// work without a display.

#include <QString>

#include <filesystem>
#include <optional>

namespace vormo {

struct StartRequest {
    // The plugin to open, if one was named: the system's bytes for it, made absolute without
    // resolving links, so that Save writes back to the name given.
    std::filesystem::path file;
    // Set when the program ends at once: the usage, the version or an error, with its status.
    std::optional<int> exitStatus;
    QString output; // for standard output when the status is 0, else for standard error
};

// The arguments main() got, the program first. Needs a QCoreApplication for the program's
// name in the usage.
StartRequest parseCommandLine(int argc, const char* const* argv);

} // namespace vormo
