# Build-tree helpers shared by the scripts (sourced, not run).
deps=${QUORVEL_DEPS:-$here/build/deps}

configure_native() {
    cmake -S "$here" -B "$here/build/native" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Debug > /dev/null
}

# The same native suites, built with AddressSanitizer and UndefinedBehaviorSanitizer.
configure_sanitized() {
    cmake -S "$here" -B "$here/build/sanitize" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Debug \
        -DQUORVEL_SANITIZE=ON > /dev/null
}

# configure_windows <i686|x86_64> [cmake options]: the i686 tree is build/win32, the other build/win64.
configure_windows() {
    local arch=$1
    shift
    local tree=build/win32
    [ "$arch" = x86_64 ] && tree=build/win64
    cmake -S "$here" -B "$here/$tree" -G "Unix Makefiles" \
        -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DJPEG_INCLUDE_DIR="$deps/libjpeg-$arch/include" -DJPEG_LIBRARY="$deps/libjpeg-$arch/lib/libjpeg.a" \
        "$@" > /dev/null
}

# One X display for the whole run, so every Wine program of the run shares it.
start_test_display() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
        test_display_pid=$!
        export DISPLAY=":$n"
        for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
    done
    echo "no X display could be started" >&2
    return 1
}

stop_test_display() {
    local tree
    for tree in build/win32 build/win64; do
        [ -d "$here/$tree/wineprefix" ] && WINEPREFIX="$here/$tree/wineprefix" wineserver -k > /dev/null 2>&1 || true
    done
    if [ -n "${test_display_pid:-}" ]; then
        kill "$test_display_pid" 2> /dev/null || true
        wait "$test_display_pid" 2> /dev/null || true
    fi
}
