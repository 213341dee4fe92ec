#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-reuse.sh SOURCE_DIR
# Every file of the project states its copyright and licence. reuse lint takes the file list
# from git (build folders are ignored there), so it needs the git checkout.
source "$(dirname "$0")/common.sh"
need reuse git
git -C "$1" rev-parse 2>/dev/null || { echo "skip: git finds no checkout at $1"; exit 77; }
reuse --root "$1" lint || fail "reuse lint: see the files listed above"
