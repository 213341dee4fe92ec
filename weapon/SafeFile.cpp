// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SafeFile.h"

#include "Errors.h"

#include <QSaveFile>

namespace vormo {
namespace {

qint64 writeChunk(QIODevice& file, const char* data, qint64 size) { return file.write(data, size); }

ChunkWriter& chunkWriter()
{
    static ChunkWriter writer = writeChunk;
    return writer;
}

} // namespace

void setChunkWriter(ChunkWriter writer)
{
    chunkWriter() = writer ? std::move(writer) : ChunkWriter(writeChunk);
}

void saveFileSafely(const QString& path, QByteArrayView data, qint64 chunkSize,
                    const QString& writeError)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly))
        throw VormoError(messages::cannotCreateFile(path));

    for (qint64 offset = 0; offset < data.size(); offset += chunkSize) {
        const qint64 size = std::min(chunkSize, data.size() - offset);
        if (chunkWriter()(file, data.data() + offset, size) != size) {
            file.cancelWriting();
            throw VormoError(writeError);
        }
    }
    if (!file.commit()) {
        if (file.error() == QFileDevice::RenameError)
            throw VormoError(messages::cannotCreateFile(path));
        throw VormoError(writeError);
    }
}

} // namespace vormo
