// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Where the Qt windows meet the core: field text crosses as UTF-16 either way, and a file name
// crosses as the bytes Qt would hand the system for it, never as decoded text.

#include "FieldTable.h"
#include "Text.h"

#include <QFile>
#include <QRect>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vormo {

inline QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

inline std::u16string toU16(QStringView text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          std::size_t(text.size()));
}

inline QStringList toQStringList(const std::vector<std::u16string>& texts)
{
    QStringList list;
    list.reserve(qsizetype(texts.size()));
    for (const std::u16string& text : texts)
        list.append(toQString(text));
    return list;
}

inline std::filesystem::path toPath(const QString& fileName)
{
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

// The inverse of toPath, for Qt's own file calls; for showing a name use pathText.
inline QString fromPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

inline QString displayName(const std::filesystem::path& path) { return toQString(pathText(path)); }

constexpr QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

} // namespace vormo
