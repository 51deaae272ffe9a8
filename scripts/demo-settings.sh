# Sourced by the demo scripts: gives the browser in the current Wine prefix
# settings that show what it does with them: a buddy list naming players of
# the demo network (skelvane-testnet --mix demo), both filters on, the list
# sorted by host name and the players in details view.

demo_settings_install() {
  local file="$WINEPREFIX/demo-settings.reg"
  # A registry file, since only a hex(1) value carries the buddy list's CR LF
  # line breaks as UTF-16 text.
  python3 - "$file" <<'PY'
import sys
buddies = "Kite86\r\nRook53\r\nvex99\r\nMoss55\r\nNimbus54"
text = ",".join("%02x" % b for b in (buddies + "\0").encode("utf-16-le"))
lines = [
    "Windows Registry Editor Version 5.00", "",
    "[HKEY_CURRENT_USER\\Software\\Drenlix\\Skelvane Server Browser]",
    '"Buddy List"=hex(1):' + text, '"Version"=dword:00000002',
    '"Show Full Servers"=dword:00000001', '"Show Empty Servers"=dword:00000001',
    '"Sort Order"=dword:00000000', '"Player View Style"=dword:00000001', "",
]
open(sys.argv[1], "w", encoding="utf-16").write("\r\n".join(lines))
PY
  "$SKELVANE_WINE" regedit /S "Z:${file//\//\\}" >/dev/null 2>&1 </dev/null
}
