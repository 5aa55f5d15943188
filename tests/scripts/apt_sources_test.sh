#!/usr/bin/env bash
# scripts/apt-sources.sh reads the machine's apt sources in both forms: each case is a
# sources.list, a .sources file (deb822) and the entries expected, one per line.
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

check() {
    local name=$1 list=$2 deb822=$3 expected=$4 got
    rm -rf "$work/etc"
    mkdir -p "$work/etc/sources.list.d"
    [ -z "$list" ] || printf '%s\n' "$list" >"$work/etc/sources.list"
    [ -z "$deb822" ] || printf '%s\n' "$deb822" >"$work/etc/sources.list.d/main.sources"
    # Files apt itself ignores are ignored too.
    printf 'deb http://ignored.example/debian ignored main\n' >"$work/etc/sources.list.d/x.list.disabled"
    got=$(KVITOK_APT_ETC=$work/etc "$script" | tr '\t' '|')
    if [ "$got" != "$expected" ]; then
        printf 'FAIL %s\nexpected:\n%s\ngot:\n%s\n' "$name" "$expected" "$got"
        failed=1
    fi
}

check "one-line, options and comments" \
    $'# deb http://commented.example/debian bookworm main\ndeb [arch=amd64 signed-by=/k.gpg] http://a.example/debian bookworm main contrib # note\ndeb-src http://a.example/debian bookworm main\n  deb http://b.example/debian-security bookworm-security main' \
    "" \
    $'http://a.example/debian|bookworm|main contrib|/k.gpg\nhttp://b.example/debian-security|bookworm-security|main|'

check "deb822: several URIs and suites, a key inline, a disabled entry" \
    "" \
    $'# comment\nTypes: deb deb-src\nURIs: http://a.example/debian http://b.example/debian\nSuites: trixie trixie-updates\nComponents: main\nSigned-By:\n -----BEGIN PGP PUBLIC KEY BLOCK-----\n .\n -----END PGP PUBLIC KEY BLOCK-----\n\nTypes: deb\nURIs: http://c.example/debian\nSuites: trixie\nComponents: main\nEnabled: no\n\nTypes: deb-src\nURIs: http://d.example/debian\nSuites: trixie\nComponents: main\n\ntypes: deb\nuris: http://e.example/debian-security\nsuites: trixie-security\ncomponents: main non-free-firmware\nsigned-by: /usr/share/keyrings/debian-archive-keyring.gpg' \
    $'http://a.example/debian|trixie|main|\nhttp://a.example/debian|trixie-updates|main|\nhttp://b.example/debian|trixie|main|\nhttp://b.example/debian|trixie-updates|main|\nhttp://e.example/debian-security|trixie-security|main non-free-firmware|/usr/share/keyrings/debian-archive-keyring.gpg'

check "both forms, sources.list first" \
    "deb http://a.example/debian bookworm main" \
    $'Types: deb\nURIs: http://b.example/debian\nSuites: bookworm-updates\nComponents: main' \
    $'http://a.example/debian|bookworm|main|\nhttp://b.example/debian|bookworm-updates|main|'

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "apt sources: 3 passed, 0 failed"
