// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Shared by every suite, with or without Qt: files and fixtures, weapons written as edit
// lists, the message a command fails with, and a save dialog whose answers a test scripts in
// advance.

#include "Errors.h"
#include "SaveDialog.h"
#include "WeaponValues.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vormo::test {

// A file's bytes; empty when it cannot be read.
inline std::string contents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out.flush());
}

inline std::string fixture(const char* name)
{
    if (std::string bytes = contents(std::filesystem::path(VORMO_TEST_DATA) / name); !bytes.empty())
        return bytes;
    throw std::runtime_error(std::string("no fixture ") + name);
}

inline std::vector<std::u16string> split(std::u16string_view text, char16_t separator)
{
    std::vector<std::u16string> parts;
    for (std::size_t at = 0, end = 0; end != text.npos; at = end + 1)
        parts.emplace_back(text.substr(at, (end = text.find(separator, at)) - at));
    return parts;
}

// The message of the VormoError a command raises, or an empty string.
template <typename Command> std::u16string errorOf(Command&& command)
{
    try {
        command();
    } catch (const VormoError& error) {
        return error.message();
    }
    return {};
}

// Edits separated by ";", in order: "Field=text"; "+Field" / "-Field" checks / unchecks a box;
// "*Field" / "~Field" enables / disables a field.
template <typename Weapon> void applyEdits(Weapon& weapon, std::u16string_view edits)
{
    for (const std::u16string& edit : split(edits, u';')) {
        if (edit.empty())
            continue;
        const char16_t op = edit.front();
        const std::u16string name = edit.substr(1);
        if (op == u'+' || op == u'-')
            weapon.setChecked(name, op == u'+');
        else if (op == u'*' || op == u'~')
            weapon.setEnabled(name, op == u'*');
        else
            weapon.setText(edit.substr(0, edit.find(u'=')), edit.substr(edit.find(u'=') + 1));
    }
}

inline WeaponValues edited(std::u16string_view edits)
{
    WeaponValues weapon;
    applyEdits(weapon, edits);
    return weapon;
}

// Every field but the bullet's changed to a value of its own, all groups in use.
inline const std::u16string kEveryFieldEdited =
    u"Name=Flammenwerfer: Mk 2 \u00dc\u20ac;Dist= 11;NumFire=12;Spd=13;PlsAcc=14;MultAcc=15;"
    u"Recoil=16;HitFrc=17;MltBnce=18;Damage=19;DetTim=20;DetVar=21 ;WrmRng=22;Blood=23;Grav=24;"
    u"LoadTime=25;ShotsPer=26;Delay=27;FireCone=28;SplintCount=29;SplintCol=30;TrailDelay=31;"
    u"PartDelay=32;DetType=1:Large Explosion;DropShells=2:Usually;EffectOnMap=3:Small hole;"
    u"SplinterType=4:Light-damage particles;TrailType=5:Zimm flash;"
    u"ParticleType=6:Heavy-damage particles;FireSnd=7:LARPA;DetSnd=8:EXP3A;BulletType=09x;"
    u"+RemOnHit;+DetOnWrm;+HitObjs;+WrmAffects;+LarpaTrail;-Scatter;";
inline const std::u16string kImageBullet =
    u"-BulletBox;FirstFrame=34;NumFrames=35;+LoopAnim;*LoopAnim;";

// Its plugin is tests/data/edited.vwp.
inline WeaponValues editedWeapon()
{
    return edited(kEveryFieldEdited + u"BulletColor=33;" + kImageBullet);
}

class ScriptedSaveDialog final : public SaveDialogRunner {
public:
    ScriptedSaveDialog() { SaveDialog::setDefaultRunner(this); }
    ~ScriptedSaveDialog() override { SaveDialog::setDefaultRunner(nullptr); }

    void accept(const std::filesystem::path& path, int filter = 1)
    {
        answers_.push_back({{path, filter}});
    }
    void cancel() { answers_.push_back(std::nullopt); }

    // The settings of every run so far, in order.
    const std::vector<SaveDialogSettings>& runs() const { return runs_; }

    std::optional<SaveDialogAnswer> run(const SaveDialogSettings& settings) override
    {
        runs_.push_back(settings);
        if (answers_.empty())
            throw std::logic_error("save dialog shown but no answer was scripted");
        const auto answer = answers_.front();
        return answers_.pop_front(), answer;
    }

private:
    std::deque<std::optional<SaveDialogAnswer>> answers_;
    std::vector<SaveDialogSettings> runs_;
};

} // namespace vormo::test
