// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace vormo {

// The leading run of ASCII digits "0"-"9" of a combo box's text, as text: "13:Napalm" gives
// "13", "007" gives "007"; "-1", " 5" and "" give "". No other character counts as a digit.
std::u16string numberPrefix(std::u16string_view text);

} // namespace vormo
