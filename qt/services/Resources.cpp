// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/services/Resources.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QtEndian>

namespace vormo {
namespace {

// Our icon and cursor files hold one 32 x 32 picture each: a bitmap of a few bits per pixel
// with its palette, rows bottom-up, followed by its transparency mask.
constexpr int kSide = 32;
constexpr int kEntryOffset = 6;
constexpr int kImageOffset = 22;
constexpr int kPaletteOffset = kImageOffset + 40;

QByteArray resourceBytes(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The picture with its transparency; a null image for bytes of another layout.
QImage decodePicture(QByteArrayView file, int bitsPerPixel)
{
    const int pixelsOffset = kPaletteOffset + (4 << bitsPerPixel);
    const int maskOffset = pixelsOffset + kSide * kSide * bitsPerPixel / 8;
    if (file.size() != maskOffset + kSide * kSide / 8 ||
        qFromLittleEndian<quint16>(file.data() + kImageOffset + 14) != bitsPerPixel)
        return {};
    const auto byte = [&](int offset) { return static_cast<quint8>(file[offset]); };
    const int perByte = 8 / bitsPerPixel;
    const int lowBits = (1 << bitsPerPixel) - 1;
    QImage image(kSide, kSide, QImage::Format_ARGB32);
    for (int y = 0; y < kSide; ++y) {
        const int row = kSide - 1 - y;
        for (int x = 0; x < kSide; ++x) {
            const quint8 packed = byte(pixelsOffset + (row * kSide + x) / perByte);
            const int index = packed >> (8 - bitsPerPixel * (x % perByte + 1)) & lowBits;
            const int entry = kPaletteOffset + index * 4;
            const bool transparent = byte(maskOffset + row * kSide / 8 + x / 8) & (0x80 >> x % 8);
            image.setPixel(x, y,
                           transparent ? 0 : qRgb(byte(entry + 2), byte(entry + 1), byte(entry)));
        }
    }
    return image;
}

} // namespace

QByteArray programIconBytes() { return resourceBytes(QStringLiteral(":/VormoWep.ico")); }

QImage decodeProgramIcon(QByteArrayView ico) { return decodePicture(ico, 4); }

QIcon programIcon() { return QIcon(QPixmap::fromImage(decodeProgramIcon(programIconBytes()))); }

QCursor dragMultiCursor()
{
    // Decoded here, as the icon is: Qt's image readers would cost start-up eight times as much.
    const QByteArray cur = resourceBytes(QStringLiteral(":/DragMultiCursor.cur"));
    const QImage picture = decodePicture(cur, 1);
    if (picture.isNull())
        return {};
    const auto hotSpot = [&](int at) {
        return int(qFromLittleEndian<quint16>(cur.data() + kEntryOffset + at));
    };
    return QCursor(QPixmap::fromImage(picture), hotSpot(4), hotSpot(6));
}

} // namespace vormo
