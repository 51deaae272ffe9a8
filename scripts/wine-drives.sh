# Sourced by scripts/wine-env.sh: gives its throw-away Wine prefix only the
# fixed drives the caller builds, so that a search of the fixed drives is
# quick and its outcome known.
#
#   skelvane_wine_drives LETTER=TYPE:DIRECTORY ...
#
# Removes every drive but C: (which holds the prefix's Windows directory) and
# maps each LETTER: to DIRECTORY (created if missing) with TYPE hd (a fixed
# drive), cdrom, floppy (removable) or network. The folders of C: that Wine
# links to the Linux home directory become empty folders of their own.
# The prefix's Wine server is restarted so that the types apply.

skelvane_wine_drives() {
  local devices="$WINEPREFIX/dosdevices" link spec letter type dir
  # Read by regedit through C:, as it takes a Unix path for one of its options.
  local registry="$WINEPREFIX/drive_c/skelvane-drives.reg"
  for link in "$devices"/[abd-z]: "$devices"/[abd-z]::; do
    if [ -L "$link" ]; then rm -f "$link"; fi
  done
  find "$WINEPREFIX/drive_c" -type l | while read -r link; do
    rm -f "$link" && mkdir "$link"
  done
  printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\n' >"$registry"
  for spec in "$@"; do
    letter=${spec%%=*}
    type=${spec#*=}
    type=${type%%:*}
    dir=${spec#*:}
    mkdir -p "$dir"
    ln -sfn "$dir" "$devices/$letter:"
    printf '"%s:"="%s"\n' "$letter" "$type" >>"$registry"
  done
  "$SKELVANE_WINE" regedit /S 'C:\skelvane-drives.reg' >/dev/null 2>&1 </dev/null || true
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  # Started again here, the prefix's services are up before the first program:
  # a program started while they come up may not find its working directory.
  "$SKELVANE_WINE" wineboot >/dev/null 2>&1 </dev/null || true
}
