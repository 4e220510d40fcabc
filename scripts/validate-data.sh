#!/usr/bin/env bash
# Checks the menu entry and the AppStream metadata the package installs.
# Warnings are printed and pass; errors fail. Exits 77 (skipped) when a
# validator is not installed.
set -u
data=${1:-$(dirname "$0")/../data}
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
status=0
desktop-file-validate "$data/jp.tavik.Sondex.desktop" || status=1
appstreamcli validate --no-net "$data/jp.tavik.Sondex.metainfo.xml" || status=1
exit $status
