// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/editor/TForm1.h"

#include "CoreBridge.h"
#include "ErrorReport.h"
#include "FileCommands.h"
#include "PluginDrop.h"
#include "WindowLook.h"
#include "WindowPlacement.h"
#include "WindowRoles.h"
#include "qt/editor/FormControls.h"
#include "qt/services/Resources.h"

#include <QCloseEvent>
#include <QScreen>

namespace vormo {

TForm1* Form1 = nullptr;

namespace {
constexpr QSize kClientSize(528, 350);
}

TForm1::TForm1(QWidget* owner)
    // An ordinary top-level window, so that task bars and Alt+Tab list it; the hints ask for a
    // caption without buttons.
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vormo Weapon Editor"));
    // What the task bar shows for the program, beside the window's own caption.
    setWindowIconText(toQString(kApplicationTitle));
    setWindowIcon(programIcon());
    setFixedSize(kClientSize);
    keepNormalState(*this);
    passKeyboardWhileDisabled(*this);
    useWindowLook(*this);
    setCursor(dragMultiCursor());

    createComponents();
    connectCommands();

    onClick(NewBtn, &TForm1::NewBtnClick);
    onClick(SaveBtn, &TForm1::SaveBtnClick);
    onClick(SaveAsBtn, &TForm1::SaveAsBtnClick);
    onClick(QuitBtn, &TForm1::QuitBtnClick);
    connectRules(); // only now: the layout's own starting values run no rule

    // Qt selects a line edit's text only when Tab brings the focus; the first field gets it
    // from the window instead.
    Name->setFocus();
    Name->selectAll();

    NewBtnClick(nullptr);
    acceptPluginDrops(*this);
    centreWhenFirstShown(*this,
                         [this] { return screen() ? screen()->virtualGeometry() : QRect(); });
}

TForm1::~TForm1() = default;

void TForm1::NewBtnClick(QObject*) { newPlugin(); }

void TForm1::SaveBtnClick(QObject*)
{
    savePlugin(FormControls(*this), *SaveDialog1, WeaponDoc->document());
}

void TForm1::SaveAsBtnClick(QObject*)
{
    savePluginAs(FormControls(*this), *SaveDialog1, WeaponDoc->document());
}

void TForm1::QuitBtnClick(QObject*) { close(); }

void TForm1::BulletBoxClick(QObject*) { runRule(applyBulletAppearance); }
void TForm1::SplintCountChange(QObject*) { runRule(applySplinterRule); }
void TForm1::TrailTypeChange(QObject*) { runRule(applyObjectTrailRule); }
void TForm1::ParticleTypeChange(QObject*) { runRule(applyParticleTrailRule); }

void TForm1::runRule(void (*rule)(RuleControls&, PutAsideValues&))
{
    FormControls controls(*this);
    rule(controls, putAsideValues());
}

void TForm1::connectRules()
{
    // Every change counts: typed, pasted, undone, picked from a list, or set by a program.
    connect(BulletBox, &QCheckBox::toggled, this,
            [this] { guarded([this] { BulletBoxClick(BulletBox); }); });
    connect(SplintCount, &QLineEdit::textChanged, this,
            [this] { guarded([this] { SplintCountChange(SplintCount); }); });
    connect(TrailType, &QComboBox::editTextChanged, this,
            [this] { guarded([this] { TrailTypeChange(TrailType); }); });
    connect(ParticleType, &QComboBox::editTextChanged, this,
            [this] { guarded([this] { ParticleTypeChange(ParticleType); }); });
}

void TForm1::showEvent(QShowEvent* event)
{
    // A plugin opened before the first showing has replaced Name's text, and its selection.
    if (!shownBefore_ && focusWidget() == Name)
        Name->selectAll();
    shownBefore_ = true;
    QWidget::showEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void TForm1::onClick(QPushButton* button, void (TForm1::*handler)(QObject*))
{
    connect(button, &QPushButton::clicked, this,
            [this, button, handler] { guarded([&] { (this->*handler)(button); }); });
}

} // namespace vormo
