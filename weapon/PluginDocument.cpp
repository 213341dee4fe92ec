// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PluginDocument.h"

#include "Errors.h"
#include "SafeFile.h"
#include "Windows1252.h"

namespace vormo {

void PluginDocument::setText(const QString& text)
{
    lines_.clear();
    qsizetype used = 0;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        QByteArray line = toWindows1252(QStringView(text).sliced(pos, end - pos));
        if (used + line.size() + 2 > kCapacity)
            throw VormoError(messages::lineInsertionError());
        used += line.size() + 2;
        lines_.append(std::move(line));
        pos = end;
        if (pos < n && text[pos] == u'\r')
            ++pos;
        if (pos < n && text[pos] == u'\n')
            ++pos;
    }
}

QByteArray PluginDocument::bytes() const
{
    QByteArray out;
    for (const QByteArray& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void PluginDocument::SaveToFile(const QString& path) const
{
    saveFileSafely(path, bytes(), messages::failedToSaveStream());
}

} // namespace vormo
