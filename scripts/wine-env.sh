# Sourced by the scripts that run the Windows program under Wine. Both functions take the Wine
# prefix's folder, export the environment for it and set wine and wineserver to the programs.
# Without Mono, Gecko and winemenubuilder: no download is asked for, and nothing is copied into the
# desktop menus of the user running them.

wine_env() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
}

# As wine_env, and makes the prefix if it is missing, before any program runs in it, so that
# programs started together do not race to make it; an existing prefix is brought up to date by
# Wine itself.
wine_prefix() {
  wine_env "$1"
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    # Debian's wine64 has no 32-bit half, so setting up the prefix's 32-bit side fails in one
    # expected line; nothing here runs 32-bit code.
    "$wine" wineboot -i 2> >(grep -v -F 'failed to open L"C:\\windows\\syswow64\\rundll32.exe"' >&2)
    "$wineserver" -w
  fi
  # This Wine does not find the fonts of its own package (Tahoma among them) unless they are in
  # the prefix's font folder.
  cp -u /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}
