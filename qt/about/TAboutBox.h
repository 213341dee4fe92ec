// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The about box: names the program and its version, and hides one extra: double-clicking the
// program icon saves it as an icon file. Created hidden at start-up and reused every time
// About is chosen. It is a window of its own, not the editor's child, so it stays usable while
// the editor is disabled.

#include "SaveDialog.h"

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QPushButton;

namespace vormo {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner = nullptr);
    ~TAboutBox() override;

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Notice;
    QLabel* Comments;
    QPushButton* OKButton;
    std::unique_ptr<SaveDialog> IconSaveDlg;

    void OKButtonClick(QObject* Sender);
    void ProgramIconDblClick(QObject* Sender);

protected:
    void showEvent(QShowEvent* event) override;
    // The box has no close button, but a window manager may close it anyway: that counts as
    // OK, so the editor is never left disabled behind a hidden about box.
    void closeEvent(QCloseEvent* event) override;
    // Escape does nothing: only OK takes the about box away.
    void reject() override;
};

// The about box, hidden until shown; closing it only hides it.
extern TAboutBox* AboutBox;

} // namespace vormo
