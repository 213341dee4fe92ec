// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The editor window's own kinds of control. Edit and combo boxes are single-line the way the
// desktop this program comes from has them: a line break never enters their text, so a
// field can never inject a line into a plugin. Labels carry the hints and decide by their
// hint flag whether the hint shows.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

namespace vormo {

// Cuts whatever was just inserted at its first line break (CR or LF), keeping the text around
// it: pasting "a\nb" inserts "a". Every change of a line edit's text passes through its
// validator, typing, pasting, dropping and setText alike.
class LineBreakFilter final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;

private:
    mutable QString accepted_; // the text as it stood before the change being validated
};

class EditBox final : public QLineEdit {
    Q_OBJECT
public:
    explicit EditBox(QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Qt gives the focus before it delivers the press that brought it: the press then says
    // which button it was.
    bool focusedByPress_ = false;
    Qt::MouseButton swallowedRelease_ = Qt::NoButton;
};

// A drop-down combo box that shows the start of its text, where the number that goes into the
// plugin stands, whenever it does not have the focus, and whose open list shows every item
// whole.
class ComboBox final : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent);

    void showPopup() override;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showStart();
};

class HintLabel final : public QLabel {
    Q_OBJECT
public:
    explicit HintLabel(QWidget* parent);

    QString hint() const { return hint_; }
    void setHint(const QString& hint);

    // Whether resting the pointer on the label shows its hint, enabled or not.
    bool showHint() const { return showHint_; }
    void setShowHint(bool show);

protected:
    bool event(QEvent* event) override;

private:
    QString hint_;
    bool showHint_ = true;
};

// A check box without a caption of its own: the label beside it names it.
class CheckBox final : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* parent);

protected:
    bool event(QEvent* event) override;
};

} // namespace vormo
