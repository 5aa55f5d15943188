#!/usr/bin/env bash
# Builds kvitok for 64-bit Windows on Debian 12 with mingw-w64, and with "test" runs the tests
# under Wine. What the build needs is installed when missing; SQLite, libpng and libqrencode are
# built static from Debian's pinned source packages (each tarball's sha256 checked) into
# build-win/deps and reused from there. Arguments starting with -D go to the CMake configure step.
#
#   scripts/windows.sh                  build-win/: kvitok.exe, the core's libraries and the tests
#   scripts/windows.sh test             the same, then every test under Wine on a virtual display
#   scripts/windows.sh package          also kvitok-<version>-setup.exe (NSIS) and the portable zip
#   scripts/windows.sh smoke            also installs the setup under Wine, starts kvitok from its
#                                       Start-menu shortcut, takes screenshots, closes, uninstalls
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KVITOK_WIN_BUILD_DIR:-$root/build-win}
deps=$build/deps
triple=x86_64-w64-mingw32
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)

run_tests=0
make_package=0
run_smoke=0
cmake_args=()
for arg in "$@"; do
    case $arg in
    test) run_tests=1 ;;
    package) make_package=1 ;;
    smoke)
        make_package=1
        run_smoke=1
        ;;
    -D*) cmake_args+=("$arg") ;;
    *)
        echo "usage: $0 [test] [package] [smoke] [-DOPTION=VALUE...]" >&2
        exit 2
        ;;
    esac
done

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

stage() {
    echo "== windows: $* (at ${SECONDS}s)"
}

# --- what the machine needs ---------------------------------------------------------------

install_packages() {
    local packages=(
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
        libz-mingw-w64-dev googletest
        cmake make pkg-config gcc dpkg-dev tcl xz-utils bzip2
        wine wine64 fonts-wine nsis zip imagemagick xvfb xauth xdotool
        qt6-base-dev libqrencode-dev libpng-dev libsqlite3-dev g++
    )
    local missing=() p
    for p in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        stage "installing ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# The pinned sources: Debian source package, upstream tarball, its sha256. The tarball is the
# same in every Debian revision of the package, so the newest one of bookworm is asked for.
sources=(
    "sqlite3 sqlite3_3.40.1.orig.tar.xz aaa776260ab4dc976db34aa7891819484c8676b5b2783123ebc6301e2ca5d655"
    "libpng1.6 libpng1.6_1.6.39.orig.tar.gz a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441"
    "qrencode qrencode_4.1.1.orig.tar.bz2 e455d9732f8041cf5b9c388e345a641fd15707860f928e94507b1961256a6923"
)

ensure_deb_src() {
    if apt-get source --download-only --print-uris qrencode >/dev/null 2>&1; then
        return
    fi
    stage "adding Debian's bookworm source packages to apt"
    as_root tee /etc/apt/sources.list.d/kvitok-bookworm-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    as_root apt-get update -qq
}

sha256_of() {
    sha256sum "$1" | cut -d' ' -f1
}

# Fetches the upstream tarballs that are not yet here. apt-get may exit with an error when a
# Debian part of a package is missing on the mirror although the tarball came; the tarball's
# own checksum decides.
fetch_sources() {
    mkdir -p "$deps/src"
    local entry package tarball sum
    for entry in "${sources[@]}"; do
        read -r package tarball sum <<<"$entry"
        if [ -f "$deps/src/$tarball" ] && [ "$(sha256_of "$deps/src/$tarball")" = "$sum" ]; then
            continue
        fi
        ensure_deb_src
        stage "fetching $tarball"
        (cd "$deps/src" && apt-get source --download-only -qq "$package") ||
            echo "apt-get source $package ended with $?; checking the tarball itself"
        if [ ! -f "$deps/src/$tarball" ]; then
            echo "$tarball did not arrive" >&2
            exit 1
        fi
        if [ "$(sha256_of "$deps/src/$tarball")" != "$sum" ]; then
            echo "$tarball: sha256 $(sha256_of "$deps/src/$tarball"), expected $sum" >&2
            rm -f "$deps/src/$tarball"
            exit 1
        fi
    done
}

# --- the libraries, static for Windows ------------------------------------------------------

# unpack <tarball>: a clean tree of it in $deps/work, its folder printed.
unpack() {
    local work=$deps/work
    mkdir -p "$work"
    local top
    top=$(tar -tf "$deps/src/$1" | head -n1 | cut -d/ -f1)
    rm -rf "${work:?}/$top"
    tar -xf "$deps/src/$1" -C "$work"
    echo "$work/$top"
}

# built <name> <sha256>: true when the library was built from the tarball pinned now.
built() {
    [ -f "$deps/.built-$1" ] && [ "$(cat "$deps/.built-$1")" = "$2" ]
}

build_sqlite() {
    local sum=$1 tarball=$2
    built sqlite3 "$sum" && return
    stage "building SQLite"
    local tree
    tree=$(unpack "$tarball")
    # The amalgamation is generated by the native configure (it needs tclsh), then compiled once.
    mkdir -p "$tree/bld"
    (cd "$tree/bld" && ../configure --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
    mkdir -p "$deps/include" "$deps/lib"
    "$triple-gcc-posix" -O2 -DSQLITE_OMIT_LOAD_EXTENSION -c "$tree/bld/sqlite3.c" -o "$tree/bld/sqlite3.o"
    "$triple-ar" rcs "$deps/lib/libsqlite3.a" "$tree/bld/sqlite3.o"
    cp "$tree/bld/sqlite3.h" "$tree/bld/sqlite3ext.h" "$deps/include/"
    echo "$sum" >"$deps/.built-sqlite3"
}

# cmake_library <name> <sha256> <tarball> <cmake options...>
cmake_library() {
    local name=$1 sum=$2 tarball=$3
    shift 3
    built "$name" "$sum" && return
    stage "building $name"
    local tree
    tree=$(unpack "$tarball")
    cmake -S "$tree" -B "$tree/bld" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKVITOK_WIN_DEPS="$deps" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_SHARED_LIBS=OFF \
        -DZLIB_INCLUDE_DIR=/usr/$triple/include -DZLIB_LIBRARY=/usr/$triple/lib/libz.a \
        "$@" >/dev/null
    cmake --build "$tree/bld" -j "$jobs" >/dev/null
    cmake --install "$tree/bld" >/dev/null
    echo "$sum" >"$deps/.built-$name"
}

build_libraries() {
    local entry package tarball sum
    for entry in "${sources[@]}"; do
        read -r package tarball sum <<<"$entry"
        case $package in
        sqlite3) build_sqlite "$sum" "$tarball" ;;
        libpng1.6)
            cmake_library libpng "$sum" "$tarball" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF
            ;;
        qrencode)
            cmake_library qrencode "$sum" "$tarball" -DWITH_TOOLS=NO -DWITH_TESTS=NO
            ;;
        esac
    done
}

# --- kvitok ---------------------------------------------------------------------------------

# The icons and the dialogs' emblem are drawn by the Qt window's icon generator, built for
# this machine, and packed into .ico files: the Windows build carries no image of its own.
draw_icons() {
    stage "drawing the icons"
    local host=$build/host icons=$build/icons
    cmake -S "$root" -B "$host" -DCMAKE_BUILD_TYPE=Release -DKVITOK_TESTS=OFF -DKVITOK_BENCH=OFF >/dev/null
    cmake --build "$host" --target kvitok_icongen -j "$jobs" >/dev/null
    rm -rf "$icons/png"
    QT_QPA_PLATFORM=offscreen "$host/src/qt/kvitok_icongen" "$icons/png" 16 20 24 32 40 48 64 96 128 256 \
        emblem:100x104 emblem:150x156 emblem:200x208
    local side pngs=()
    for side in 16 20 24 32 40 48 64 96 128 256; do
        pngs+=("$icons/png/${side}x${side}/apps/kvitok.png")
    done
    convert "${pngs[@]}" "$icons/kvitok.ico"
    convert "$icons"/png/emblem/100x104.png "$icons"/png/emblem/150x156.png \
        "$icons"/png/emblem/200x208.png "$icons/emblem.ico"
}

build_core() {
    stage "building kvitok"
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKVITOK_WIN_DEPS="$deps" \
        -DCMAKE_BUILD_TYPE=Release -DKVITOK_BENCH=OFF -DKVITOK_WIN32_ICONS="$build/icons" \
        -DKVITOK_GTEST_SOURCE=/usr/src/googletest \
        -DCMAKE_CROSSCOMPILING_EMULATOR="env;WINEPREFIX=$build/wine;LANG=C.UTF-8;WINEDEBUG=-all;wine" \
        "${cmake_args[@]}"
    cmake --build "$build" -j "$jobs"
}

# Every program we built must run with the system's DLLs alone. The save dialog's, the shell's
# and the screen reader's (comdlg32, shell32, oleacc) are loaded when first used, never imported.
check_static() {
    local exe dll bad=0
    while IFS= read -r -d '' exe; do
        for dll in $("$triple-objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p'); do
            case ${dll,,} in
            kernel32.dll | user32.dll | gdi32.dll | ole32.dll | advapi32.dll | \
                comctl32.dll | msvcrt.dll | ws2_32.dll | shlwapi.dll | uxtheme.dll) ;;
            *)
                echo "$exe needs $dll" >&2
                bad=1
                ;;
            esac
        done
    done < <(find "$build/src" "$build/tests" -name '*.exe' -print0)
    [ "$bad" -eq 0 ]
}

# Wine keeps its Windows in a prefix inside the build folder; the first start makes it.
make_prefix() {
    export WINEPREFIX=$build/wine WINEDEBUG=-all LANG=C.UTF-8
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        stage "making the Wine prefix"
        wineboot --init >/dev/null 2>&1
        wineserver --wait
    fi
}

# A virtual display of our own for the windows; its number is whichever was free.
xvfb_pid=
start_display() {
    [ -n "$xvfb_pid" ] && return
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$(head -n1 <"$fifo")
    rm -f "$fifo"
    trap 'stop_display' EXIT
}
stop_display() {
    if [ -n "$xvfb_pid" ]; then
        wineserver -k 2>/dev/null || true
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    fi
}

run_tests_under_wine() {
    make_prefix
    start_display
    stage "tests under Wine (display $DISPLAY)"
    # One Wine server for the whole run: a test program that starts just as an idle server
    # quits loses its connection and fails. Its helper processes are started here, away from
    # ctest's output pipes, which they would otherwise hold open after each test.
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot </dev/null >/dev/null 2>&1
    local status=0
    ctest --test-dir "$build" --output-on-failure -j "$jobs" || status=$?
    wineserver -k 2>/dev/null || true
    return "$status"
}

version() {
    sed -n 's/^project(kvitok VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt"
}

# The installer and the portable zip, beside kvitok.exe in the build folder.
make_packages() {
    local v exe=$build/src/win32/kvitok.exe
    v=$(version)
    stage "installer and zip of kvitok $v"
    "$triple-strip" -o "$build/kvitok.exe" "$exe"
    makensis -V2 -DVERSION="$v" -DEXE="$build/kvitok.exe" -DICON="$build/icons/kvitok.ico" \
        -DSIZE_KB=$(($(stat -c %s "$build/kvitok.exe") / 1024)) \
        -DOUTFILE="$build/kvitok-$v-setup.exe" "$root/packaging/windows/kvitok.nsi"
    rm -f "$build/kvitok-$v-portable.zip"
    (cd "$build" && zip -q -X "kvitok-$v-portable.zip" kvitok.exe)
    ls -l "$build/kvitok-$v-setup.exe" "$build/kvitok-$v-portable.zip"
}

# shot <name>: the whole virtual screen as a PNG in the build folder.
shot() {
    import -window root "$build/smoke-$1.png"
    echo "screenshot: $build/smoke-$1.png"
}

# wait_window <title pattern>: the id of the visible window whose whole title matches, waiting
# up to 60 s.
wait_window() {
    local id i
    for i in $(seq 120); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return
        fi
        sleep 0.5
    done
    echo "no window \"$1\" appeared" >&2
    return 1
}

# What a person does: install, start kvitok from the Start menu, see the about box and the form
# of kvitok.ini, press Enter and find the receipt in Documents, close, uninstall. The person's own
# files stay. A Windows of its own, whose Documents lie in the build folder and whose browser
# is a no-op, keeps the machine's home and desktop out of it.
smoke_test() {
    local v setup programs documents appdata form
    v=$(version)
    setup=$build/kvitok-$v-setup.exe
    export WINEPREFIX=$build/wine-smoke WINEDEBUG=-all LANG=C.UTF-8
    rm -rf "$WINEPREFIX" "$build/smoke-home" "$build"/smoke-*.png
    mkdir -p "$build/smoke-home"
    HOME=$build/smoke-home wineboot --init >/dev/null 2>&1
    wineserver --wait
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d true /f >/dev/null 2>&1
    start_display

    stage "installing $(basename "$setup") silently under Wine"
    wine "$setup" /S
    wineserver --wait
    programs=$WINEPREFIX/drive_c/Program\ Files/kvitok
    local shortcut=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/kvitok.lnk
    [ -f "$programs/kvitok.exe" ] || { echo "kvitok.exe was not installed" >&2; return 1; }
    [ -f "$shortcut" ] || { echo "no Start-menu shortcut" >&2; return 1; }
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\kvitok' /v DisplayName 2>/dev/null |
        grep -q kvitok || { echo "no entry in Programs and Features" >&2; return 1; }
    documents=$(readlink -f "$(winepath -u "$(wine cmd /c 'echo %USERPROFILE%\Documents' | tr -d '\r')")")
    appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")

    # The form saved before: the entrepreneur's contribution for 2016 of the golden receipt.
    mkdir -p "$appdata/kvitok"
    rm -f "$documents/kvt.html"
    printf '%s\r\n' '[kvt_section]' 'kvt_insurer=Ivanov Ivan' 'kvt_addr=Olmgrad, 1' 'kvt_stat=2' 'kvt_year=8' \
        'kvt_per=1' 'kvt_kbk=2' 'kvt_inn=500100732259' 'kvt_regnum=123-456-789012' 'kvt_snils=112-233-445 95' \
        'kvt_bornyear=1970' 'kvt_oktmo=1' 'kvt_rub=19356' 'kvt_kop=48' 'kvt_revrub=0' 'kvt_revkop=00' \
        'kvt_filename=kvt.html' 'kvt_fromDate=01|01|2016' 'kvt_toDate=31|12|2016' >"$appdata/kvitok/kvitok.ini"

    stage "starting kvitok from its Start-menu shortcut"
    local began=$SECONDS
    wine start /wait 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\kvitok.lnk' &
    local started=$!
    local about
    about=$(wait_window "О программе.*kvitok")
    sleep 1
    shot about
    xdotool key --window "$about" Return 2>/dev/null
    form=$(wait_window kvitok)
    sleep 1
    shot form
    xdotool key --window "$form" Return 2>/dev/null
    local i
    for i in $(seq 60); do
        [ -s "$documents/kvt.html" ] && break
        sleep 0.5
    done
    LC_ALL=C sed -E 's/(data:image\/png;base64,)[^"]*/\1@PNG_BASE64@/g' "$documents/kvt.html" |
        cmp - "$root/tests/receipt/golden/contribution.html" ||
        { echo "kvt.html in Documents is not the golden receipt" >&2; return 1; }
    echo "kvt.html in Documents equals tests/receipt/golden/contribution.html, the images aside"
    xdotool key --window "$form" Escape 2>/dev/null
    sleep 1
    shot close-question
    xdotool key Return 2>/dev/null
    wait "$started"
    wineserver --wait
    echo "kvitok ran for $((SECONDS - began)) s and ended"
    grep -q 'kvt_insurer=Ivanov Ivan' "$appdata/kvitok/kvitok.ini" ||
        { echo "the form was not kept in kvitok.ini" >&2; return 1; }

    stage "uninstalling"
    wine "$programs/uninstall.exe" /S
    wineserver --wait
    [ ! -e "$programs/kvitok.exe" ] && [ ! -e "$shortcut" ] ||
        { echo "the uninstaller left the program behind" >&2; return 1; }
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\kvitok' >/dev/null 2>&1 &&
        { echo "the uninstaller left its entry in Programs and Features" >&2; return 1; }
    [ -f "$appdata/kvitok/kvitok.ini" ] && [ -f "$documents/kvt.html" ] ||
        { echo "the uninstaller took the person's files" >&2; return 1; }
    echo "installed, started, seen, used, closed and uninstalled"
}

# The steps, in order; each later product (the window, an installer, a zip) is one more step.
install_packages
fetch_sources
build_libraries
draw_icons
build_core
check_static
if [ "$run_tests" -eq 1 ]; then
    run_tests_under_wine
fi
if [ "$make_package" -eq 1 ]; then
    make_packages
fi
if [ "$run_smoke" -eq 1 ]; then
    smoke_test
fi
stage "done"
