#!/usr/bin/env bash
# The release files and the 64-bit setup program, as a user meets them:
#   release.sh packages the builds of this run (win64, and win32 when it is built beside it),
#     unsigned (installer_signed.sh signs them), and says so once: each zip holds exactly the
#     program files and the read-me, SHA256SUMS verifies, the winget manifests check
#     (winget_manifests.py), and the programs and setup programs carry one company, product,
#     version and copyright in their version resources (as windres reads them back), each with
#     its own file name;
#   the setup program run silently installs into %LOCALAPPDATA%\Programs\Brackwater (files, the
#     Uninstall entry with its values, the Start menu shortcut);
#   Brackwater started from that shortcut runs;
#   the setup program run again while Brackwater runs ends it ("CloseBrackwater", which saves the
#     settings file) and replaces the files; one that does not answer makes it give up, bounded;
#   the registered quiet uninstall, with Brackwater running and starting with Windows, ends it and
#     removes files, shortcut, Uninstall entry and the start-with-Windows value; the settings file stays;
#   one installation per user: /D= installs into folder A; the setup program given folder B ends the
#     Brackwater running from A, leaves in A only the settings file kept there, installs into B and
#     registers B alone (the start-with-Windows value follows); a run without /D= installs into B
#     again; the uninstaller of a copy left over elsewhere leaves B registered; given folder C
#     while a file in B cannot be deleted, it ends with exit code 4 and changes nothing.
# Usage: tests/wine/installer.sh [WIN64_BUILD] [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."

WIN64=$(realpath -m "${1:-build/win64}")
BUILDS=$(dirname "$WIN64")
source tests/wine/installer_lib.bash
installer_setup "$WIN64" installer makensis

# --- The release files --------------------------------------------------------------------------
make_release
echo "release ${archs[*]}, version $VERSION"

windows_lines() { [[ -s $1 ]] && ! grep -q $'[^\r]$' "$1"; }
sums_verify() { (cd "$1" && sha256sum --quiet -c SHA256SUMS); }
pe_machine() {  # the machine a Windows program is made for: i386 or amd64
  python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read(4096)
offset = struct.unpack_from("<I", data, 0x3C)[0]
machine = struct.unpack_from("<H", data, offset + 4)[0]
print({0x14C: "i386", 0x8664: "amd64"}.get(machine, hex(machine)))' "$1"
}
zip_names() { python3 -c 'import sys, zipfile; print("\n".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$1"; }
expected_names=$(printf '%s\n' "${PROGRAMS[@]}" README.txt | sort)
expected_sums=()
for arch in "${archs[@]}"; do
  zip="$DIST/Brackwater-$VERSION-$arch.zip"
  expected_sums+=("Brackwater-$VERSION-$arch-setup.exe" "Brackwater-$VERSION-$arch.zip")
  machine=i386
  [[ $arch == win64 ]] && machine=amd64
  check "$arch setup program is an $machine program" [ "$(pe_machine "$DIST/Brackwater-$VERSION-$arch-setup.exe")" == $machine ]
  check "$arch zip holds exactly ${PROGRAMS[*]} README.txt" [ "$(zip_names "$zip")" == "$expected_names" ]
  mkdir -p "$WORK/unzipped-$arch"
  python3 -m zipfile -e "$zip" "$WORK/unzipped-$arch"
  for file in "${PROGRAMS[@]}"; do
    check "$arch zip: $file is the $arch build's" cmp -s "$WORK/unzipped-$arch/$file" "$BUILDS/$arch/bin/$file"
  done
  check "$arch zip: README.txt has Windows line ends" windows_lines "$WORK/unzipped-$arch/README.txt"
done
listed=$(awk '{print $2}' "$DIST/SHA256SUMS" | sort)
check "SHA256SUMS lists the setup programs and zips" [ "$listed" == "$(printf '%s\n' "${expected_sums[@]}" | sort)" ]
check "SHA256SUMS verifies" sums_verify "$DIST"
check "the release says once that it is unsigned" [ "$(grep -c 'the release is unsigned' "$WORK/release.log")" -eq 1 ]
check "the winget manifests hold the setup programs" python3 tests/wine/winget_manifests.py "$DIST"
# What the version resources of the programs and setup programs have in common, and their own names.
version_values() {  # version_values FILE: those values, joined by "|"
  local resources key values=()
  resources=$(x86_64-w64-mingw32-windres -J coff -i "$1" -O rc 2>/dev/null) || return 1
  for key in CompanyName ProductName ProductVersion LegalCopyright OriginalFilename; do
    values+=("$(sed -n "s/^ *VALUE \"$key\", \"\(.*\)\"\r*$/\1/p" <<<"$resources" | head -n 1)")
  done
  (IFS='|' && echo "${values[*]}")
}
common_values="Brackwater|Brackwater for Dynamics NAV|$VERSION|Copyright (C) The Brackwater developers"
for arch in "${archs[@]}"; do
  for file in "${PROGRAMS[@]}" "Brackwater-$VERSION-$arch-setup.exe"; do
    path="$WORK/unzipped-$arch/$file"
    [[ $file != *-setup.exe ]] || path="$DIST/$file"
    got=$(version_values "$path" || true)
    check "$arch $file: version resource ($got)" [ "$got" == "$common_values|$file" ]
  done
done

# --- Wine helpers -------------------------------------------------------------------------------
unix_path() {  # a C:\ path of the prefix as a Unix path
  local path=${1//\\//}
  echo "$WINEPREFIX/drive_c${path#[Cc]:}"
}

# reg_value KEY NAME: prints the value's type and data ("REG_SZ text"); fails when it is absent.
reg_value() {
  wine_run 30 reg query "$1" /v "$2" >/dev/null 2>&1 || return 1
  tr -d '\r' <"$LAST_OUT" | sed -n "s/^ *$2 \{2,\}\(REG_[A-Z_]*\) \{2,\}/\1 /p" | head -n 1 | grep .
}
# reg_expected KEY NAME: as reg_value, for a value that should be there: a query that found
# nothing is asked again (twice at most), as one start of Wine's reg may come back empty.
reg_expected() {
  local attempt
  for attempt in 1 2 3; do
    reg_value "$1" "$2" && return 0
    echo "reg query $1 /v $2 found nothing (attempt $attempt)" >&2
    sleep 1
  done
  return 1
}
reg_key_exists() { wine_run 30 reg query "$1" >/dev/null 2>&1; }
reg_delete() { wine_run 30 reg delete "$@" /f >/dev/null 2>&1 || true; }

# Process ids of the Windows programs in this prefix whose command line matches a pattern.
prefix_pids() {
  local pid
  for pid in $(pgrep -f "$1" || true); do
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}
brackwater_pids() { prefix_pids '[\\/]Brackwater\.exe'; }
# Whether a Brackwater main window exists (hidden in the tray as it is): Wine's debugger lists
# every window with its class.
main_window_exists() {
  wine_run 30 winedbg --command "info wnd" >/dev/null 2>&1 || true
  grep -q 'TfrmNavision' "$LAST_OUT"
}
no_brackwater() { [[ -z "$(brackwater_pids)" ]]; }
# The uninstaller goes on from a copy of itself in the temporary folder ("...\~nsu5.tmp\Un.exe").
uninstaller_pids() { prefix_pids '~nsu[^ ]*\.tmp.Un[^ ]*\.exe'; }
no_uninstaller() { [[ -z "$(uninstaller_pids)" ]]; }
stop_leftovers() {  # a failed case may leave the program running: end the processes it started
  local pid
  for pid in $(brackwater_pids); do kill -CONT "$pid" 2>/dev/null || true; kill "$pid" 2>/dev/null || true; done
}
trap 'stop_leftovers; bw_wine_cleanup' EXIT
trap 'exit 130' INT TERM

# --- Where things go in this prefix -------------------------------------------------------------
wine_run 30 cmd /c echo "%LOCALAPPDATA%;%APPDATA%" || { echo "cmd failed"; exit 1; }
IFS=';' read -r local_win roaming_win < <(tr -d '\r' <"$LAST_OUT")
INSTALL_WIN="$local_win\\Programs\\Brackwater"
INSTALL=$(unix_path "$INSTALL_WIN")
SHORTCUT=$(unix_path "$roaming_win\\Microsoft\\Windows\\Start Menu\\Programs\\Brackwater.lnk")
SETTINGS=$(unix_path "$roaming_win\\Brackwater\\Brackwater.config")
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brackwater'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
echo "installation folder $INSTALL_WIN"

# A clean user: no earlier installation, settings or registry values of ours.
stop_leftovers
rm -rf "$INSTALL" "$SHORTCUT" "$SETTINGS"
reg_delete "$UNINSTALL_KEY"
reg_delete "$RUN_KEY" /v Brackwater
reg_delete 'HKCU\Software\Brackwater\Config Location'

# --- Silent installation ------------------------------------------------------------------------
rc=0
wine_run 120 "$SETUP" /S || rc=$?
check "setup /S exits with 0 (got $rc)" [ $rc -eq 0 ]
for file in "${PROGRAMS[@]}"; do
  check "installed $file is the win64 build's" cmp -s "$INSTALL/$file" "$WIN64/bin/$file"
done
check "installed README.txt" test -s "$INSTALL/README.txt"
check "installed Uninstall.exe" test -s "$INSTALL/Uninstall.exe"

expect_value() {  # expect_value NAME "TYPE DATA"
  local got
  got=$(reg_expected "$UNINSTALL_KEY" "$1" || true)
  check "Uninstall value $1 = $2 (got: $got)" [ "$got" == "$2" ]
}
expect_value DisplayName "REG_SZ Brackwater for Dynamics NAV"
expect_value DisplayVersion "REG_SZ $VERSION"
expect_value Publisher "REG_SZ Brackwater"
expect_value DisplayIcon "REG_SZ $INSTALL_WIN\\Brackwater.exe,0"
expect_value InstallLocation "REG_SZ $INSTALL_WIN"
expect_value UninstallString "REG_SZ \"$INSTALL_WIN\\Uninstall.exe\""
expect_value QuietUninstallString "REG_SZ \"$INSTALL_WIN\\Uninstall.exe\" /S"
expect_value NoModify "REG_DWORD 0x1"
expect_value NoRepair "REG_DWORD 0x1"
size_near() {  # size_near "REG_DWORD 0x..." KB: within a tenth
  [[ $1 == "REG_DWORD 0x"* ]] || return 1
  local kb=$((${1#REG_DWORD }))
  ((kb * 10 > $2 * 9 && kb * 10 < $2 * 11))
}
size=$(reg_expected "$UNINSTALL_KEY" EstimatedSize || true)
on_disk=$(du -sk "$INSTALL" | cut -f1)
check "EstimatedSize ($size) is the folder's size in KB (about $on_disk)" size_near "$size" "$on_disk"

check "Start menu shortcut" test -s "$SHORTCUT"
shortcut_points_at() {  # shortcut_points_at WINDOWS_PATH
  [[ -f $SHORTCUT ]] && python3 -c '
import sys
data = open(sys.argv[1], "rb").read()
target = sys.argv[2]
sys.exit(0 if target.encode("latin-1") in data or target.encode("utf-16-le") in data else 1)' \
    "$SHORTCUT" "$1"
}
check "the shortcut points at the installed program" shortcut_points_at "$INSTALL_WIN\\Brackwater.exe"

# --- Brackwater started from the Start menu -----------------------------------------------------
start_from_shortcut() {
  wine_run 30 start /unix "$SHORTCUT" || true
  wait_until 30 main_window_exists && [[ -n "$(brackwater_pids)" ]]
}
check "Brackwater started from the shortcut runs" start_from_shortcut

# --- The setup program again, while Brackwater runs ---------------------------------------------
printf 'stale\r\n' >"$INSTALL/README.txt"
printf 'stale' >"$INSTALL/bwconfig.exe"

# A Brackwater that does not answer (here: stopped) makes a silent setup give up after its bounded
# wait, with nothing replaced. Once it goes on, it answers the message it was sent.
mapfile -t running < <(brackwater_pids)
signal_running() { [[ ${#running[@]} -eq 0 ]] || kill "$1" "${running[@]}" 2>/dev/null || true; }
signal_running -STOP
rc=0
waited=$SECONDS
wine_run 90 "$SETUP" /S || rc=$?
waited=$((SECONDS - waited))
signal_running -CONT
check "setup /S gives up on a Brackwater that does not end (exit $rc after ${waited}s)" [ $rc -eq 3 ]
check "nothing was replaced" cmp -s "$INSTALL/bwconfig.exe" <(printf 'stale')
check "the late Brackwater ends on the message it was sent" wait_until 20 no_brackwater

rm -f "$SETTINGS"
check "Brackwater started from the shortcut runs again" start_from_shortcut
program_changed=$(stat -c %z "$INSTALL/Brackwater.exe")
rc=0
wine_run 120 "$SETUP" /S || rc=$?
check "setup /S over a running Brackwater exits with 0 (got $rc)" [ $rc -eq 0 ]
check "the running Brackwater has ended" wait_until 10 no_brackwater
check "Brackwater wrote its settings file as it ended" test -s "$SETTINGS"
check "the running program file was replaced" [ "$(stat -c %z "$INSTALL/Brackwater.exe")" != "$program_changed" ]
for file in "${PROGRAMS[@]}"; do
  check "$file replaced by the win64 build's" cmp -s "$INSTALL/$file" "$WIN64/bin/$file"
done
check "README.txt replaced" cmp -s "$INSTALL/README.txt" "$WORK/unzipped-win64/README.txt"

# --- The quiet uninstall, with Brackwater running and starting with Windows ---------------------
# Brackwater writes the start-with-Windows value again as it ends: the uninstaller must remove it
# after Brackwater has ended.
wine_run 30 reg add "$RUN_KEY" /v Brackwater /t REG_SZ /d "\"$INSTALL_WIN\\Brackwater.exe\"" /f >/dev/null 2>&1 ||
  fail "could not set the start-with-Windows value"
rm -f "$SETTINGS"
"$WINELOADER" "$INSTALL/Brackwater.exe" >"$WORK/brackwater-2.log" 2>&1 </dev/null &
check "Brackwater runs again before the uninstall" wait_until 30 main_window_exists

quiet=$(reg_expected "$UNINSTALL_KEY" QuietUninstallString || true)
quiet=${quiet#REG_SZ }
uninstaller=$(sed -n 's/^"\([^"]*\)" *\(.*\)$/\1/p' <<<"$quiet")
arguments=$(sed -n 's/^"\([^"]*\)" *\(.*\)$/\2/p' <<<"$quiet")
rc=0
# shellcheck disable=SC2086  # the registered arguments, split as Windows would
wine_run 60 "$(unix_path "$uninstaller")" $arguments || rc=$?
check "the quiet uninstall starts (exit $rc)" [ $rc -eq 0 ]
# The launcher returns at once; its copy may take a moment to show up in the process list, or may
# already have done its work.
uninstaller_went_on() { [[ -n "$(uninstaller_pids)" || ! -e "$INSTALL" ]]; }
check "the uninstaller goes on from its copy" wait_until 10 uninstaller_went_on
check "the uninstaller ends" wait_until 60 no_uninstaller
check "the installation folder is gone" wait_until 30 test ! -e "$INSTALL"
check "the running Brackwater has ended" wait_until 10 no_brackwater
check "Brackwater saved its settings as it ended" test -s "$SETTINGS"
check "the Start menu shortcut is gone" test ! -e "$SHORTCUT"
check "the Uninstall entry is gone" absent reg_key_exists "$UNINSTALL_KEY"
check "the start-with-Windows value is gone" absent reg_value "$RUN_KEY" Brackwater
check "the settings file stays" test -s "$SETTINGS"

# --- One installation: another folder moves it -------------------------------------------------
# /D= goes last and unquoted. Folder A holds the settings file (named under "Config Location"), and
# Brackwater runs from it and starts with Windows.
A_WIN='C:\BrackwaterElsewhere'
B_WIN='C:\Tools\Brackwater'
C_WIN='C:\BrackwaterThird'
A=$(unix_path "$A_WIN")
B=$(unix_path "$B_WIN")
C=$(unix_path "$C_WIN")
LOCATION_KEY='HKCU\Software\Brackwater\Config Location'
rm -rf "$A" "$(dirname "$B")" "$C"
rc=0
wine_run 120 "$SETUP" /S "/D=$A_WIN" || rc=$?
check "setup /S /D=A exits with 0 (got $rc)" [ $rc -eq 0 ]
check "/D= installs into the folder given" cmp -s "$A/Brackwater.exe" "$WIN64/bin/Brackwater.exe"
expect_value InstallLocation "REG_SZ $A_WIN"
wine_run 30 reg add "$LOCATION_KEY" /v Folder /t REG_SZ /d "$A_WIN" /f >/dev/null 2>&1 ||
  fail "could not set the settings folder"
wine_run 30 reg add "$RUN_KEY" /v Brackwater /t REG_SZ /d "$A_WIN\\Brackwater.exe" /f >/dev/null 2>&1 ||
  fail "could not set the start-with-Windows value"
"$WINELOADER" "$A/Brackwater.exe" >"$WORK/brackwater-a.log" 2>&1 </dev/null &
check "Brackwater runs from A" wait_until 30 main_window_exists

installed_complete() {  # installed_complete UNIX_FOLDER: the win64 build's files and an uninstaller
  local file
  for file in "${PROGRAMS[@]}"; do cmp -s "$1/$file" "$WIN64/bin/$file" || return 1; done
  cmp -s "$1/README.txt" "$WORK/unzipped-win64/README.txt" && test -s "$1/Uninstall.exe"
}
# The Uninstall entries of this user that are ours: their key names, one a line.
our_entries() {
  wine_run 30 reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s >/dev/null 2>&1 || return 0
  tr -d '\r' <"$LAST_OUT" | awk '/^HKEY/ { key = $0 } /Brackwater/ && key != "" { print key; key = "" }'
}
expect_registered_in() {  # expect_registered_in WINDOWS_FOLDER
  local entries
  entries=$(our_entries)
  check "one Uninstall entry of ours (got: ${entries//$'\n'/, })" [ "$entries" == 'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brackwater' ]
  expect_value InstallLocation "REG_SZ $1"
  expect_value UninstallString "REG_SZ \"$1\\Uninstall.exe\""
  check "the shortcut points at $1" shortcut_points_at "$1\\Brackwater.exe"
}

rc=0
wine_run 120 "$SETUP" /S "/D=$B_WIN" || rc=$?
check "setup /S /D=B over the installation in A exits with 0 (got $rc)" [ $rc -eq 0 ]
check "the Brackwater running from A has ended" wait_until 10 no_brackwater
check "it saved its settings file in A as it ended" test -s "$A/Brackwater.config"
check "A holds only the settings file (got: $(ls -A "$A" 2>&1 | tr '\n' ' '))" [ "$(ls -A "$A")" == Brackwater.config ]
check "B holds the complete installation" installed_complete "$B"
expect_registered_in "$B_WIN"
start_value=$(reg_expected "$RUN_KEY" Brackwater || true)
check "the start-with-Windows value starts B's copy (got: $start_value)" [ "$start_value" == "REG_SZ \"$B_WIN\\Brackwater.exe\"" ]

# A run without /D= installs into the existing installation's folder.
program_changed=$(stat -c %z "$B/Brackwater.exe")
rc=0
wine_run 120 "$SETUP" /S || rc=$?
check "setup /S again exits with 0 (got $rc)" [ $rc -eq 0 ]
check "it replaced the files in B" [ "$(stat -c %z "$B/Brackwater.exe")" != "$program_changed" ]
check "B holds the complete installation" installed_complete "$B"
check "nothing went into the default folder" test ! -e "$INSTALL"
check "A still holds only the settings file" [ "$(ls -A "$A")" == Brackwater.config ]
expect_registered_in "$B_WIN"

# A copy left over in another folder (as an earlier setup program left them): its uninstaller
# removes it and leaves the registered installation, its shortcut and start-with-Windows value alone.
D_WIN='C:\BrackwaterLeftover'
D=$(unix_path "$D_WIN")
rm -rf "$D"
cp -r "$B" "$D"
rc=0
wine_run 60 "$D/Uninstall.exe" /S || rc=$?
check "the quiet uninstall of the leftover copy starts (exit $rc)" [ $rc -eq 0 ]
check "the leftover copy is gone" wait_until 60 test ! -e "$D"
check "its uninstall ends" wait_until 60 no_uninstaller
check "B still holds the complete installation" installed_complete "$B"
expect_registered_in "$B_WIN"
start_value=$(reg_expected "$RUN_KEY" Brackwater || true)
check "the start-with-Windows value still starts B's copy (got: $start_value)" [ "$start_value" == "REG_SZ \"$B_WIN\\Brackwater.exe\"" ]

# A file of the earlier installation that cannot be deleted (the watcher library still in use
# by some program): the setup program given folder C gives up with exit code 4, nothing changed.
HOLDER="$WIN64/bin/hold_file_wcase.exe"
HELD="$WORK/held"
rm -f "$HELD"
holder=""
release_file() {
  rm -f "$HELD"
  if [[ -n "$holder" ]]; then wait "$holder" 2>/dev/null || true; fi
  holder=""
}
trap 'release_file; stop_leftovers; bw_wine_cleanup' EXIT
if [[ -f "$HOLDER" ]]; then
  bw_wine_run 150 "$WORK/holder.out" "$WORK/holder.err" "$HOLDER" "$B_WIN\\BWMsgWatch.dll" "Z:${HELD//\//\\}" &
  holder=$!
fi
if [[ -n "$holder" ]] && wait_until 30 test -f "$HELD"; then
  rc=0
  wine_run 120 "$SETUP" /S "/D=$C_WIN" || rc=$?
  release_file
  check "setup /S /D=C with a file of B in use exits with 4 (got $rc)" [ $rc -eq 4 ]
  check "nothing went into C" test ! -e "$C"
  check "B still holds the complete installation" installed_complete "$B"
  expect_registered_in "$B_WIN"
else
  release_file
  fail "could not keep a file of B in use ($HOLDER)"
fi

rc=0
wine_run 60 "$B/Uninstall.exe" /S || rc=$?
check "the quiet uninstall from B starts (exit $rc)" [ $rc -eq 0 ]
# The uninstaller hands over to a copy of itself: the folder going is what shows that copy's work.
check "B is gone" wait_until 60 test ! -e "$B"
check "the uninstall from B ends" wait_until 60 no_uninstaller
check "the Uninstall entry is gone with it" absent reg_key_exists "$UNINSTALL_KEY"

rm -rf "$A" "$(dirname "$B")" "$C" "$D"
reg_delete "$LOCATION_KEY"
rm -f "$SETTINGS"  # the prefix as it was

echo "installer scenario: $failures failed"
[[ $failures -eq 0 ]]
