#pragma once

// The bytes a save puts on disk for a weapon: the plugin text cut into lines at CR LF, LF or
// CR, each line in Windows-1252 followed by CR LF. Shared by the reader's test and fuzzer.

#include "PluginWriter.h"
#include "Windows1252.h"

#include <QByteArray>

inline QByteArray savedPluginBytes(const vormo::FieldAccess& weapon)
{
    const QByteArray text = vormo::toWindows1252(vormo::buildPluginText(weapon));
    QByteArray bytes;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        bytes += QByteArrayView(text).sliced(pos, end - pos);
        bytes += "\r\n";
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return bytes;
}
