// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/services/Resources.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QtEndian>

namespace vormo {
namespace {

constexpr int kSide = 32;
constexpr int kImageOffset = 22;
constexpr int kPaletteOffset = kImageOffset + 40;
constexpr int kPixelsOffset = kPaletteOffset + 16 * 4;
constexpr int kMaskOffset = kPixelsOffset + kSide * kSide / 2;
constexpr int kIconSize = kMaskOffset + kSide * kSide / 8;

} // namespace

QByteArray programIconBytes()
{
    QFile file(QStringLiteral(":/VormoWep.ico"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QImage decodeProgramIcon(QByteArrayView ico)
{
    // Our own icon has one fixed layout: a 32 x 32 bitmap of 4 bits per pixel with a
    // 16-colour palette, rows bottom-up, followed by its transparency mask.
    if (ico.size() != kIconSize || qFromLittleEndian<quint16>(ico.data() + kImageOffset + 14) != 4)
        return {};
    const auto byte = [&](int offset) { return static_cast<quint8>(ico[offset]); };
    QImage image(kSide, kSide, QImage::Format_ARGB32);
    for (int y = 0; y < kSide; ++y) {
        const int row = kSide - 1 - y;
        for (int x = 0; x < kSide; ++x) {
            const quint8 pair = byte(kPixelsOffset + row * kSide / 2 + x / 2);
            const int index = x % 2 ? pair & 0x0F : pair >> 4;
            const int entry = kPaletteOffset + index * 4;
            const bool transparent = byte(kMaskOffset + row * kSide / 8 + x / 8) & (0x80 >> x % 8);
            image.setPixel(x, y,
                           transparent ? 0 : qRgb(byte(entry + 2), byte(entry + 1), byte(entry)));
        }
    }
    return image;
}

QIcon programIcon() { return QIcon(QPixmap::fromImage(decodeProgramIcon(programIconBytes()))); }

QCursor dragMultiCursor()
{
    return QCursor(QPixmap(QStringLiteral(":/DragMultiCursor.png")), 0, 0);
}

} // namespace vormo
