// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PluginReader.h"

#include "DependentRules.h"
#include "Errors.h"
#include "NumberPrefix.h"
#include "PluginDocument.h"
#include "PluginWriter.h"
#include "WeaponModel.h"
#include "WeaponValues.h"
#include "Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vormo {
namespace {

// Cuts lines at CR LF, a lone LF or a lone CR, the way the editor's document does.
class LineReader {
public:
    explicit LineReader(QByteArrayView bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }

    QByteArrayView next()
    {
        const qsizetype start = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != '\r' && bytes_[pos_] != '\n')
            ++pos_;
        const QByteArrayView line = bytes_.sliced(start, pos_ - start);
        if (pos_ < bytes_.size() && bytes_[pos_] == '\r')
            ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n')
            ++pos_;
        return line;
    }

private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};

// Plugin key to field index, for the 46 fields that have a line of their own.
const QHash<QByteArray, int>& fieldsByKey()
{
    static const QHash<QByteArray, int> byKey = [] {
        QHash<QByteArray, int> keys;
        for (const FieldDef& def : fields()) {
            if (def.key)
                keys.insert(QByteArray(def.key), fieldIndex(def));
        }
        return keys;
    }();
    return byKey;
}

// A combo box shows the first item of its own list that the value numbers, else the value as
// if typed.
QString comboText(const FieldDef& def, const QString& value)
{
    for (const QString& item : itemList(def.items)) {
        if (numberPrefix(item) == value)
            return item;
    }
    return value;
}

// Opens path for reading if it is a plain file. By the time it is opened the name may stand for
// a pipe or a device: the open must not wait for a writer, and the type that counts is that of
// what was opened.
bool openPlainFile(QFile& file, const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
#else
    file.setFileName(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
#endif
}

} // namespace

std::optional<PluginContent> readPlugin(QByteArrayView bytes)
{
    if (bytes.size() > kMaxPluginFileSize || bytes.contains('\0'))
        return std::nullopt;
    LineReader lines(bytes);
    if (lines.atEnd() || lines.next() != QByteArrayView(kPluginMarker))
        return std::nullopt;

    std::array<std::optional<QByteArrayView>, kFieldCount> found;
    const auto& byKey = fieldsByKey();
    while (!lines.atEnd()) {
        const QByteArrayView line = lines.next();
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const auto it = byKey.constFind(QByteArray::fromRawData(line.data(), colon));
        if (it != byKey.constEnd())
            found[*it] = line.sliced(colon + 1);
    }

    PluginContent content;
    for (const FieldDef& def : fields()) {
        const std::optional<QByteArrayView>& raw = found[fieldIndex(def)];
        FieldState& state = content.fields[fieldIndex(def)];
        state.checked = def.defaultChecked;
        state.text = def.defaultString();
        if (!raw)
            continue;
        switch (def.rule) {
        case ValueRule::Text:
            state.text = fromWindows1252(*raw);
            break;
        case ValueRule::Prefix:
            state.text = comboText(def, fromWindows1252(*raw));
            break;
        case ValueRule::Check:
        case ValueRule::CheckedAndEnabled:
            state.checked = *raw == "1";
            break;
        case ValueRule::InvertedCheck:
            state.checked = *raw == "0";
            break;
        case ValueRule::BulletFrame:
        case ValueRule::None:
            break;
        }
    }

    // "ANIMSFRAME" holds the first frame of an image bullet and "-1" for a pixel bullet; an
    // image bullet with that first frame is told apart by its frames or its looping.
    const FieldDef& bulletBox = field(u"BulletBox");
    FieldState& firstFrame = content.fields[fieldIndex(field(u"FirstFrame"))];
    if (const auto& raw = found[fieldIndex(bulletBox)])
        firstFrame.text = fromWindows1252(*raw);
    content.fields[fieldIndex(bulletBox)].checked = firstFrame.text == u"-1" &&
                                                    content[u"NumFrames"].text == u"0" &&
                                                    !content[u"LoopAnim"].checked;
    return content;
}

void PluginContent::applyTo(RuleControls& controls) const
{
    const auto put = [&](QStringView name) {
        const FieldDef& def = field(name);
        if (def.kind == FieldKind::Check)
            controls.setChecked(name, (*this)[def].checked);
        else
            controls.setText(name, (*this)[def].text);
    };

    const QList<DependentGroup>& groups = dependentGroups();
    for (const FieldDef& def : vormo::fields()) {
        const QString name = QString::fromLatin1(def.name);
        const bool grouped = std::any_of(groups.begin(), groups.end(), [&](const auto& g) {
            return g.governing == name || g.governed.contains(name);
        });
        if (!grouped)
            put(name);
    }

    // Splinters and trails: a group is off only while its governing text means "none", so any
    // other text switches it on.
    for (const DependentGroup& group : groups) {
        if (group.governing == u"BulletBox")
            continue;
        controls.setText(group.governing, QStringLiteral("1"));
        for (QStringView governed : group.governed)
            put(governed);
        put(group.governing);
    }

    // The bullet: the image's fields while it shows an image, the colour while it shows a
    // pixel, then the bullet the file has.
    controls.setChecked(u"BulletBox", false);
    for (const char16_t* name : {u"FirstFrame", u"NumFrames", u"LoopAnim"})
        put(name);
    controls.setChecked(u"BulletBox", true);
    put(u"BulletColor");
    put(u"BulletBox");
}

void PluginContent::fillInto(WeaponValues& weapon) const
{
    WeaponModel model;
    applyTo(model);
    weapon = model.values();
}

std::optional<QByteArray> readPluginBytes(QIODevice& device)
{
    // One byte past the limit is enough to know the file is too long.
    QByteArray bytes(kMaxPluginFileSize + 1, Qt::Uninitialized);
    qsizetype size = 0;
    while (size < bytes.size()) {
        const qint64 got = device.read(bytes.data() + size, bytes.size() - size);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        size += got;
    }
    bytes.truncate(size);
    return bytes;
}

PluginContent loadPluginFile(const QString& path)
{
    // A NUL would end the name early and open some other file; the message shows it as given.
    if (path.contains(QChar(0)))
        throw VormoError(
            messages::cannotOpenFile(QString(path).replace(QChar(0), QStringLiteral("%00"))));
    QFile file;
    if (!openPlainFile(file, path))
        throw VormoError(messages::cannotOpenFile(path));

    const std::optional<QByteArray> bytes = readPluginBytes(file);
    if (!bytes)
        throw VormoError(messages::cannotOpenFile(path));
    std::optional<PluginContent> content = readPlugin(*bytes);
    if (!content)
        throw VormoError(messages::notAWeaponPlugin(path));

    // Such a plugin would load, but no Save could ever write it back.
    WeaponValues weapon;
    content->fillInto(weapon);
    try {
        PluginDocument().setText(buildPluginText(weapon));
    } catch (const VormoError&) {
        throw VormoError(messages::tooLargeToSave(path, PluginDocument::kCapacity));
    }
    return std::move(*content);
}

} // namespace vormo
