# Sourced by the scripts that build kvitok for this machine (test.sh, run.sh, package.sh,
# update-golden.sh): one build that is tested, run and packaged alike, so that the package can be
# made from the very build the tests ran on. Sets kvitok_build_args to the CMake arguments:
# Debian's build flags (optimised, hardened, debug data for the strip step) without -Wdate-time,
# as the about box shows the build's time on purpose. That time is the last commit's unless the
# caller gives one (SOURCE_DATE_EPOCH), so that the same commit gives the same bytes.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}
kvitok_build_args=()
kvitok_set_build_args() {
    local cppflags cxxflags ldflags
    # dpkg-buildflags maps the folder it is asked from out of file names: the source folder.
    cppflags=$(cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS | sed 's/-Wdate-time//')
    cxxflags=$(cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)
    ldflags=$(cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)
    kvitok_build_args=(-DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="$cppflags $cxxflags"
        -DCMAKE_EXE_LINKER_FLAGS="$ldflags")
}
