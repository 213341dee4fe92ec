#include "PluginDocument.h"

#include "Errors.h"
#include "Windows1252.h"

#include <QSaveFile>

namespace vormo {
namespace {

constexpr qint64 kChunkSize = 4096;

qint64 writeChunk(QIODevice& file, const char* data, qint64 size) { return file.write(data, size); }

PluginDocument::ChunkWriter& chunkWriter()
{
    static PluginDocument::ChunkWriter writer = writeChunk;
    return writer;
}

} // namespace

void PluginDocument::setChunkWriter(ChunkWriter writer)
{
    chunkWriter() = writer ? std::move(writer) : ChunkWriter(writeChunk);
}

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
    // The new plugin goes to a temporary file beside the target and replaces it only once it
    // is complete. In a folder where no temporary file can be made, a writable plugin is
    // written in place instead, as it always could be.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly))
        throw VormoError(messages::cannotCreateFile(path));

    const QByteArray data = bytes();
    for (qint64 offset = 0; offset < data.size(); offset += kChunkSize) {
        const qint64 size = std::min(kChunkSize, data.size() - offset);
        if (chunkWriter()(file, data.constData() + offset, size) != size) {
            file.cancelWriting();
            throw VormoError(messages::failedToSaveStream());
        }
    }
    if (!file.commit()) {
        if (file.error() == QFileDevice::RenameError)
            throw VormoError(messages::cannotCreateFile(path));
        throw VormoError(messages::failedToSaveStream());
    }
}

} // namespace vormo
