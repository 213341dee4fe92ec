// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The command line, VormoWep [FILE]: read before the GUI exists, so that --help and --version
// work without a display.

#include <QString>
#include <QStringList>

#include <optional>

namespace vormo {

struct StartRequest {
    // The plugin to open, if one was named.
    QString file;
    // Set when the program ends at once: the usage, the version or an error, with its status.
    std::optional<int> exitStatus;
    QString output; // for standard output when the status is 0, else for standard error
};

// arguments as QCoreApplication::arguments() gives them, the program first. Needs a
// QCoreApplication for the program's name in the usage.
StartRequest parseCommandLine(const QStringList& arguments);

} // namespace vormo
