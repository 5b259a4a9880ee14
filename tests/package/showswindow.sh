#!/bin/sh
# Starts the unpacked program on the X screen xvfb-run gives it, in a fresh
# home, and prints "shown" once a window with its caption exists and its
# window class is the one the desktop entry names (docks tie the window to
# the launcher by it). Usage: showswindow.sh PROGRAM HOME DESKTOP-ENTRY
wmclass=$(sed -n 's/^StartupWMClass=//p' "$3")
[ -n "$wmclass" ] || { echo "no StartupWMClass in $3"; exit 4; }
export HOME="$2" XDG_CONFIG_HOME="$2/.config" XDG_CACHE_HOME="$2/.cache" QT_QPA_PLATFORM=xcb
"$1" & pid=$!
for i in $(seq 150); do
  if xwininfo -root -tree | grep -q '"Calvenor, 1.0.04"'; then
    class=$(xprop -name 'Calvenor, 1.0.04' WM_CLASS)
    kill $pid; wait $pid
    case "$class" in *"\"$wmclass\""*) echo shown; exit 0;; esac
    echo "window class: $class"; exit 3
  fi
  kill -0 $pid 2>/dev/null || { echo "the program exited before its window showed"; exit 2; }
  sleep 0.2
done
kill $pid; echo "no main window after 30 s"; exit 1
