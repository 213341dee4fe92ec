// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Resources.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace vormo::win {
namespace {

std::optional<std::string_view> resourceBytes(HINSTANCE instance, const wchar_t* name,
                                              const wchar_t* type)
{
    HRSRC found = FindResourceW(instance, name, type);
    if (!found)
        return std::nullopt;
    HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return std::nullopt;
    return std::string_view(static_cast<const char*>(data), SizeofResource(instance, found));
}

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

void appendLittleEndian(std::string& bytes, std::uint32_t value, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

HICON programIcon(HINSTANCE instance)
{
    if (HICON icon = LoadIconW(instance, L"MAINICON"))
        return icon;
    return LoadIconW(nullptr, IDI_APPLICATION);
}

HCURSOR dragMultiCursor(HINSTANCE instance)
{
    if (HCURSOR cursor = LoadCursorW(instance, L"DRAGMULTI"))
        return cursor;
    return LoadCursorW(nullptr, IDC_ARROW);
}

std::string programIconBytes(HINSTANCE instance)
{
    // An icon group holds the file's directory with a resource id where the file has the
    // offset of each image; the images are resources of their own.
    constexpr std::size_t kHeader = 6, kGroupEntry = 14, kFileEntry = 16;
    const auto group = resourceBytes(instance, L"MAINICON", MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
    if (!group || group->size() < kHeader)
        return {};
    const std::size_t count = littleEndian(*group, 4, 2);
    if (group->size() < kHeader + count * kGroupEntry)
        return {};

    std::string directory(group->substr(0, kHeader));
    std::string images;
    std::uint32_t offset = static_cast<std::uint32_t>(kHeader + count * kFileEntry);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view entry = group->substr(kHeader + i * kGroupEntry, kGroupEntry);
        const auto id = static_cast<WORD>(littleEndian(entry, 12, 2));
        const auto image = resourceBytes(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3)); // RT_ICON
        if (!image)
            return {};
        directory.append(entry.substr(0, 8)); // size, colours, planes, bits per pixel
        appendLittleEndian(directory, static_cast<std::uint32_t>(image->size()), 4);
        appendLittleEndian(directory, offset, 4);
        images.append(*image);
        offset += static_cast<std::uint32_t>(image->size());
    }
    return directory + images;
}

} // namespace vormo::win
