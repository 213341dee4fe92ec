#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-metainfo.sh METAINFO_FILE
source "$(dirname "$0")/common.sh"
need appstreamcli
metainfo=$1

# appstreamcli fails on errors and warnings; --no-net keeps the check offline.
appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate: $metainfo"
