#!/usr/bin/env bash
# Opens the typical receipt page in headless Chromium, takes a screenshot at device scale 1
# and prints it to PDF (rasterised at 300 dpi); zbarimg must read the exact payment line
# from both pictures.
set -euo pipefail
writer=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/kvitok-browser-XXXXXX")
trap 'rm -rf "$work"' EXIT

"$writer" "$work/kvt.html" "$work/payload.txt"

browser=(timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run
    --disable-background-networking --disable-component-update --disable-sync
    --user-data-dir="$work/profile")
"${browser[@]}" --force-device-scale-factor=1 --window-size=1024,1100 --hide-scrollbars \
    --screenshot="$work/screen.png" "file://$work/kvt.html" >"$work/chromium.log" 2>&1
"${browser[@]}" --no-pdf-header-footer --print-to-pdf="$work/print.pdf" \
    "file://$work/kvt.html" >>"$work/chromium.log" 2>&1
pdftoppm -r 300 -png -f 1 -l 1 -singlefile "$work/print.pdf" "$work/print"

status=0
for picture in screen.png print.png; do
    if [ ! -s "$work/$picture" ]; then
        echo "$picture: not made"; cat "$work/chromium.log"; status=1; continue
    fi
    if ! zbarimg -q --raw -Sdisable -Sqrcode.enable -Sbinary "$work/$picture" >"$work/decoded" \
        2>"$work/zbarimg.log"; then
        echo "$picture: no QR code found"; status=1; continue
    fi
    # Some zbarimg versions end the raw bytes with a line feed.
    cp "$work/payload.txt" "$work/payload-lf.txt" && echo >>"$work/payload-lf.txt"
    if cmp -s "$work/decoded" "$work/payload.txt" || cmp -s "$work/decoded" "$work/payload-lf.txt"; then
        echo "$picture: decoded $(wc -c <"$work/payload.txt") bytes, equal to the payment line"
    else
        echo "$picture: decoded text differs from the payment line"
        cmp "$work/decoded" "$work/payload.txt" || true
        status=1
    fi
done
exit $status
