#!/usr/bin/env bash
# Signs one Windows file in place with Debian's osslsigncode (Authenticode, SHA-256). Called by
# scripts/windows.sh for kvitok.exe and by the installer's script for the uninstaller and the setup.
#
#   scripts/windows-sign.sh FILE [COPY]     COPY: a copy of the signed file is kept there too
#
# KVITOK_SIGN_CERT, KVITOK_SIGN_KEY    the certificate (PEM or DER) and its private key
# KVITOK_SIGN_PASS                     the key's password, when it has one
# KVITOK_SIGN_TIMESTAMP                an RFC 3161 time-stamp server's URL; without one the signing
#                                      time is SOURCE_DATE_EPOCH, so that one commit signed with one
#                                      key gives the same bytes
# KVITOK_SIGN_LIKE=DIR                 rather than a key: DIR holds the signed files of a build of
#                                      the same commit, and the signature of the file of the same
#                                      name there is attached, so that a signed release can be built
#                                      again without its key
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 FILE [COPY]" >&2
    exit 2
fi
file=$1 copy=${2:-}
name=$(basename "${copy:-$file}")
signed=$file.signed
log=$(mktemp)
rm -f "$signed"
trap 'rm -f "$signed" "$log" "$log.sig"' EXIT

if [ -n "${KVITOK_SIGN_LIKE:-}" ]; then
    osslsigncode extract-signature -in "$KVITOK_SIGN_LIKE/$name" -out "$log.sig" >"$log" 2>&1 ||
        { cat "$log" >&2; echo "$0: $KVITOK_SIGN_LIKE/$name has no signature to take" >&2; exit 1; }
    # attach-signature also checks the certificate against the system's authorities and says
    # "failed" for one they do not know; whether the signature fits this file is for the
    # comparison of the two builds to tell.
    osslsigncode attach-signature -sigin "$log.sig" -in "$file" -out "$signed" >"$log" 2>&1 || true
    [ -s "$signed" ] || { cat "$log" >&2; exit 1; }
    grep -q 'message digest.*MISMATCH' "$log" &&
        echo "note: the signature of $KVITOK_SIGN_LIKE/$name does not fit this build's $name"
    how="with the signature of $KVITOK_SIGN_LIKE/$name"
elif [ -n "${KVITOK_SIGN_CERT:-}" ] && [ -n "${KVITOK_SIGN_KEY:-}" ]; then
    options=(-h sha256 -certs "$KVITOK_SIGN_CERT" -key "$KVITOK_SIGN_KEY" -n kvitok)
    if [ -n "${KVITOK_SIGN_TIMESTAMP:-}" ]; then
        options+=(-ts "$KVITOK_SIGN_TIMESTAMP")
    else
        options+=(-time "${SOURCE_DATE_EPOCH:?SOURCE_DATE_EPOCH gives the signing time}")
    fi
    # The password reaches osslsigncode through a pipe rather than its command line, which
    # anyone on the machine can read.
    if [ -n "${KVITOK_SIGN_PASS:-}" ]; then
        osslsigncode sign "${options[@]}" -readpass <(printf '%s' "$KVITOK_SIGN_PASS") \
            -in "$file" -out "$signed" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
    else
        osslsigncode sign "${options[@]}" -in "$file" -out "$signed" >"$log" 2>&1 ||
            { cat "$log" >&2; exit 1; }
    fi
    how="with $(basename "$KVITOK_SIGN_CERT")"
else
    echo "$0: give KVITOK_SIGN_CERT and KVITOK_SIGN_KEY, or KVITOK_SIGN_LIKE" >&2
    exit 2
fi
chmod --reference="$file" "$signed"
mv "$signed" "$file"
[ -z "$copy" ] || cp "$file" "$copy"
echo "signed $name $how"
