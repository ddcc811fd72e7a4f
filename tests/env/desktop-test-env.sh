#!/usr/bin/env bash
# Starts the real desktop components Corvella's tests use, runs a command inside them, and stops
# every component it started (by PID) when the command ends:
#   tests/env/desktop-test-env.sh ctest --test-dir build --output-on-failure
# Components: Xvfb with xcompmgr, an XEmbed tray (trayer) or a StatusNotifierWatcher stand-in
# (TRAY=sni), the openbox window manager (WM=none leaves it out), private session and system
# buses, at-spi2-core's accessibility bus, PulseAudio with a null sink, dunst, as root udevd,
# polkitd and udisksd, and beside the X11 desktop a Wayland compositor (weston) for the tests that
# run the panel as a Wayland client.
# The packages come from scripts/setup. HOME and the XDG folders point into a fresh temporary
# folder, so nothing touches the real user's data.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

RUN=$(mktemp -d /tmp/corvella-test-env.XXXXXX)
PIDS=() MADE_EXFAT_LINK=0 MADE_RUN_UDEV=0
cleanup() {
  set +e
  for ((i=${#PIDS[@]}-1; i>=0; i--)); do kill "${PIDS[i]}" 2>/dev/null; done
  for p in "${PIDS[@]}"; do
    for _ in $(seq 30); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$p" 2>/dev/null
  done
  [ "$MADE_EXFAT_LINK" = 1 ] && rm -f /sbin/mount.exfat
  [ "$MADE_RUN_UDEV" = 1 ] && rm -rf /run/udev
  rm -rf "$RUN"
}
trap cleanup EXIT INT TERM
bg() { local log=$1; shift; "$@" >"$RUN/$log.log" 2>&1 & PIDS+=($!); }
waitfor() { local what=$1; shift; for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
            echo "test-env: $what did not come up" >&2; cat "$RUN"/*.log >&2; return 1; }

export HOME=$RUN/home XDG_RUNTIME_DIR=$RUN/rt
export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# X server on a free display, and a compositor so that translucent windows really blend.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$RUN/display" 2>"$RUN/xvfb.log" & PIDS+=($!)
waitfor Xvfb test -s "$RUN/display"
export DISPLAY=:$(cat "$RUN/display") QT_QPA_PLATFORM=xcb
bg xcompmgr xcompmgr

# Wayland: weston on a socket of its own. Only CORVELLA_TEST_WAYLAND_DISPLAY (the socket's path)
# is exported, never WAYLAND_DISPLAY: every other test stays on X11 (xcb), and a Wayland test sets
# QT_QPA_PLATFORM=wayland and WAYLAND_DISPLAY itself. Weston's headless backend has no seat, so no
# window would ever become active there; its X11 backend on a private X server (no window
# manager, nothing else connects) has a keyboard and a pointer, and activates a window that maps
# as a desktop does. Started after the main X server and waited for last, so its start overlaps
# the others'; no on-screen keyboard, no panel. Without weston the Wayland tests skip and say why.
WAYLAND_SOCKET=corvella-test-wayland
if command -v weston >/dev/null 2>&1; then
  printf '[input-method]\npath=\n[shell]\npanel-position=none\n' >"$RUN/weston.ini"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$RUN/wayland-display" 2>"$RUN/wayland-xvfb.log" & PIDS+=($!)
  ( for _ in $(seq 100); do [ -s "$RUN/wayland-display" ] && break; sleep 0.05; done
    DISPLAY=:$(cat "$RUN/wayland-display") exec weston --config="$RUN/weston.ini" \
      --backend=x11-backend.so --use-pixman --socket="$WAYLAND_SOCKET" \
      --idle-time=0 --width=1280 --height=800 ) >"$RUN/weston.log" 2>&1 &
  PIDS+=($!)
fi

# Session bus: always exported, or Qt would autolaunch a daemon that outlives the tests.
bg session-bus dbus-daemon --session --nofork --nopidfile --address="unix:path=$RUN/session_bus"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$RUN/session_bus"
waitfor session-bus gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.GetId

# The accessibility bus of at-spi2-core beside the session bus (CORVELLA_TEST_ATSPI=0 leaves it
# out). Not waited for here: only the screen-reader walk (tests/app/atspi_walk.py) needs it, and it
# waits with a deadline. Qt joins it only when told (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, which
# that test sets for the program it starts), so every other test runs as before.
if [ "${CORVELLA_TEST_ATSPI:-1}" != 0 ] && [ -x /usr/libexec/at-spi-bus-launcher ]; then
  bg at-spi-bus /usr/libexec/at-spi-bus-launcher --launch-immediately
fi

# Private system bus on its own socket, where the tests' stand-ins (logind, ...) may own names.
bg system-bus dbus-daemon --config-file="$here/system-bus.conf" --nofork --nopidfile --address="unix:path=$RUN/system_bus"
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$RUN/system_bus"
waitfor system-bus gdbus call --system --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.GetId

if [ "${TRAY:-xembed}" = sni ]; then
  bg sni /usr/bin/python3 "$here/sniwatcher.py"
  waitfor sni-watcher gdbus introspect --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher
elif [ "${TRAY:-xembed}" != none ]; then
  bg trayer trayer --edge bottom --align right --widthtype request --height 24 --transparent false
  waitfor trayer xdotool search --class trayer
fi

# The window manager comes after the tray, or it would manage the tray as a window too.
if [ "${WM:-openbox}" != none ]; then
  bg openbox openbox --sm-disable
  waitfor openbox sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
fi

bg dunst dunst
waitfor dunst gdbus call --session --dest org.freedesktop.Notifications --object-path /org/freedesktop/Notifications --method org.freedesktop.Notifications.GetServerInformation

bg pulseaudio pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
  --log-target=stderr -L "module-null-sink sink_name=ci_sink sink_properties=device.description=CI_Sink" \
  -L module-native-protocol-unix
waitfor pulseaudio pactl info
export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"

# Volumes: udisks sees no block device without the udev database, so udevd runs here too; loop
# devices made by the tests then appear with their file systems. Root only (loop devices).
if [ "$(id -u)" -eq 0 ] && [ -x /usr/libexec/udisks2/udisksd ]; then
  if ! udevadm control --ping >/dev/null 2>&1; then
    [ -d /run/udev ] || MADE_RUN_UDEV=1
    bg udevd /lib/systemd/systemd-udevd
    waitfor udevd udevadm control --ping
  fi
  # This kernel may lack an exFAT driver: mount exFAT through FUSE then.
  if ! grep -qw exfat /proc/filesystems && [ ! -e /sbin/mount.exfat ] && [ -x /sbin/mount.exfat-fuse ]; then
    ln -s mount.exfat-fuse /sbin/mount.exfat; MADE_EXFAT_LINK=1
  fi
  bg polkitd /usr/lib/polkit-1/polkitd --no-debug
  bg udisksd /usr/libexec/udisks2/udisksd
  waitfor udisksd gdbus introspect --system --dest org.freedesktop.UDisks2 --object-path /org/freedesktop/UDisks2/Manager
  export CORVELLA_TEST_UDISKS=1
fi

if command -v weston >/dev/null 2>&1; then
  waitfor weston test -S "$XDG_RUNTIME_DIR/$WAYLAND_SOCKET"
  export CORVELLA_TEST_WAYLAND_DISPLAY=$XDG_RUNTIME_DIR/$WAYLAND_SOCKET
fi

export CORVELLA_TEST_ENV=$RUN
echo "test-env: DISPLAY=$DISPLAY tray=${TRAY:-xembed} wayland=${CORVELLA_TEST_WAYLAND_DISPLAY:-none}" >&2
if [ $# -gt 0 ]; then "$@"; else echo "test-env: no command given" >&2; fi
