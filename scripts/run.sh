#!/usr/bin/env bash
# Sets up, builds and starts Quorvel.exe under Wine (code page 936, UTC+8).
#   --local-time-server   also serve every time server from a loopback server, through
#                         http_proxy, so a fetch succeeds on a machine without internet.
# Without a display it runs on a private Xvfb and saves a screenshot after a few seconds.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
local_server=0
for arg in "$@"; do
    case "$arg" in
        --local-time-server) local_server=1 ;;
        *) echo "usage: $0 [--local-time-server]" >&2; exit 2 ;;
    esac
done

"$here/scripts/setup.sh"
source "$here/scripts/trees.sh"
tree=build/win32
arch=i686
loader=/usr/lib/wine/wine
if ! "$here/scripts/i386-runs.sh"; then
    echo "This kernel runs no 32-bit programs: starting the x86-64 build of the same sources."
    tree=build/win64
    arch=x86_64
    loader=/usr/lib/wine/wine64
fi
configure_windows "$arch"
cmake --build "$tree" -j "$(nproc)" --target Quorvel
exe="$here/$tree/Quorvel.exe"

export WINEPREFIX="$here/$tree/wineprefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 TZ=Asia/Shanghai
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2> /dev/null || true; done
    wineserver -k 2> /dev/null || true
    [ -n "${test_display_pid:-}" ] && kill "$test_display_pid" 2> /dev/null || true
}
trap cleanup EXIT

if [ "$local_server" = 1 ]; then
    /usr/bin/python3 "$here/scripts/local-time-server.py" 18123 &
    pids+=($!)
    export http_proxy=http://127.0.0.1:18123
    echo "Every time server is answered by a loopback server on port 18123."
fi

if [ -z "${DISPLAY:-}" ]; then
    start_test_display
    "$loader" "$exe" > /dev/null 2>&1 &
    pids+=($!)
    echo "No display: Quorvel runs on Xvfb $DISPLAY; waiting for its window..."
    shot="$here/build/quorvel-screenshot.png"
    for _ in $(seq 180); do
        sleep 1
        if xdotool search --name '^Quorvelv1.8$' > /dev/null 2>&1; then sleep 3; break; fi
    done
    import -window root "$shot" && echo "Screenshot saved to $shot"
else
    "$loader" "$exe"
fi
