// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Application.h"
#include "CommandLine.h"

#include <QApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    vormo::StartRequest request;
    {
        // Without a display QApplication aborts: the command line is read before it exists.
        const QCoreApplication reading(argc, argv);
        request = vormo::parseCommandLine(argc, argv);
    }
    if (request.exitStatus) {
        std::FILE* out = *request.exitStatus == 0 ? stdout : stderr;
        // Help that never arrived (a full disk, a closed pipe) is a failure, as for any tool.
        if (std::fputs(request.output.toLocal8Bit().constData(), out) < 0 ||
            std::fflush(out) != 0) {
            std::fprintf(stderr, "VormoWep: write error: %s\n", std::strerror(errno));
            return *request.exitStatus == 0 ? 1 : *request.exitStatus;
        }
        return *request.exitStatus;
    }

    QApplication application(argc, argv);
    vormo::prepareApplication();
    return vormo::runApplication([&request] { vormo::createWindows(request.file); });
}
