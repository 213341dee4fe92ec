// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A failed command raises a VormoError carrying the text the user sees; the error report shows
// it and the program runs on. Paths are user input and are appended as data, never used as a
// format string.

#include <QString>

#include <exception>

namespace vormo {

class VormoError : public std::exception {
public:
    explicit VormoError(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

namespace messages {
inline QString cannotCreateFile(const QString& path)
{
    return QStringLiteral("Cannot create file ") + path;
}
inline QString cannotOpenFile(const QString& path)
{
    return QStringLiteral("Cannot open file ") + path;
}
inline QString notAWeaponPlugin(const QString& path)
{
    return path + QStringLiteral(" is not a Vormo weapon plugin");
}
inline QString tooLargeToSave(const QString& path, qsizetype capacity)
{
    return path + QStringLiteral(" is too large for the editor: a weapon it saves holds at most %1 "
                                 "characters")
                      .arg(capacity);
}
inline QString streamWriteError() { return QStringLiteral("Stream write error"); }
inline QString failedToSaveStream() { return QStringLiteral("Failed to Save Stream"); }
inline QString lineInsertionError() { return QStringLiteral("RichEdit line insertion error"); }
} // namespace messages

} // namespace vormo
