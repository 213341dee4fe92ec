// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The editor window's components, built from the field table: every field and label at its
// place, with its default, starting state and hint, then the button panel, the hidden
// document, the save dialog and the pop-up menu.

#include "qt/editor/TForm1.h"

#include "CoreBridge.h"
#include "FieldTable.h"
#include "FileCommands.h"
#include "ItemLists.h"
#include "WindowLook.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPushButton>

#include <stdexcept>
#include <type_traits>

namespace vormo {
namespace {

constexpr QRect kPanel4(400, 120, 121, 225);
constexpr QRect kPanel5(32, 8, 65, 209); // inside Panel4
constexpr int kButtonX = 8;              // inside Panel5
constexpr int kFirstButtonY = 8;
constexpr int kButtonSize = 49;
constexpr int kButtonStep = 48; // neighbours share one pixel row
constexpr QRect kWeaponDoc(496, 304, 25, 25);
constexpr int kLabelHeight = 13;

QWidget* createField(const FieldDef& def, QWidget* form)
{
    QWidget* control = nullptr;
    switch (def.kind) {
    case FieldKind::Edit: {
        auto* edit = new EditBox(form);
        edit->setText(toQString(def.defaultString()));
        control = edit;
        break;
    }
    case FieldKind::Combo: {
        auto* combo = new ComboBox(form);
        combo->addItems(toQStringList(itemList(def.items)));
        const int item = combo->findText(toQString(def.defaultString()),
                                         Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (item >= 0)
            combo->setCurrentIndex(item);
        else
            combo->setEditText(toQString(def.defaultString()));
        control = combo;
        break;
    }
    case FieldKind::Check: {
        auto* check = new CheckBox(form);
        check->setChecked(def.defaultChecked);
        control = check;
        break;
    }
    }
    control->setObjectName(QLatin1StringView(def.name));
    control->setGeometry(toQRect(def.geometry));
    control->setEnabled(def.enabledAtStart);
    return control;
}

HintLabel* createLabel(const LabelDef& def, QWidget* form)
{
    auto* label = new HintLabel(form);
    label->setObjectName(QLatin1StringView(def.name));
    label->setTextFormat(Qt::PlainText);
    label->setText(QLatin1StringView(def.caption));
    if (def.bold)
        label->setFont(boldEditorFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // As wide as the caption in the font at hand; the font is chosen so that this never
    // reaches into the next control.
    const int width = label->fontMetrics().horizontalAdvance(label->text());
    label->setGeometry(def.geometry.left, def.geometry.top, width, kLabelHeight);
    label->setHint(def.hint ? QString::fromLatin1(def.hint) : QString());
    label->setShowHint(def.hintShownAtStart);
    label->setEnabled(def.enabledAtStart);
    return label;
}

QFrame* createPanel(const char* name, const QRect& geometry, QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1StringView(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setGeometry(geometry);
    return panel;
}

} // namespace

void TForm1::createComponents()
{
    for (const FieldDef& def : fields())
        createField(def, this);
    for (const LabelDef& def : labels())
        createLabel(def, this);

    auto* doc = new DocumentControl(this);
    doc->setObjectName(QStringLiteral("WeaponDoc"));
    doc->setGeometry(kWeaponDoc);

    createButtonPanel();

    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    for (const auto& [name, caption] :
         {std::pair{"New1", "&New"}, std::pair{"Save1", "&Save"}, std::pair{"Quit1", "&Quit"},
          std::pair{"About1", "&About"}}) {
        QAction* item = menu->addAction(QString::fromLatin1(caption));
        item->setObjectName(QLatin1StringView(name));
    }

    SaveDialog1 = std::make_unique<SaveDialog>(pluginSaveDialogSettings());

    bindComponents();
    linkLabelsToFields();
    chainTabOrder();
}

void TForm1::createButtonPanel()
{
    QFrame* outer = createPanel("Panel4", kPanel4, this);
    outer->setCursor(Qt::ArrowCursor);
    QFrame* inner = createPanel("Panel5", kPanel5, outer);
    // Stacked in this order, each later button over the one it overlaps.
    struct Button {
        const char* name;
        const char* caption;
        int fromTop;
    };
    for (const Button& b : {Button{"SaveBtn", "Save", 1}, Button{"QuitBtn", "Quit", 3},
                            Button{"SaveAsBtn", "Save As", 2}, Button{"NewBtn", "New", 0}}) {
        auto* button = new QPushButton(QString::fromLatin1(b.caption), inner);
        button->setObjectName(QLatin1StringView(b.name));
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setGeometry(kButtonX, kFirstButtonY + kButtonStep * b.fromTop, kButtonSize,
                            kButtonSize);
    }
}

template <typename T> T* TForm1::component(const char* name) const
{
    T* found = findChild<T*>(QLatin1StringView(name));
    if (!found)
        throw std::logic_error(std::string("Form1 has no component ") + name);
    return found;
}

#define VORMO_BIND(member) member = component<std::remove_pointer_t<decltype(member)>>(#member)

void TForm1::bindComponents()
{
    VORMO_BIND(Label1);
    VORMO_BIND(Name);
    VORMO_BIND(Label2);
    VORMO_BIND(Dist);
    VORMO_BIND(Label3);
    VORMO_BIND(NumFire);
    VORMO_BIND(Label4);
    VORMO_BIND(Label5);
    VORMO_BIND(PlsAcc);
    VORMO_BIND(Label6);
    VORMO_BIND(MultAcc);
    VORMO_BIND(Label7);
    VORMO_BIND(Recoil);
    VORMO_BIND(Label8);
    VORMO_BIND(HitFrc);
    VORMO_BIND(Label9);
    VORMO_BIND(MltBnce);
    VORMO_BIND(Label10);
    VORMO_BIND(Damage);
    VORMO_BIND(Label11);
    VORMO_BIND(Label12);
    VORMO_BIND(DetTim);
    VORMO_BIND(Label13);
    VORMO_BIND(DetVar);
    VORMO_BIND(Label14);
    VORMO_BIND(WrmRng);
    VORMO_BIND(Label15);
    VORMO_BIND(Label16);
    VORMO_BIND(Label17);
    VORMO_BIND(Label18);
    VORMO_BIND(Blood);
    VORMO_BIND(Label19);
    VORMO_BIND(Label20);
    VORMO_BIND(Label21);
    VORMO_BIND(Label22);
    VORMO_BIND(Grav);
    VORMO_BIND(Label23);
    VORMO_BIND(LoadTime);
    VORMO_BIND(Label24);
    VORMO_BIND(ShotsPer);
    VORMO_BIND(Label25);
    VORMO_BIND(Delay);
    VORMO_BIND(Label26);
    VORMO_BIND(Label27);
    VORMO_BIND(Label28);
    VORMO_BIND(FireCone);
    VORMO_BIND(Label29);
    VORMO_BIND(Label30);
    VORMO_BIND(Label31);
    VORMO_BIND(Label32);
    VORMO_BIND(Label33);
    VORMO_BIND(TrailDelay);
    VORMO_BIND(Label34);
    VORMO_BIND(Label35);
    VORMO_BIND(Label36);
    VORMO_BIND(Label37);
    VORMO_BIND(Label38);
    VORMO_BIND(Label39);
    VORMO_BIND(Label40);
    VORMO_BIND(BulletColor);
    VORMO_BIND(Label41);
    VORMO_BIND(FirstFrame);
    VORMO_BIND(Label42);
    VORMO_BIND(NumFrames);
    VORMO_BIND(Label43);
    VORMO_BIND(RemOnHit);
    VORMO_BIND(DetType);
    VORMO_BIND(DropShells);
    VORMO_BIND(EffectOnMap);
    VORMO_BIND(SplinterType);
    VORMO_BIND(TrailType);
    VORMO_BIND(ParticleType);
    VORMO_BIND(FireSnd);
    VORMO_BIND(BulletType);
    VORMO_BIND(LoopAnim);
    VORMO_BIND(DetOnGrnd);
    VORMO_BIND(DetOnWrm);
    VORMO_BIND(HitObjs);
    VORMO_BIND(DetsAffect);
    VORMO_BIND(WrmAffects);
    VORMO_BIND(SightOn);
    VORMO_BIND(ReptFire);
    VORMO_BIND(Scatter);
    VORMO_BIND(LarpaTrail);
    VORMO_BIND(Spd);
    VORMO_BIND(WeaponDoc);
    VORMO_BIND(Label44);
    VORMO_BIND(SplintCount);
    VORMO_BIND(Label45);
    VORMO_BIND(SplintCol);
    VORMO_BIND(Panel4);
    VORMO_BIND(Panel5);
    VORMO_BIND(SaveBtn);
    VORMO_BIND(QuitBtn);
    VORMO_BIND(SaveAsBtn);
    VORMO_BIND(Label46);
    VORMO_BIND(BulletBox);
    VORMO_BIND(DetSnd);
    VORMO_BIND(Label47);
    VORMO_BIND(PartDelay);
    VORMO_BIND(NewBtn);
    VORMO_BIND(PopupMenu1);
    VORMO_BIND(New1);
    VORMO_BIND(Save1);
    VORMO_BIND(Quit1);
    VORMO_BIND(Label48);
    VORMO_BIND(Label49);
    VORMO_BIND(About1);
}

#undef VORMO_BIND

void TForm1::linkLabelsToFields()
{
    // The labels are the fields' only captions: screen readers name each field by them.
    for (const FieldDef& field : fields()) {
        auto* control = component<QWidget>(field.name);
        QStringList captions;
        for (const LabelDef& def : labels()) {
            if (qstrcmp(def.field, field.name) != 0)
                continue;
            component<QLabel>(def.name)->setBuddy(control);
            captions.append(QLatin1StringView(def.caption));
        }
        control->setAccessibleName(captions.join(u' '));
    }
}

void TForm1::chainTabOrder()
{
    QWidget* previous = nullptr;
    auto chain = [&](QWidget* next) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    };
    for (const FieldDef& def : fields())
        chain(component<QWidget>(def.name));
    for (QWidget* button : {NewBtn, SaveBtn, SaveAsBtn, QuitBtn})
        chain(button);
}

} // namespace vormo
