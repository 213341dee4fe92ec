// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How the desktop treats the program's windows: fixed-size windows that never go maximised or
// full screen, and secondary windows that stay over the window they belong to.

class QWidget;

namespace vormo {

// Answers every request to maximise the fixed-size top-level window, or to show it full
// screen, by putting it back to its normal state at once: from the title bar Qt draws itself
// (Wayland), from the window manager's buttons or keys, or from the program.
void keepNormalState(QWidget& window);

// Makes the top-level secondary window transient for owner's window, so that the desktop keeps
// it above that window and gives it no task-bar entry of its own, without making it a child
// widget (which would be disabled along with owner). No owner: the active window, or the one
// active last.
void belongTo(QWidget& secondary, QWidget* owner = nullptr);

// Raises the top-level window and asks for the keyboard for it. Not while the window that had the
// keyboard is already gone (a pop-up menu just closed): Qt 6.4 on Wayland crashes asking then.
void bringToFront(QWidget& window);

// While window is disabled, a click on it that gives it the keyboard hands the keyboard on to
// the shown window that belongs to it, the way a modal box keeps it.
void passKeyboardWhileDisabled(QWidget& window);

// Starts following the active window, so that lastActiveWindow() knows one from the first
// window on, even while a pop-up menu holds the keyboard.
void followActiveWindow();

// The window that had the keyboard last, while it is still shown: the active window or, while
// none is (a dialog just closed), the one active before.
QWidget* lastActiveWindow();

// Gives the keyboard back to the window once a dialog over it has closed, unless another window
// of the program has taken it: a window manager may pick any, even a disabled one.
void reactivate(QWidget* window);

} // namespace vormo
