// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/FormControls.h"

#include "FieldTable.h"
#include "Text.h"
#include "WideText.h"
#include "win32/TForm1.h"

namespace vormo::win {

std::u16string FormControls::text(const FieldDef& field) const
{
    return windowText(form_.field(field));
}

bool FormControls::isChecked(const FieldDef& field) const
{
    return SendMessageW(form_.field(field), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool FormControls::isEnabled(const FieldDef& field) const
{
    return IsWindowEnabled(form_.field(field));
}

std::u16string FormControls::text(std::u16string_view control) const
{
    if (const std::size_t label = form_.labelIndex(control); label < labels().size())
        return ascii(labels()[label].caption);
    HWND window = form_.control(control);
    return window ? windowText(window) : std::u16string();
}

void FormControls::setText(std::u16string_view control, const std::u16string& text)
{
    if (const FieldDef* def = findField(control))
        form_.setFieldText(*def, text);
}

bool FormControls::isChecked(std::u16string_view control) const
{
    HWND window = form_.control(control);
    return window && SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void FormControls::setChecked(std::u16string_view control, bool checked)
{
    if (const FieldDef* def = findField(control))
        form_.setFieldChecked(*def, checked);
}

bool FormControls::isEnabled(std::u16string_view control) const
{
    if (const std::size_t label = form_.labelIndex(control); label < labels().size())
        return form_.isLabelEnabled(label);
    HWND window = form_.control(control);
    return window && IsWindowEnabled(window);
}

void FormControls::setEnabled(std::u16string_view control, bool enabled)
{
    if (const std::size_t label = form_.labelIndex(control); label < labels().size())
        form_.setLabelEnabled(label, enabled);
    else if (HWND window = form_.control(control))
        EnableWindow(window, enabled);
}

void FormControls::setHintShown(std::u16string_view label, bool shown)
{
    const std::size_t index = form_.labelIndex(label);
    if (index < labels().size())
        form_.setHintShown(index, shown);
}

std::u16string FormControls::firstItem(std::u16string_view combo) const
{
    HWND window = form_.control(combo);
    return window ? comboItem(window, 0) : std::u16string();
}

} // namespace vormo::win
