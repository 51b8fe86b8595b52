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
# The installed launchers keep the demo's settings, queues and exports in demo/
# itself, as they keep a store user's in ~/.local/share/barlabel.
export BARLABEL_PROGRAM_DIR="$demo"

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

# The first start through a launcher copies the package's default output
# settings (a few label columns) and the help page into demo/.
cd "$demo"
bin/barlabel-cli tables create
if [ -x lib/barlabel/barlabel ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    bin/barlabel
else
    [ -x lib/barlabel/barlabel ] && echo "No display: running the headless demo of barlabel-cli instead."
    echo "--- barlabel-cli linktest"
    bin/barlabel-cli linktest
    echo "--- barlabel-cli branches"
    bin/barlabel-cli branches
    echo "--- barlabel-cli import product --item1 A1001"
    bin/barlabel-cli import product --item1 A1001 --count 2
    echo "--- barlabel-cli export products --no-launch; the first lines of Bars.txt:"
    bin/barlabel-cli export products --no-launch
    head -n 5 Bars.txt | iconv -f CP950 -t UTF-8
fi
