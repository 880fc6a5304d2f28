#!/bin/sh
# Without a display to open, the program says so in one line on stderr and ends with status 1
# (not a crash, not a hang).
program=$1
for display in "" ":987"; do
  if [ -z "$display" ]; then
    err=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$program" 2>&1 >/dev/null)
  else
    err=$(env -u WAYLAND_DISPLAY DISPLAY="$display" timeout 20 "$program" 2>&1 >/dev/null)
  fi
  status=$?
  lines=$(printf '%s\n' "$err" | wc -l)
  if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$err" | grep -q "display"; then
    echo "DISPLAY='$display': status $status, stderr ($lines lines):"
    printf '%s\n' "$err"
    exit 1
  fi
done
echo "1 passed, 0 failed"
