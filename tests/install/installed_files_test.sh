#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what lands there:
# the two programs, the help page, the desktop entry and the AppStream
# metadata (as their validators see them), the icon at every size, and the
# manual pages (rendered by man without a warning).
# Usage: installed_files_test.sh BUILD_FOLDER. Exit 77 (skipped) when a
# validator is missing.
set -euo pipefail
build=$1
for tool in desktop-file-validate appstreamcli man python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed"
    exit 77
  fi
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix="$root/usr"
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$root/install.log" || {
  cat "$root/install.log"
  exit 1
}

for program in paperwisp pwdbf; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not an installed executable"
done
# The installed program looks for its shipped files in ../share/paperwisp.
grep -q '<h1>Paperwisp Help</h1>' "$prefix/share/paperwisp/paperwisp-help.html" ||
  fail "share/paperwisp/paperwisp-help.html missing or not the help page"

entry="$prefix/share/applications/paperwisp.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
grep -qx 'Exec=paperwisp --new' "$entry" || fail "no action running paperwisp --new"
grep -qx 'Exec=paperwisp --notes' "$entry" || fail "no action running paperwisp --notes"
grep -qx 'Icon=paperwisp' "$entry" || fail "the entry does not name the icon"

metainfo="$prefix/share/metainfo/org.paperwisp.paperwisp.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream metadata"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejects $metainfo"
# The whole tree: the metadata's launchable must find the desktop entry.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree rejects the tree"

icons="$prefix/share/icons/hicolor"
grep -q '<svg' "$icons/scalable/apps/paperwisp.svg" || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  png="$icons/${size}x${size}/apps/paperwisp.png"
  # Width and height are the big-endian words at bytes 16 and 20 of the
  # PNG's IHDR chunk.
  python3 - "$png" "$size" <<'PY' || fail "$png is not a ${size}x${size} PNG"
import struct, sys
data = open(sys.argv[1], "rb").read(24)
size = int(sys.argv[2])
sys.exit(0 if data[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", data[16:24]) == (size, size) else 1)
PY
done

for page in paperwisp pwdbf; do
  file="$prefix/share/man/man1/$page.1"
  warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null) || fail "man cannot render $page.1"
  [ -z "$warnings" ] || fail "man warns about $page.1: $warnings"
  MANWIDTH=80 man -l "$file" 2>/dev/null | grep -q "^NAME" || fail "$page.1 renders no NAME section"
done

[ "$failures" -eq 0 ] || exit 1
echo "installed files are complete"
