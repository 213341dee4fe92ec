// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NumberPrefix.h"

namespace vormo {

std::u16string numberPrefix(std::u16string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && text[n] >= u'0' && text[n] <= u'9')
        ++n;
    return std::u16string(text.substr(0, n));
}

} // namespace vormo
