// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Shared by the test suites: files, weapons written as edit lists, and a save
// dialog whose answers a test scripts in advance. The file and weapon helpers
// are inline so that suites which link only the weapon library can use them
// too.

#include "Errors.h"
#include "SaveDialog.h"
#include "WeaponValues.h"

#include <QFile>
#include <QStringList>

#include <stdexcept>

#include <dlfcn.h>

namespace vormo::test {

// libfiu's control, there when fiu_posix_preload.so is preloaded (ctest does): the next call
// a point names fails with the errno given as failinfo (flags 1: FIU_ONETIME).
using FiuEnable = int (*)(const char* name, int failnum, void* failinfo, unsigned flags);
inline const auto fiuEnable = reinterpret_cast<FiuEnable>(dlsym(RTLD_DEFAULT, "fiu_enable"));

// A file's bytes; empty when it cannot be read.
inline QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Fixtures live in tests/data, or where VORMO_TEST_DATA points when a test runs
// elsewhere.
inline QByteArray fixture(const char* name)
{
    const QString dir = qEnvironmentVariable("VORMO_TEST_DATA", QStringLiteral(VORMO_TEST_DATA));
    const QString path = dir + u'/' + QLatin1StringView(name);
    if (!QFile::exists(path))
        throw std::runtime_error(std::string("missing fixture ") + name);
    return contents(path);
}

// The message of the VormoError a command raises, or an empty string.
template <typename Command> QString errorOf(Command&& command)
{
    try {
        command();
    } catch (const VormoError& error) {
        return error.message();
    }
    return {};
}

// A fresh weapon with edits: "Field=text"; "+Field" / "-Field" checks /
// unchecks a box;
// "*Field" / "~Field" enables / disables a field.
inline WeaponValues edited(const QStringList& edits)
{
    WeaponValues weapon;
    for (const QString& edit : edits) {
        const QChar op = edit.front();
        if (op == u'+' || op == u'-')
            weapon.setChecked(edit.mid(1), op == u'+');
        else if (op == u'*' || op == u'~')
            weapon.setEnabled(edit.mid(1), op == u'*');
        else
            weapon.setText(edit.section(u'=', 0, 0), edit.section(u'=', 1));
    }
    return weapon;
}

// Every field but the bullet's changed to a value of its own, all groups in
// use.
inline const QStringList kEveryFieldEdited =
    QStringLiteral("Name=Flammenwerfer: Mk 2 \u00dc\u20ac;Dist= "
                   "11;NumFire=12;Spd=13;PlsAcc=14;MultAcc=15;"
                   "Recoil=16;HitFrc=17;MltBnce=18;Damage=19;DetTim=20;DetVar=21 "
                   ";WrmRng=22;Blood=23;Grav=24;"
                   "LoadTime=25;ShotsPer=26;Delay=27;FireCone=28;SplintCount=29;SplintCol="
                   "30;TrailDelay=31;"
                   "PartDelay=32;DetType=1:Large "
                   "Explosion;DropShells=2:Usually;EffectOnMap=3:Small hole;"
                   "SplinterType=4:Light-damage particles;TrailType=5:Zimm flash;"
                   "ParticleType=6:Heavy-damage "
                   "particles;FireSnd=7:LARPA;DetSnd=8:EXP3A;BulletType=09x;"
                   "+RemOnHit;+DetOnWrm;+HitObjs;+WrmAffects;+LarpaTrail;-Scatter")
        .split(u';');
inline const QStringList kImageBullet{"-BulletBox", "FirstFrame=34", "NumFrames=35", "+LoopAnim",
                                      "*LoopAnim"};

// Its plugin is tests/data/edited.vwp.
inline WeaponValues editedWeapon()
{
    return edited(kEveryFieldEdited + QStringList{"BulletColor=33"} + kImageBullet);
}

// "title | name pattern, ... | filter index | extension | folder | file name |
// replace? create?"
inline QString describe(const SaveDialogSettings& settings)
{
    QStringList filters;
    for (const FileTypeFilter& filter : settings.filters)
        filters << filter.name + u' ' + filter.pattern;
    QStringList parts{settings.title, filters.join(u", "), QString::number(settings.filterIndex)};
    parts << settings.defaultExt << settings.initialDir << settings.fileName
          << (settings.confirmOverwrite ? "replace?" : "replace")
          << (settings.confirmCreate ? "create?" : "create");
    return parts.join(u" | ");
}

class ScriptedSaveDialog final : public SaveDialogRunner {
public:
    ScriptedSaveDialog() { SaveDialog::setDefaultRunner(this); }
    ~ScriptedSaveDialog() override { SaveDialog::setDefaultRunner(nullptr); }

    void accept(const QString& path, int filter = 1) { answers_.append({{path, filter}}); }
    void cancel() { answers_.append(std::nullopt); }

    // The settings of every run so far, in order.
    const QList<SaveDialogSettings>& runs() const { return runs_; }

    std::optional<SaveDialogAnswer> run(const SaveDialogSettings& settings) override
    {
        runs_.append(settings);
        if (answers_.isEmpty())
            throw std::logic_error("save dialog shown but no answer was scripted");
        return answers_.takeFirst();
    }

private:
    QList<std::optional<SaveDialogAnswer>> answers_;
    QList<SaveDialogSettings> runs_;
};

} // namespace vormo::test
