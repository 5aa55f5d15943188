#!/usr/bin/env bash
# Builds kvitok for 64-bit Windows on Debian 12 with mingw-w64, and with "test" runs the tests
# under Wine. What the build needs is installed when missing; SQLite, libpng and libqrencode are
# built static from Debian's pinned source packages (Debian's patches applied, every part's sha256
# checked) into build-win/deps and reused from there. Arguments starting with -D go to the CMake configure step.
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
# The build's time is the last commit's unless the caller gives one: the compiler takes the about
# box's stamp from it and the installer and the zip their files' times, so that the same commit
# gives the same bytes.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}

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
        wine wine64 fonts-wine nsis zip unzip imagemagick xvfb xauth xdotool osslsigncode
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

# The pinned sources: each library is Debian's source package at one revision, Debian's patches
# (its security fixes among them) applied by dpkg-source, every part of it checked against the
# sha256 written here. Line: package, revision, the suite that has it, then each part and its
# sha256. A revision no longer on the mirror fails the build: never a build without the fixes.
# qrencode comes from trixie: bookworm's 4.1.1-1 lacks its Debian part on the mirror.
pins=(
    "sqlite3 3.40.1-2+deb12u2 bookworm
        sqlite3_3.40.1-2+deb12u2.dsc ee3459ae9d00939741c7708fc1b8ce1bde12d8c3fb1dfa005bbbc8651d884e23
        sqlite3_3.40.1.orig.tar.xz aaa776260ab4dc976db34aa7891819484c8676b5b2783123ebc6301e2ca5d655
        sqlite3_3.40.1.orig-www.tar.xz a5e95a18d1b59729278860559ded78751b9163ffb5bb906c5cd24c015f71d5fd
        sqlite3_3.40.1-2+deb12u2.debian.tar.xz 0843bc12e4364076477935ce313a6d0796fd899a989ff18ebb6545540e10e4ca"
    "libpng1.6 1.6.39-2+deb12u5 bookworm
        libpng1.6_1.6.39-2+deb12u5.dsc 7b86211030a34deb6b0a2cd7e1d9db0fe92443fd30cab537fb89b1e7f7c9f188
        libpng1.6_1.6.39.orig.tar.gz a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441
        libpng1.6_1.6.39-2+deb12u5.debian.tar.xz ab14906eda9fddf14cbb1e589b9ba7439c22e233dc3c5e3cf9356c9625565a82"
    "qrencode 4.1.1-2 trixie
        qrencode_4.1.1-2.dsc cb1ebd09c6e1eb0d93f5344aecaa8c518760ab388890f8588070faff49e2d260
        qrencode_4.1.1.orig.tar.bz2 e455d9732f8041cf5b9c388e345a641fd15707860f928e94507b1961256a6923
        qrencode_4.1.1-2.debian.tar.xz 3f97d63aac63706ecbbc8024549161a824d83303a462203e25a1ed7571a309e4"
)

sha256_of() {
    sha256sum "$1" | cut -d' ' -f1
}

# parts_ok <pin>: true when every part of the pinned source is here with its sha256.
parts_ok() {
    local words file sum i
    read -r -a words <<<"$(echo $1)"
    for ((i = 3; i < ${#words[@]}; i += 2)); do
        file=$deps/src/${words[i]} sum=${words[i + 1]}
        [ -f "$file" ] && [ "$(sha256_of "$file")" = "$sum" ] || return 1
    done
}

# Source packages are looked up with an apt of our own in $deps/apt (the machine's apt is left
# as it is): deb-src entries for the mirrors, suites and keys of the machine's own apt sources,
# and for a pinned suite the machine does not use, the mirror of its main suite.
apt_ready=0
apt_own() {
    local tool=$1 sandbox=()
    shift
    # root downloads into the build folder itself rather than through apt's unprivileged user.
    [ "$(id -u)" -eq 0 ] && sandbox=(-o APT::Sandbox::User=root)
    "$tool" "${sandbox[@]}" -o Dir::Etc::SourceList="$deps/apt/sources.list" \
        -o Dir::Etc::SourceParts="$deps/apt/sources.list.d" \
        -o Dir::State::Lists="$deps/apt/lists" -o Dir::Cache="$deps/apt/cache" \
        -o Debug::NoLocking=true "$@"
}
prepare_apt() {
    [ "$apt_ready" -eq 1 ] && return
    local codename entries main uri suite comps signed pin
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    entries=$("$root/scripts/apt-sources.sh" |
        awk -F'\t' -v c="$codename" 'c != "" && ($2 == c || index($2, c "-") == 1)')
    main=$(awk -F'\t' -v c="$codename" '$2 == c { print; exit }' <<<"$entries")
    if [ -z "$main" ]; then
        echo "windows.sh: this machine's apt sources name no Debian $codename mirror" >&2
        exit 1
    fi
    for pin in "${pins[@]}"; do
        read -r _ _ suite _ <<<"$pin"
        if ! cut -f2 <<<"$entries" | grep -qx -- "$suite"; then
            entries+=$'\n'$(awk -F'\t' -v OFS='\t' -v s="$suite" '{ $2 = s; print }' <<<"$main")
        fi
    done
    rm -rf "$deps/apt"
    mkdir -p "$deps/apt/sources.list.d" "$deps/apt/lists/partial" "$deps/apt/cache/archives/partial"
    : >"$deps/apt/sources.list"
    sort -u <<<"$entries" | while IFS=$'\t' read -r uri suite comps signed; do
        printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n' "$uri" "$suite" "$comps"
        [ -n "$signed" ] && printf 'Signed-By: %s\n' "$signed"
        echo
    done >"$deps/apt/sources.list.d/kvitok-src.sources"
    stage "reading the source package lists of $(cut -f1,2 <<<"$entries" | sort -u | tr '\t\n' ' ')"
    apt_own apt-get update -qq
    apt_ready=1
}

# Fetches the pinned sources that are not yet here, whole and checked, or stops.
fetch_sources() {
    mkdir -p "$deps/src"
    local pin package version suite words i file sum newest
    for pin in "${pins[@]}"; do
        parts_ok "$pin" && continue
        read -r package version suite _ <<<"$pin"
        prepare_apt
        stage "fetching $package $version from $suite"
        # A newer Debian revision of the same upstream version is most likely a fix.
        for newest in $(apt_own apt-cache showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p'); do
            if [ "${newest%-*}" = "${version%-*}" ] && dpkg --compare-versions "$newest" gt "$version"; then
                echo "note: Debian has $package $newest, newer than the pinned $version: update the pin"
            fi
        done
        (cd "$deps/src" && apt_own apt-get -qq source --download-only "$package=$version") ||
            echo "apt-get source $package=$version ended with $?"
        read -r -a words <<<"$(echo $pin)"
        for ((i = 3; i < ${#words[@]}; i += 2)); do
            file=${words[i]} sum=${words[i + 1]}
            if [ ! -f "$deps/src/$file" ]; then
                echo "windows.sh: $file of $package $version is not on the mirror; the Windows" \
                    "libraries are not built without Debian's fixes (pin a revision the mirror has)" >&2
                exit 1
            fi
            if [ "$(sha256_of "$deps/src/$file")" != "$sum" ]; then
                echo "windows.sh: $file: sha256 $(sha256_of "$deps/src/$file"), pinned $sum" >&2
                rm -f "$deps/src/$file"
                exit 1
            fi
        done
    done
}

# --- the libraries, static for Windows ------------------------------------------------------

# The libraries' own build paths are mapped out of their objects, so that the same sources give
# the same bytes in any build folder.
dep_optimize=-O2
dep_cflags="$dep_optimize -ffile-prefix-map=$deps/work=deps"

# unpack <pin>: Debian's source package unpacked in $deps/work with its patches applied, its
# folder printed; the revision unpacked must be the one pinned.
unpack() {
    local words package version tree got
    read -r -a words <<<"$(echo $1)"
    package=${words[0]} version=${words[1]}
    tree=$deps/work/$package
    rm -rf "$tree"
    mkdir -p "$deps/work"
    dpkg-source -x "$deps/src/${words[3]}" "$tree" >"$deps/work/$package.log" 2>&1 ||
        { cat "$deps/work/$package.log" >&2; exit 1; }
    got=$(dpkg-parsechangelog -l "$tree/debian/changelog" -S Version)
    if [ "$got" != "$version" ]; then
        echo "windows.sh: $package unpacked as $got, pinned $version" >&2
        exit 1
    fi
    # The patches applied, for the build log.
    grep -v '^\s*\(#\|$\)' "$tree/debian/patches/series" >"$deps/.patches-$package" 2>/dev/null || true
    echo "$tree"
}

# built <package> <pin> <options...>: true when the library was built from the source pinned now
# the way asked now.
built() {
    local package=$1 pin=$2
    shift 2
    [ -f "$deps/.built-$package" ] && [ "$(cat "$deps/.built-$package")" = "$(echo $pin) $dep_optimize $*" ]
}
mark_built() {
    local package=$1 pin=$2
    shift 2
    echo "$(echo $pin) $dep_optimize $*" >"$deps/.built-$package"
}

build_sqlite() {
    built sqlite3 "$1" && return
    stage "building SQLite"
    local tree
    tree=$(unpack "$1")
    # The amalgamation is generated by the native configure (it needs tclsh), then compiled once.
    mkdir -p "$tree/bld"
    (cd "$tree/bld" && ../configure --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
    mkdir -p "$deps/include" "$deps/lib"
    # shellcheck disable=SC2086
    (cd "$tree/bld" && "$triple-gcc-posix" $dep_cflags -DSQLITE_OMIT_LOAD_EXTENSION -c sqlite3.c -o sqlite3.o)
    rm -f "$deps/lib/libsqlite3.a"
    "$triple-ar" rcsD "$deps/lib/libsqlite3.a" "$tree/bld/sqlite3.o"
    cp "$tree/bld/sqlite3.h" "$tree/bld/sqlite3ext.h" "$deps/include/"
    mark_built sqlite3 "$1"
}

# cmake_library <package> <pin> <cmake options...>
cmake_library() {
    local package=$1 pin=$2
    shift 2
    built "$package" "$pin" "$@" && return
    stage "building $package"
    local tree
    tree=$(unpack "$pin")
    cmake -S "$tree" -B "$tree/bld" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKVITOK_WIN_DEPS="$deps" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_SHARED_LIBS=OFF \
        -DCMAKE_C_FLAGS="$dep_cflags" \
        -DZLIB_INCLUDE_DIR=/usr/$triple/include -DZLIB_LIBRARY=/usr/$triple/lib/libz.a \
        "$@" >/dev/null
    cmake --build "$tree/bld" -j "$jobs" >/dev/null
    cmake --install "$tree/bld" >/dev/null
    mark_built "$package" "$pin" "$@"
}

build_library() {
    case $1 in
    sqlite3) build_sqlite "$2" ;;
    libpng1.6) cmake_library libpng1.6 "$2" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF ;;
    qrencode) cmake_library qrencode "$2" -DWITH_TOOLS=NO -DWITH_TESTS=NO ;;
    esac
}

build_libraries() {
    local pin package version patches sqlite_pid= status=0
    # SQLite is one large file compiled on one core: the others are built beside it.
    for pin in "${pins[@]}"; do
        read -r package version _ <<<"$pin"
        if [ "$package" = sqlite3 ]; then
            build_library "$package" "$pin" &
            sqlite_pid=$!
        fi
    done
    for pin in "${pins[@]}"; do
        read -r package version _ <<<"$pin"
        [ "$package" = sqlite3 ] || build_library "$package" "$pin"
    done
    [ -z "$sqlite_pid" ] || wait "$sqlite_pid" || status=$?
    [ "$status" -eq 0 ] || exit "$status"
    for pin in "${pins[@]}"; do
        read -r package version _ <<<"$pin"
        patches=$(cat "$deps/.patches-$package" 2>/dev/null | wc -l)
        echo "windows: $package $version, Debian's source package with $patches patches applied"
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
    done < <(find "$build/src" "$build/tests" -name '*.exe' -print0 2>/dev/null)
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
    # Now and then Wine fails to start a test program at all (it ends at once, printing
    # nothing); such a test runs once more, and a test that really fails fails both times.
    ctest --test-dir "$build" --output-on-failure -j "$jobs" --repeat until-pass:2 || status=$?
    wineserver -k 2>/dev/null || true
    return "$status"
}

version() {
    sed -n 's/^project(kvitok VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt"
}

# signing: true when the Windows files are to be signed (scripts/windows-sign.sh tells how).
signing() {
    if [ -n "${KVITOK_SIGN_LIKE:-}" ]; then
        [ -d "$KVITOK_SIGN_LIKE" ] || { echo "windows.sh: no folder $KVITOK_SIGN_LIKE" >&2; exit 2; }
        # The installer's script signs from its own folder: the paths are made whole.
        KVITOK_SIGN_LIKE=$(readlink -f "$KVITOK_SIGN_LIKE")
        export KVITOK_SIGN_LIKE
        return 0
    fi
    if [ -n "${KVITOK_SIGN_CERT:-}" ] || [ -n "${KVITOK_SIGN_KEY:-}" ]; then
        if [ -z "${KVITOK_SIGN_CERT:-}" ] || [ -z "${KVITOK_SIGN_KEY:-}" ]; then
            echo "windows.sh: signing needs both KVITOK_SIGN_CERT and KVITOK_SIGN_KEY" >&2
            exit 2
        fi
        local f
        for f in "$KVITOK_SIGN_CERT" "$KVITOK_SIGN_KEY"; do
            [ -r "$f" ] || { echo "windows.sh: cannot read $f" >&2; exit 2; }
        done
        KVITOK_SIGN_CERT=$(readlink -f "$KVITOK_SIGN_CERT") KVITOK_SIGN_KEY=$(readlink -f "$KVITOK_SIGN_KEY")
        export KVITOK_SIGN_CERT KVITOK_SIGN_KEY
        return 0
    fi
    return 1
}

# The installer and the portable zip, beside kvitok.exe in the build folder; signed when asked,
# kvitok.exe before it goes into them, and the uninstaller (of which a copy stays here).
make_packages() {
    local v exe=$build/src/win32/kvitok.exe sign=()
    v=$(version)
    stage "installer and zip of kvitok $v"
    rm -f "$build/uninstall.exe"
    "$triple-strip" -o "$build/kvitok.exe" "$exe"
    if signing; then
        "$root/scripts/windows-sign.sh" "$build/kvitok.exe"
        sign=(-DSIGN="$root/scripts/windows-sign.sh" -DSIGNED_UNINSTALLER="$build/uninstall.exe")
    fi
    install -m 644 "$root/packaging/windows/kvitok-portable.txt" "$build/kvitok-portable.txt"
    touch -d "@$SOURCE_DATE_EPOCH" "$build/kvitok.exe" "$build/kvitok-portable.txt"
    makensis -V2 -DVERSION="$v" -DEXE="$build/kvitok.exe" -DICON="$build/icons/kvitok.ico" \
        -DSIZE_KB=$(($(stat -c %s "$build/kvitok.exe") / 1024)) "${sign[@]}" \
        -DOUTFILE="$build/kvitok-$v-setup.exe" "$root/packaging/windows/kvitok.nsi"
    rm -f "$build/kvitok-$v-portable.zip"
    # Without extra fields (owners, exact times); the time a zip keeps is local time, so UTC.
    # The marker file beside kvitok.exe makes this copy keep its files in its own folder.
    (cd "$build" && TZ=UTC zip -q -X "kvitok-$v-portable.zip" kvitok.exe kvitok-portable.txt)
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

# A Windows of its own for the smoke test, whose Documents lie in the build folder and whose
# browser is a no-op, keeps the machine's home and desktop out of it. Its two places for kvitok:
# the person's own install and the one for everyone, each with its shortcut and its entry in
# "Programs and Features".
smoke_places() {
    documents=$(readlink -f "$(winepath -u "$(wine cmd /c 'echo %USERPROFILE%\Documents' | tr -d '\r')")")
    appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")
    mine=$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')")/Programs/kvitok
    mine_shortcut="$appdata/Microsoft/Windows/Start Menu/Programs/kvitok.lnk"
    everyone=$WINEPREFIX/drive_c/Program\ Files/kvitok
    everyone_shortcut=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/kvitok.lnk
}

# entry_value <HKCU|HKLM> <name>: a value of kvitok's entry in "Programs and Features", or nothing.
entry_value() {
    wine reg query "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\kvitok" /v "$2" 2>/dev/null |
        tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z]* *//p"
}

# run_windows <program> <arguments...>: a setup or an uninstaller, waited for to its end.
run_windows() {
    wine "$@"
    wineserver --wait
}

# installed <name> <folder> <shortcut> <HKCU|HKLM>: that install is there, of this build, whole.
installed() {
    cmp -s "$2/kvitok.exe" "$build/kvitok.exe" || { echo "$1: no kvitok.exe of this build in $2" >&2; return 1; }
    [ -f "$2/uninstall.exe" ] || { echo "$1: no uninstaller in $2" >&2; return 1; }
    [ ! -e "$2/kvitok-portable.txt" ] || { echo "$1: the portable copy's marker was installed" >&2; return 1; }
    [ -f "$3" ] || { echo "$1: no Start-menu shortcut $3" >&2; return 1; }
    [ "$(entry_value "$4" DisplayVersion)" = "$(version)" ] &&
        [ "$(readlink -f "$(winepath -u "$(entry_value "$4" InstallLocation)")")" = "$(readlink -f "$2")" ] ||
        { echo "$1: no entry of this version for $2 in $4" >&2; return 1; }
}

# gone <name> <folder> <shortcut> <HKCU|HKLM>: nothing of that install is left.
gone() {
    [ ! -e "$2/kvitok.exe" ] && [ ! -e "$2/uninstall.exe" ] || { echo "$1: files left in $2" >&2; return 1; }
    [ ! -e "$3" ] || { echo "$1: shortcut $3 left" >&2; return 1; }
    [ -z "$(entry_value "$4" DisplayName)" ] || { echo "$1: entry left in $4" >&2; return 1; }
}

person_files_kept() {
    grep -q 'kvt_insurer=Ivanov Ivan' "$appdata/kvitok/kvitok.ini" && [ -f "$appdata/kvitok/insurers.db" ] &&
        [ -f "$documents/kvt.html" ] || { echo "the person's files were taken" >&2; return 1; }
}

# What a person does: install for themselves, start kvitok from the Start menu, see the about box
# and the form of kvitok.ini, press Enter and find the receipt in Documents, close. Then the other
# installs: for everyone by its switch; over an install for everyone of an earlier setup, whose
# choice page is seen and which a run without a switch updates in place; for oneself by its switch
# over it. Each uninstaller takes its own install only, and the person's files stay.
smoke_test() {
    local v setup earlier
    v=$(version)
    setup=$build/kvitok-$v-setup.exe
    export WINEPREFIX=$build/wine-smoke WINEDEBUG=-all LANG=C.UTF-8
    rm -rf "$WINEPREFIX" "$build/smoke-home" "$build"/smoke-*.png
    mkdir -p "$build/smoke-home"
    HOME=$build/smoke-home wineboot --init >/dev/null 2>&1
    wineserver --wait
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d true /f >/dev/null 2>&1
    start_display
    local documents appdata mine mine_shortcut everyone everyone_shortcut
    smoke_places

    # The portable copy: kvitok.exe and the marker that keeps its files beside it.
    local zip=$build/kvitok-$v-portable.zip
    [ "$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')" = "kvitok-portable.txt kvitok.exe " ] &&
        unzip -p "$zip" kvitok.exe | cmp -s - "$build/kvitok.exe" &&
        unzip -p "$zip" kvitok-portable.txt | cmp -s - "$root/packaging/windows/kvitok-portable.txt" ||
        { echo "$(basename "$zip") does not hold kvitok.exe and its marker alone" >&2; return 1; }

    stage "installing $(basename "$setup") silently, for this person by default"
    run_windows "$setup" /S
    installed "the install for this person" "$mine" "$mine_shortcut" HKCU
    gone "the install for everyone" "$everyone" "$everyone_shortcut" HKLM

    # The form saved before: the entrepreneur's contribution for 2016 of the golden receipt.
    mkdir -p "$appdata/kvitok"
    rm -f "$documents/kvt.html"
    printf '%s\r\n' '[kvt_section]' 'kvt_insurer=Ivanov Ivan' 'kvt_addr=Olmgrad, 1' 'kvt_stat=2' 'kvt_year=8' \
        'kvt_per=1' 'kvt_kbk=2' 'kvt_inn=500100732259' 'kvt_regnum=123-456-789012' 'kvt_snils=112-233-445 95' \
        'kvt_bornyear=1970' 'kvt_oktmo=1' 'kvt_rub=19356' 'kvt_kop=48' 'kvt_revrub=0' 'kvt_revkop=00' \
        'kvt_filename=kvt.html' 'kvt_fromDate=01|01|2016' 'kvt_toDate=31|12|2016' >"$appdata/kvitok/kvitok.ini"

    stage "starting kvitok from its Start-menu shortcut"
    local began=$SECONDS
    wine start /wait "$(winepath -w "$mine_shortcut")" &
    local started=$!
    local about form
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
    # The payers the person would have saved.
    [ -f "$appdata/kvitok/insurers.db" ] || echo "payers" >"$appdata/kvitok/insurers.db"

    stage "installing for everyone by /AllUsers, and uninstalling that"
    run_windows "$setup" /S /AllUsers
    installed "the install for everyone" "$everyone" "$everyone_shortcut" HKLM
    installed "the install for this person" "$mine" "$mine_shortcut" HKCU
    run_windows "$everyone/uninstall.exe" /S
    gone "the install for everyone" "$everyone" "$everyone_shortcut" HKLM
    installed "the install for this person, after the other's uninstaller" "$mine" "$mine_shortcut" HKCU
    person_files_kept

    stage "updating an earlier setup's install for everyone"
    earlier=$build/smoke-earlier
    mkdir -p "$earlier"
    echo "the earlier kvitok.exe" >"$earlier/kvitok.exe"
    makensis -V2 -DEXE="$earlier/kvitok.exe" -DOUTFILE="$earlier/kvitok-earlier.exe" \
        "$root/packaging/windows/smoke/earlier-for-everyone.nsi"
    run_windows "$earlier/kvitok-earlier.exe" /S
    [ "$(entry_value HKLM DisplayVersion)" = 2.3 ] && [ -f "$everyone/uninstall.exe" ] ||
        { echo "the earlier setup did not install" >&2; return 1; }
    # A person starting the setup meets the choice page, the install for everyone chosen.
    wine "$setup" &
    local interactive=$! window
    window=$(wait_window "Установка kvitok $v")
    sleep 1
    xdotool key --window "$window" Return 2>/dev/null
    sleep 2
    shot installer-choice
    # Cancel, and yes to the question whether to.
    xdotool key --window "$window" Escape 2>/dev/null
    sleep 1
    xdotool key Return 2>/dev/null
    wait "$interactive" || true
    wineserver --wait
    [ "$(entry_value HKLM DisplayVersion)" = 2.3 ] || { echo "the cancelled setup changed the install" >&2; return 1; }
    run_windows "$setup" /S
    installed "the updated install for everyone" "$everyone" "$everyone_shortcut" HKLM
    cmp -s "$everyone/uninstall.exe" "$mine/uninstall.exe" ||
        { echo "the install for everyone kept the earlier uninstaller" >&2; return 1; }
    installed "the install for this person, after the update for everyone" "$mine" "$mine_shortcut" HKCU

    stage "uninstalling for this person, installing again by /CurrentUser, uninstalling both"
    run_windows "$mine/uninstall.exe" /S
    gone "the install for this person" "$mine" "$mine_shortcut" HKCU
    installed "the install for everyone, after the other's uninstaller" "$everyone" "$everyone_shortcut" HKLM
    person_files_kept
    run_windows "$setup" /S /CurrentUser
    installed "the install for this person by /CurrentUser" "$mine" "$mine_shortcut" HKCU
    installed "the install for everyone, after /CurrentUser" "$everyone" "$everyone_shortcut" HKLM
    if [ -f "$build/uninstall.exe" ]; then
        cmp -s "$mine/uninstall.exe" "$build/uninstall.exe" ||
            { echo "the installed uninstaller is not the signed one" >&2; return 1; }
        echo "the installed uninstaller is the signed one"
    fi
    run_windows "$everyone/uninstall.exe" /S
    gone "the install for everyone" "$everyone" "$everyone_shortcut" HKLM
    installed "the install for this person, after the other's uninstaller" "$mine" "$mine_shortcut" HKCU
    run_windows "$mine/uninstall.exe" /S
    gone "the install for this person" "$mine" "$mine_shortcut" HKCU
    person_files_kept

    # A run without administrator rights starts itself again with them for an install for
    # everyone, waits for it and tells its outcome; so does that install's uninstaller.
    stage "without administrator rights: /AllUsers and its uninstaller start again with them"
    local pretend=$build/smoke-without-admin/kvitok-$v-setup.exe
    mkdir -p "$(dirname "$pretend")"
    makensis -V2 -DSMOKE_WITHOUT_ADMIN -DVERSION="$v" -DEXE="$build/kvitok.exe" -DICON="$build/icons/kvitok.ico" \
        -DSIZE_KB=1 -DOUTFILE="$pretend" "$root/packaging/windows/kvitok.nsi"
    # Wine's trace of the processes it starts shows the second run.
    local trace=$build/smoke-without-admin/processes.log
    WINEDEBUG=-all,trace+process run_windows "$pretend" /S /AllUsers 2>"$trace" ||
        { echo "the setup started again failed" >&2; return 1; }
    grep -q 'CreateProcessInternalW .* /S /AllUsers /Elevated"' "$trace" ||
        { echo "the setup did not start again with administrator rights" >&2; return 1; }
    installed "the install for everyone, by a run started again" "$everyone" "$everyone_shortcut" HKLM
    gone "the install for this person" "$mine" "$mine_shortcut" HKCU
    WINEDEBUG=-all,trace+process run_windows "$everyone/uninstall.exe" /S 2>"$trace" ||
        { echo "the uninstaller started again failed" >&2; return 1; }
    grep -q 'CreateProcessInternalW .* /S /Elevated _?=' "$trace" ||
        { echo "the uninstaller did not start again with administrator rights" >&2; return 1; }
    gone "the install for everyone, by an uninstaller started again" "$everyone" "$everyone_shortcut" HKLM
    person_files_kept
    echo "installed for this person and for everyone, updated, started, seen, used, closed and uninstalled"
}

# The steps, in order; each later product (the window, an installer, a zip) is one more step.
# A half-given certificate is told now rather than after the build.
[ "$make_package" -eq 0 ] || signing || true
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
