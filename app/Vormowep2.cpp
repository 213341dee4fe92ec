// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Application.h"
#include "CommandLine.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    vormo::StartRequest request;
    {
        // Without a display QApplication aborts: the command line is read before it exists.
        const QCoreApplication reading(argc, argv);
        request = vormo::parseCommandLine(QCoreApplication::arguments());
    }
    if (request.exitStatus) {
        std::fputs(request.output.toLocal8Bit().constData(),
                   *request.exitStatus == 0 ? stdout : stderr);
        return *request.exitStatus;
    }

    QApplication application(argc, argv);
    vormo::prepareApplication();
    return vormo::runApplication([&request] { vormo::createWindows(request.file); });
}
