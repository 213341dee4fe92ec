// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Writes a whole file so that a failure never leaves a torn file or destroys the one that was
// there: the bytes go to a temporary file beside the target, which replaces it only once every
// byte is written and flushed. In a folder where no temporary file can be made, a writable
// file is written in place instead.

#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

namespace vormo {

// Throws VormoError: "Cannot create file <path>" when the file cannot be created or
// replaced, writeError when writing stops short.
void saveFileSafely(const QString& path, QByteArrayView data, qint64 chunkSize,
                    const QString& writeError);

// Test seam: called for each chunk instead of QIODevice::write; nullptr restores it.
using ChunkWriter = std::function<qint64(QIODevice& file, const char* data, qint64 size)>;
void setChunkWriter(ChunkWriter writer);

} // namespace vormo
