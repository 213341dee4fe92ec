#include "TestSupport.h"

#include <QFile>

#include <stdexcept>

namespace vormo::test {

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(VORMO_TEST_DATA "/") + QLatin1StringView(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("missing fixture ") + name);
    return file.readAll();
}

WeaponValues editedWeapon()
{
    WeaponValues w;
    const std::pair<const char16_t*, const char16_t*> texts[] = {
        {u"Name", u"Flammenwerfer: Mk 2 \u00dc\u20ac"},
        {u"Dist", u" 11"},
        {u"NumFire", u"12"},
        {u"Spd", u"13"},
        {u"PlsAcc", u"14"},
        {u"MultAcc", u"15"},
        {u"Recoil", u"16"},
        {u"HitFrc", u"17"},
        {u"MltBnce", u"18"},
        {u"Damage", u"19"},
        {u"DetTim", u"20"},
        {u"DetVar", u"21 "},
        {u"WrmRng", u"22"},
        {u"Blood", u"23"},
        {u"Grav", u"24"},
        {u"LoadTime", u"25"},
        {u"ShotsPer", u"26"},
        {u"Delay", u"27"},
        {u"FireCone", u"28"},
        {u"SplintCount", u"29"},
        {u"SplintCol", u"30"},
        {u"TrailDelay", u"31"},
        {u"PartDelay", u"32"},
        {u"BulletColor", u"33"},
        {u"FirstFrame", u"34"},
        {u"NumFrames", u"35"},
        {u"DetType", u"1:Large Explosion"},
        {u"DropShells", u"2:Usually"},
        {u"EffectOnMap", u"3:Small hole"},
        {u"SplinterType", u"4:Light-damage particles"},
        {u"TrailType", u"5:Zimm flash"},
        {u"ParticleType", u"6:Heavy-damage particles"},
        {u"FireSnd", u"7:LARPA"},
        {u"DetSnd", u"8:EXP3A"},
        {u"BulletType", u"09x"},
    };
    for (const auto& [name, text] : texts)
        w.setText(QStringView(name), QString::fromUtf16(text));
    for (const char16_t* name :
         {u"RemOnHit", u"DetOnWrm", u"HitObjs", u"WrmAffects", u"LarpaTrail", u"LoopAnim"})
        w.setChecked(QStringView(name), true);
    w.setChecked(u"Scatter", false);
    w.setChecked(u"BulletBox", false);
    w.setEnabled(u"LoopAnim", true);
    return w;
}

std::optional<SaveDialogAnswer> ScriptedSaveDialog::run(const SaveDialogSettings& settings)
{
    runs_.append(settings);
    if (answers_.isEmpty())
        throw std::logic_error("save dialog shown but no answer was scripted");
    return answers_.takeFirst();
}

} // namespace vormo::test
