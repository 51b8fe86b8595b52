#!/usr/bin/env bash
# Installs what is missing, builds, installs barlabel into demo/, starts the demo
# back office on loopback and runs the program against it (headless: the CLI demo).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
top=$(pwd)
demo="$top/demo"
cmake --install build --prefix "$demo" > /dev/null

# The back office lives as long as this script; closing its stdin stops it too.
coproc BACKOFFICE { exec "$top/build/bin/barlabel-backoffice" --port "${BARLABEL_DEMO_PORT:-0}" --stop-on-stdin-close 2>&1; }
backoffice_pid=$BACKOFFICE_PID
trap 'kill "$backoffice_pid" 2>/dev/null || true' EXIT
read -r -t 30 line <&"${BACKOFFICE[0]}" || { echo "the demo back office did not start" >&2; exit 1; }
port=${line##*:}
[[ "$line" == "listening on 127.0.0.1:"* && -n "$port" ]] || { echo "the demo back office said: $line" >&2; exit 1; }
echo "demo back office: 127.0.0.1:$port (branches A/0000, 01/1234, 02/5678)"

# A settings file for branch 01; a previous demo's loopback address is moved to this port.
ini="$demo/SysSet.ini"
if [ ! -f "$ini" ]; then
    printf '[SETTING]\r\nSERVER=127.0.0.1:%s\r\nBRAN_NO=01\r\nPASSWD=1234\r\nOPRICE=0\r\n' "$port" > "$ini"
else
    sed -i -E "s#^(SERVER=)127\.0\.0\.1:[0-9]+#\1127.0.0.1:$port#I" "$ini"
fi

cd "$demo"
if [ -x ./barlabel ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    ./barlabel
else
    [ -x ./barlabel ] && echo "No display: running the headless demo of barlabel-cli instead."
    echo "--- barlabel-cli linktest"
    ./barlabel-cli linktest
    echo "--- barlabel-cli branches"
    ./barlabel-cli branches
fi
