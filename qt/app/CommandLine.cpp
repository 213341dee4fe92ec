// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLine.h"

#include "CoreBridge.h"
#include "ErrorReport.h"

#include <QCommandLineParser>

namespace vormo {
namespace {

const char* const kQtOptionsWithValue[] = {"platform",      "platformpluginpath",
                                           "platformtheme", "plugin",
                                           "display",       "name",
                                           "style",         "stylesheet",
                                           "session",       "qwindowgeometry",
                                           "qwindowtitle",  "qwindowicon",
                                           "qmljsdebugger"};
const char* const kQtFlags[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

} // namespace

StartRequest parseCommandLine(int argc, const char* const* argv)
{
    // Read as Latin-1, one character per byte, so that FILE turns back into the very bytes
    // given, whether or not they are UTF-8; the options are ASCII either way.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLatin1(argv[i]));
    QCommandLineParser parser;
    parser.setApplicationDescription(toQString(kApplicationTitle));
    // Qt's own options, such as -platform or -style, are read by QApplication later; here they
    // only have to pass.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A weapon plugin to open; Save writes back to it."),
                                 QStringLiteral("[FILE]"));

    StartRequest request;
    if (!parser.parse(arguments) || parser.positionalArguments().size() > 1) {
        const QString error = parser.errorText().isEmpty()
                                  ? QStringLiteral("Only one FILE can be opened.")
                                  : parser.errorText();
        request.exitStatus = 2;
        request.output = error + u'\n' + parser.helpText();
    } else if (parser.isSet(help)) {
        request.exitStatus = 0;
        request.output = parser.helpText();
    } else if (parser.isSet(version)) {
        request.exitStatus = 0;
        request.output =
            toQString(kApplicationTitle) + u' ' + QStringLiteral(VORMO_VERSION) + u'\n';
    } else if (!parser.positionalArguments().isEmpty()) {
        const std::filesystem::path file(
            parser.positionalArguments().first().toLatin1().toStdString());
        std::error_code noFolder; // the working folder is gone: the name stays as given
        request.file = file.empty() ? file : std::filesystem::absolute(file, noFolder);
        if (noFolder)
            request.file = file;
    }
    return request;
}

} // namespace vormo
