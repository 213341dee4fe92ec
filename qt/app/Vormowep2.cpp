// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLine.h"
#include "qt/app/Application.h"

#include <QApplication>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
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
    const int status = vormo::runApplication([&request] { vormo::createWindows(request.file); });
    // Qt 6.4's Wayland client can hang for good tearing down its connection: its event thread
    // stays blocked reading events while the main thread waits for it. The windows are gone by
    // now and nothing is left to write, so the process ends here.
    if (QGuiApplication::platformName().startsWith(QLatin1StringView("wayland"))) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
