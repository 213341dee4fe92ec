#!/usr/bin/env bash
# Usage: check-metainfo.sh METAINFO_FILE
source "$(dirname "$0")/common.sh"
need appstreamcli
metainfo=$1

# appstreamcli fails on errors and warnings; --no-net keeps the check offline.
appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate: $metainfo"
