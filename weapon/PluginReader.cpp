// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PluginReader.h"

#include "DependentRules.h"
#include "Errors.h"
#include "NumberPrefix.h"
#include "PluginDocument.h"
#include "PluginWriter.h"
#include "Text.h"
#include "WeaponModel.h"
#include "WeaponValues.h"
#include "Windows1252.h"

#include <algorithm>
#include <map>

#ifdef _WIN32
#include "Win32Files.h"
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vormo {
namespace {

// Cuts lines at CR LF, a lone LF or a lone CR, the way the editor's document does.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }

    std::string_view next()
    {
        const std::size_t start = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != '\r' && bytes_[pos_] != '\n')
            ++pos_;
        const std::string_view line = bytes_.substr(start, pos_ - start);
        if (pos_ < bytes_.size() && bytes_[pos_] == '\r')
            ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n')
            ++pos_;
        return line;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Plugin key to field index, for the 46 fields that have a line of their own.
const std::map<std::string_view, int>& fieldsByKey()
{
    static const std::map<std::string_view, int> byKey = [] {
        std::map<std::string_view, int> keys;
        for (const FieldDef& def : fields()) {
            if (def.key)
                keys.emplace(def.key, fieldIndex(def));
        }
        return keys;
    }();
    return byKey;
}

// A combo box shows the first item of its own list that the value numbers, else the value as
// if typed.
std::u16string comboText(const FieldDef& def, const std::u16string& value)
{
    for (const std::u16string& item : itemList(def.items)) {
        if (numberPrefix(item) == value)
            return item;
    }
    return value;
}

#ifdef _WIN32

// Only a file on disk is read; a name that stands for a folder does not open at all.
std::optional<std::string> readPlainFile(const std::filesystem::path& path, std::size_t limit)
{
    const HANDLE file = ::CreateFileW(winfile::systemPath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<std::string> bytes;
    if (::GetFileType(file) == FILE_TYPE_DISK) {
        std::string buffer(limit, '\0');
        std::size_t size = 0;
        bool ok = true;
        while (size < limit) {
            DWORD got = 0;
            if (!::ReadFile(file, buffer.data() + size, static_cast<DWORD>(limit - size), &got,
                            nullptr)) {
                ok = false;
                break;
            }
            if (got == 0)
                break;
            size += got;
        }
        if (ok) {
            buffer.resize(size);
            bytes = std::move(buffer);
        }
    }
    ::CloseHandle(file);
    return bytes;
}

#else

// By the time the name is opened it may stand for a pipe or a device: the open must not wait
// for a writer, and the type that counts is that of what was opened.
std::optional<std::string> readPlainFile(const std::filesystem::path& path, std::size_t limit)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> bytes;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        std::string buffer(limit, '\0');
        std::size_t size = 0;
        bool ok = true;
        while (size < limit) {
            const ssize_t got = ::read(fd, buffer.data() + size, limit - size);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                ok = false;
                break;
            }
            if (got == 0)
                break;
            size += static_cast<std::size_t>(got);
        }
        if (ok) {
            buffer.resize(size);
            bytes = std::move(buffer);
        }
    }
    ::close(fd);
    return bytes;
}

#endif

} // namespace

std::optional<PluginContent> readPlugin(std::string_view bytes)
{
    if (bytes.size() > kMaxPluginFileSize || bytes.find('\0') != std::string_view::npos)
        return std::nullopt;
    LineReader lines(bytes);
    if (lines.atEnd() || lines.next() != std::string_view(kPluginMarker))
        return std::nullopt;

    std::array<std::optional<std::string_view>, kFieldCount> found;
    const auto& byKey = fieldsByKey();
    while (!lines.atEnd()) {
        const std::string_view line = lines.next();
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const auto it = byKey.find(line.substr(0, colon));
        if (it != byKey.end())
            found[it->second] = line.substr(colon + 1);
    }

    PluginContent content;
    for (const FieldDef& def : fields()) {
        const std::optional<std::string_view>& raw = found[fieldIndex(def)];
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
    const auto put = [&](std::u16string_view name) {
        const FieldDef& def = field(name);
        if (def.kind == FieldKind::Check)
            controls.setChecked(name, (*this)[def].checked);
        else
            controls.setText(name, (*this)[def].text);
    };

    const std::vector<DependentGroup>& groups = dependentGroups();
    for (const FieldDef& def : vormo::fields()) {
        const std::u16string name = ascii(def.name);
        const bool grouped = std::any_of(groups.begin(), groups.end(), [&](const auto& g) {
            return g.governing == name ||
                   std::find(g.governed.begin(), g.governed.end(), name) != g.governed.end();
        });
        if (!grouped)
            put(name);
    }

    // Splinters and trails: a group is off only while its governing text means "none", so any
    // other text switches it on.
    for (const DependentGroup& group : groups) {
        if (group.governing == u"BulletBox")
            continue;
        controls.setText(group.governing, u"1");
        for (std::u16string_view governed : group.governed)
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

std::optional<std::string> readPluginBytes(const std::filesystem::path& path)
{
    // One byte past the limit is enough to know the file is too long.
    return readPlainFile(path, kMaxPluginFileSize + 1);
}

PluginContent loadPluginFile(const std::filesystem::path& path)
{
    // A NUL would end the name early and open some other file; the message shows it as given.
    using Name = std::filesystem::path::string_type;
    if (const Name& name = path.native(); name.find(Name::value_type(0)) != Name::npos) {
        Name shown;
        for (const auto c : name) {
            if (c == 0)
                shown += {'%', '0', '0'};
            else
                shown += c;
        }
        throw VormoError(messages::cannotOpenFile(shown));
    }
    const std::optional<std::string> bytes = readPluginBytes(path);
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
