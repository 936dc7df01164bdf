#!/usr/bin/env bash
# Checks the packages that scripts/package.sh left in dist/. The Debian package is installed
# into a throw-away root with dpkg, checked, validated, started, then purged; the Windows
# installer installs and uninstalls silently under Wine in a fresh prefix inside
# build-windows-package/. Ends with a count of the checks passed and failed; each check's result
# goes into build-package/package-test/results.txt for the test command's summary. The folders
# are looked for in TABULOR_BUILD_ROOT where that is set.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
builds=${TABULOR_BUILD_ROOT:-$PWD}
dist="$builds/dist"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$builds/build-package/CMakeCache.txt" 2>/dev/null)
if [[ -z "$version" ]]; then
  echo "No package build in $builds/build-package/: run scripts/package.sh first." >&2
  exit 1
fi
work="$builds/build-package/package-test"
rm -rf "$work"
mkdir -p "$work"
log="$work/check.log"
results="$work/results.txt"

passed=0
failed=0
# check DESCRIPTION COMMAND...: runs the command, counts it, shows its output when it fails.
check() {
  local description=$1
  shift
  if "$@" >"$log" 2>&1; then
    passed=$((passed + 1))
    printf 'passed\t%s\n' "$description" >>"$results"
  else
    failed=$((failed + 1))
    printf 'failed\t%s\n' "$description" >>"$results"
    echo "FAILED: $description"
    sed 's/^/  /' "$log"
  fi
}
contains() { grep -q -F -- "$2" <<<"$1"; }
lacks() { ! contains "$@"; }
keeps_running() {
  QT_QPA_PLATFORM=offscreen timeout 2 "$@"
  [[ $? -eq 124 ]]
}
png_size() { python3 -c 'import struct, sys
print("%dx%d" % struct.unpack(">II", open(sys.argv[1], "rb").read()[16:24]))' "$1"; }
is_empty() { [[ -z "$(find "$1" -mindepth 1)" ]]; }

check_debian() {
  local deb="$dist/tabulor_${version}_amd64.deb" root="$work/root" id=fr.tabulor.Tabulor
  check "the Debian package $deb exists" test -f "$deb"
  [[ -f "$deb" ]] || return

  check "the package carries the project's version" \
    test "$(dpkg-deb -f "$deb" Version)" = "$version"
  check "its dependencies come from dpkg-shlibdeps" \
    contains "$(dpkg-deb -f "$deb" Depends)" "libqt6widgets6 (>="
  local library
  for library in libexpat1 zlib1g; do
    check "the workbook reader's $library is a dependency" \
      contains "$(dpkg-deb -f "$deb" Depends)" "$library (>="
  done
  check "Qt's translations are recommended" \
    contains "$(dpkg-deb -f "$deb" Recommends)" qt6-translations-l10n
  # What the package says it reads is what the program reads, a sentence that once lagged behind.
  local description source
  description=$(dpkg-deb -f "$deb" Description)
  for source in .xlsx .xlsm .ods Windows-1252 UTF-8 UTF-16 tab-separated CSV; do
    check "the package's description names $source sources" contains "$description" "$source"
  done
  check "the description no longer says one row per line" lacks "$description" "one row per line"
  # Its lines joined, so that a name wrapped at a line's end is still found.
  local flowing kind
  flowing=$(tr '\n' ' ' <<<"$description" | tr -s ' ')
  for kind in "HTML 4.0 Strict" "XHTML 1.1" HTML5; do
    check "the package's description names the $kind document" contains "$flowing" "full $kind document"
  done
  check "the package's description names the caption" contains "$flowing" "A caption"
  check "the package's description ties cells to their headers" contains "$flowing" "id and headers"
  # Without maintainer scripts, removing the package takes away exactly what it installed.
  check "no maintainer scripts" \
    test "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sort | xargs)" = "./control ./md5sums"

  # dpkg's own records kept apart, so that the root holds only what the package put there.
  local records="$work/dpkg"
  mkdir -p "$root" "$records/info" "$records/updates"
  touch "$records/status"
  local dpkg=(dpkg --root="$root" --admindir="$records" --log=/dev/null)
  check "dpkg installs it" "${dpkg[@]}" --force-depends -i "$deb"

  local share="$root/usr/share"
  local desktop="$share/applications/$id.desktop" metainfo="$share/metainfo/$id.metainfo.xml"
  local manual="$share/man/man1/tabulor.1.gz"
  check "the program is installed" test -x "$root/usr/bin/tabulor"
  check "nothing is installed outside /usr" test "$(ls "$root")" = usr
  local size
  for size in 16 24 32 48 64 128 256; do
    check "the ${size}x$size icon has that size" \
      test "$(png_size "$share/icons/hicolor/${size}x$size/apps/$id.png")" = "${size}x$size"
  done
  check "the desktop entry is valid" desktop-file-validate "$desktop"
  check "the desktop entry opens the file it is given" grep -q -x 'Exec=tabulor %f' "$desktop"
  check "the desktop entry names the installed icon" grep -q -x "Icon=$id" "$desktop"
  local workbook
  for workbook in application/vnd.oasis.opendocument.spreadsheet \
    application/vnd.openxmlformats-officedocument.spreadsheetml.sheet \
    application/vnd.ms-excel.sheet.macroEnabled.12; do
    check "the desktop entry opens $workbook" \
      contains ";$(sed -n 's/^MimeType=//p' "$desktop")" ";$workbook;"
    check "the metainfo provides $workbook" grep -q "<mediatype>$workbook</mediatype>" "$metainfo"
  done
  check "the metainfo is valid" appstreamcli validate --no-net "$metainfo"
  check "the metainfo launches the installed desktop entry" \
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
  check "the metainfo names this release" \
    grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo"
  check "the manual page renders without warnings" test -z \
    "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$manual" 2>&1 >/dev/null)"
  check "the manual page names this version" \
    contains "$(zcat "$manual" | head -1)" "Tabulor $version"
  check "the changelog names this version" \
    contains "$(zcat "$share/doc/tabulor/changelog.gz" | head -1)" "tabulor ($version)"
  # Still running after two seconds: the stripped, hardened program starts with its libraries.
  check "the installed program starts" keeps_running "$root/usr/bin/tabulor"
  local completion="$share/bash-completion/completions/tabulor"
  check "the bash completion is installed and parses" bash -n "$completion"
  check "the bash completion offers the installed program's options" \
    bash tests/qt/completion_test.sh "$root/usr/bin/tabulor" "$completion"

  local findings
  findings=$(lintian --pedantic --display-info "$deb" 2>/dev/null)
  check "lintian finds no error" lacks "$findings" "E: "
  [[ -n "$findings" ]] && echo "lintian's remarks:" && sed 's/^/  /' <<<"$findings"

  check "dpkg purges it" "${dpkg[@]}" -P tabulor
  check "the purge leaves nothing behind" is_empty "$root"
}

check_windows() {
  local setup="$dist/tabulor-$version-win64-setup.exe" zip="$dist/tabulor-$version-win64.zip"
  check "the Windows installer $setup exists" test -f "$setup"
  check "the portable Windows program $zip exists" test -f "$zip"
  [[ -f "$setup" && -f "$zip" ]] || return

  local portable="$work/portable"
  check "the zip holds the program, its console program and its French text alone" \
    test "$(unzip -Z1 "$zip" | LC_ALL=C sort | xargs)" = "LISEZMOI.txt tabulor.com tabulor.exe"
  unzip -q -d "$portable" "$zip"
  check "the zip's program is a 64-bit Windows program" \
    contains "$(file -b "$portable/tabulor.exe")" "PE32+ executable (GUI) x86-64"
  check "the zip's tabulor.com is a 64-bit Windows console program" \
    contains "$(file -b "$portable/tabulor.com")" "PE32+ executable (console) x86-64"
  local text="$portable/LISEZMOI.txt"
  check "the zip's text has Windows line ends" \
    test "$(grep -c $'\r$' "$text")" = "$(wc -l <"$text")"
  check "the zip's text says it is UTF-8" test "$(head -c 3 "$text" | od -An -tx1)" = " ef bb bf"

  # A fresh prefix, with Wine's own menu folders kept in the build folder as well.
  local wine_test="$builds/build-windows-package/wine-install-test"
  rm -rf "$wine_test"
  mkdir -p "$wine_test"
  export XDG_DATA_HOME="$wine_test/data" XDG_CONFIG_HOME="$wine_test/config"
  local wine wineserver
  wine_prefix "$wine_test/prefix" >/dev/null 2>&1

  local folder="$WINEPREFIX/drive_c/Program Files/Tabulor"
  local shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
  shortcut+=/Tabulor.lnk
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tabulor'
  check "the installer runs silently" "$wine" "$setup" /S
  "$wineserver" -w
  check "the program is installed under Program Files" \
    cmp "$folder/tabulor.exe" "$portable/tabulor.exe"
  check "the console program is installed beside it" \
    cmp "$folder/tabulor.com" "$portable/tabulor.com"
  # Stripped as installed, it starts and prints to a pipe, as a script reads it.
  check "the installed console program prints its version" \
    test "$("$wine" "$folder/tabulor.com" --version | tr -d '\r')" = "tabulor $version"
  local installed
  installed=$(find "$folder" -mindepth 1 -printf '%f\n' | LC_ALL=C sort | xargs)
  check "the program's folder holds both programs beside their uninstaller, nothing else" \
    test "$installed" = "Uninstall.exe tabulor.com tabulor.exe"
  check "the Start-menu shortcut leads to it" \
    grep -a -q -F 'C:\Program Files\Tabulor\tabulor.exe' "$shortcut"
  local entry
  entry=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r')
  check "the programs list shows Tabulor" contains "$entry" "DisplayName    REG_SZ    Tabulor"
  check "the programs list shows the version" \
    contains "$entry" "DisplayVersion    REG_SZ    $version"

  # Run as Windows runs it from the programs list, asking for silence.
  local uninstaller
  uninstaller=$(sed -n 's/^ *QuietUninstallString *REG_SZ *"\(.*\)" \/S$/\1/p' <<<"$entry")
  check "the programs list has a silent uninstall command" test -n "$uninstaller"
  check "the uninstaller runs silently" "$wine" "$uninstaller" /S
  "$wineserver" -w
  check "the uninstaller removes the program's folder" test ! -e "$folder"
  check "the uninstaller removes the shortcut" test ! -e "$shortcut"
  check "the uninstaller removes the programs list entry" \
    lacks "$("$wine" reg query "$key" 2>&1)" DisplayName
  "$wineserver" -k
}

check_debian
check_windows
echo "$passed passed, $failed failed"
((failed == 0))
