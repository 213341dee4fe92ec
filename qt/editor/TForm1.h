// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The editor window: the 47 value fields with their labels, the button panel, the hidden
// document, the save dialog and the pop-up menu. The weapon's values live in the fields
// themselves.

#include "Controls.h"
#include "DependentRules.h"
#include "DocumentControl.h"
#include "SaveDialog.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <memory>

namespace vormo {

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* owner = nullptr);
    ~TForm1() override;

    HintLabel* Label1;
    EditBox* Name;
    HintLabel* Label2;
    EditBox* Dist;
    HintLabel* Label3;
    EditBox* NumFire;
    HintLabel* Label4;
    HintLabel* Label5;
    EditBox* PlsAcc;
    HintLabel* Label6;
    EditBox* MultAcc;
    HintLabel* Label7;
    EditBox* Recoil;
    HintLabel* Label8;
    EditBox* HitFrc;
    HintLabel* Label9;
    EditBox* MltBnce;
    HintLabel* Label10;
    EditBox* Damage;
    HintLabel* Label11;
    HintLabel* Label12;
    EditBox* DetTim;
    HintLabel* Label13;
    EditBox* DetVar;
    HintLabel* Label14;
    EditBox* WrmRng;
    HintLabel* Label15;
    HintLabel* Label16;
    HintLabel* Label17;
    HintLabel* Label18;
    EditBox* Blood;
    HintLabel* Label19;
    HintLabel* Label20;
    HintLabel* Label21;
    HintLabel* Label22;
    EditBox* Grav;
    HintLabel* Label23;
    EditBox* LoadTime;
    HintLabel* Label24;
    EditBox* ShotsPer;
    HintLabel* Label25;
    EditBox* Delay;
    HintLabel* Label26;
    HintLabel* Label27;
    HintLabel* Label28;
    EditBox* FireCone;
    HintLabel* Label29;
    HintLabel* Label30;
    HintLabel* Label31;
    HintLabel* Label32;
    HintLabel* Label33;
    EditBox* TrailDelay;
    HintLabel* Label34;
    HintLabel* Label35;
    HintLabel* Label36;
    HintLabel* Label37;
    HintLabel* Label38;
    HintLabel* Label39;
    HintLabel* Label40;
    EditBox* BulletColor;
    HintLabel* Label41;
    EditBox* FirstFrame;
    HintLabel* Label42;
    EditBox* NumFrames;
    HintLabel* Label43;
    CheckBox* RemOnHit;
    ComboBox* DetType;
    ComboBox* DropShells;
    ComboBox* EffectOnMap;
    ComboBox* SplinterType;
    ComboBox* TrailType;
    ComboBox* ParticleType;
    ComboBox* FireSnd;
    ComboBox* BulletType;
    CheckBox* LoopAnim;
    CheckBox* DetOnGrnd;
    CheckBox* DetOnWrm;
    CheckBox* HitObjs;
    CheckBox* DetsAffect;
    CheckBox* WrmAffects;
    CheckBox* SightOn;
    CheckBox* ReptFire;
    CheckBox* Scatter;
    CheckBox* LarpaTrail;
    EditBox* Spd;
    std::unique_ptr<SaveDialog> SaveDialog1;
    DocumentControl* WeaponDoc;
    HintLabel* Label44;
    EditBox* SplintCount;
    HintLabel* Label45;
    EditBox* SplintCol;
    QFrame* Panel4;
    QFrame* Panel5;
    QPushButton* SaveBtn;
    QPushButton* QuitBtn;
    QPushButton* SaveAsBtn;
    HintLabel* Label46;
    CheckBox* BulletBox;
    ComboBox* DetSnd;
    HintLabel* Label47;
    EditBox* PartDelay;
    QPushButton* NewBtn;
    QMenu* PopupMenu1;
    QAction* New1;
    QAction* Save1;
    QAction* Quit1;
    HintLabel* Label48;
    HintLabel* Label49;
    QAction* About1;

    // FormCommands.cpp: the pop-up menu and the window's own commands.
    void New1Click(QObject* Sender);
    void Save1Click(QObject* Sender);
    void Quit1Click(QObject* Sender);
    void About1Click(QObject* Sender);
    void Label39DblClick(QObject* Sender);
    // X, Y and MousePos are in client coordinates; a request from the keyboard has (-1, -1).
    void FormMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                       int Y);
    void FormContextPopup(QObject* Sender, QPoint MousePos, bool& Handled);

    void NewBtnClick(QObject* Sender);
    void SaveBtnClick(QObject* Sender);
    void SaveAsBtnClick(QObject* Sender);
    void QuitBtnClick(QObject* Sender);

    // The dependent-field rules, run on every change of their governing field.
    void BulletBoxClick(QObject* Sender);
    void SplintCountChange(QObject* Sender);
    void TrailTypeChange(QObject* Sender);
    void ParticleTypeChange(QObject* Sender);

signals:
    // The window was closed, by Quit or by the window manager.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // FormLayout.cpp: the components, built from the field table.
    void createComponents();
    void createButtonPanel();
    void bindComponents();
    void linkLabelsToFields();
    void chainTabOrder();
    template <typename T> T* component(const char* name) const;

    void onClick(QPushButton* button, void (TForm1::*handler)(QObject*));
    void connectRules();
    void runRule(void (*rule)(RuleControls&, PutAsideValues&));

    // FormCommands.cpp
    void connectCommands();
    // Opens PopupMenu1 with its top-left corner at screenPoint; the picked item runs later.
    void popUpMenu(const QPoint& screenPoint);
    // The screen point of the window's outer top-left corner, its frame included.
    QPoint frameCorner() const;
    // Whether a press at clientPoint lands on no enabled control.
    bool isOwnSurface(const QPoint& clientPoint) const;
    QPointer<QWidget> focusBeforeAbout_;
    bool shownBefore_ = false;
};

// The editor window, the program's main window: closing it ends the event loop.
extern TForm1* Form1;

} // namespace vormo
