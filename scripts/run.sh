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

# Output settings with a few label columns, so the demo's Bars.txt shows something (Big5, as the program keeps it).
if [ ! -f "$demo/BarSet.ini" ]; then
    printf '[SET]\r\nCHK13=0\r\nPar01=產品條碼(20C)\r\nPar02=品名(42C)\r\nPar03=顏色(8C)\r\nPar04=尺寸(8C)\r\nPar05=特價(沒有依牌價)\r\n' |
        iconv -f UTF-8 -t CP950 > "$demo/BarSet.ini"
fi

cd "$demo"
./barlabel-cli tables create
if [ -x ./barlabel ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    ./barlabel
else
    [ -x ./barlabel ] && echo "No display: running the headless demo of barlabel-cli instead."
    echo "--- barlabel-cli linktest"
    ./barlabel-cli linktest
    echo "--- barlabel-cli branches"
    ./barlabel-cli branches
    echo "--- barlabel-cli import product --item1 A1001"
    ./barlabel-cli import product --item1 A1001 --count 2
    echo "--- barlabel-cli export products --no-launch; the first lines of Bars.txt:"
    ./barlabel-cli export products --no-launch
    head -n 5 Bars.txt | iconv -f CP950 -t UTF-8
fi
