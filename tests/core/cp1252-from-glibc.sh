#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Writes the reference Windows-1252 table the core tests check the conversion against: "byte
# code point" in hex, one mapping a line, taken from glibc's charmap rather than from our own
# table. Embedded as a file because the Windows test programs run where no iconv or charmap is.
# Usage: tests/core/cp1252-from-glibc.sh > tests/data/cp1252.txt
set -eu
zcat /usr/share/i18n/charmaps/CP1252.gz |
    sed -n 's|^<U\([0-9A-F]*\)> */x\([0-9a-f][0-9a-f]\) .*|\2 \1|p'
