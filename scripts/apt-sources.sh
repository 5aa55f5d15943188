#!/usr/bin/env bash
# Prints the binary-package entries this machine's apt uses, one line per URI and suite:
#   URI <tab> SUITE <tab> COMPONENTS (space-separated) <tab> SIGNED-BY (may be empty)
# read from /etc/apt/sources.list and /etc/apt/sources.list.d/*.list (one-line form) and
# /etc/apt/sources.list.d/*.sources (deb822), in apt's order. Disabled entries are left out.
# The scripts take the mirror from here, so that they use whatever the machine was set up with.
set -euo pipefail
etc=${KVITOK_APT_ETC:-/etc/apt}

one_line() {
    # deb [option=value ...] URI SUITE [COMPONENT ...]
    awk '
        { sub(/#.*/, "") }
        $1 != "deb" { next }
        {
            signed = ""
            rest = substr($0, index($0, "deb") + 3)
            if (match(rest, /^[ \t]*\[[^]]*\]/)) {
                opts = substr(rest, RSTART, RLENGTH)
                rest = substr(rest, RSTART + RLENGTH)
                gsub(/[][]/, "", opts)
                n = split(opts, o, /[ \t]+/)
                for (i = 1; i <= n; i++)
                    if (o[i] ~ /^signed-by=/) signed = substr(o[i], 11)
            }
            n = split(rest, f, /[ \t]+/)
            k = 0
            for (i = 1; i <= n; i++) if (f[i] != "") w[++k] = f[i]
            if (k < 2) next
            comps = ""
            for (i = 3; i <= k; i++) comps = comps (i > 3 ? " " : "") w[i]
            printf "%s\t%s\t%s\t%s\n", w[1], w[2], comps, signed
        }' "$1"
}

deb822() {
    # Paragraphs of "Field: value" lines; a line starting with a space continues the field
    # before it (a key written inline under Signed-By is left to apt's own key rings).
    awk '
        function flush(   i, j, nu, ns, u, s) {
            if (types ~ /(^| )deb( |$)/ && tolower(enabled) != "no") {
                nu = split(uris, u, / +/)
                ns = split(suites, s, / +/)
                for (i = 1; i <= nu; i++)
                    for (j = 1; j <= ns; j++)
                        if (u[i] != "" && s[j] != "")
                            printf "%s\t%s\t%s\t%s\n", u[i], s[j], comps, signed
            }
            types = uris = suites = comps = signed = enabled = ""; field = ""
        }
        /^#/ { next }
        /^[ \t]*$/ { flush(); next }
        /^[ \t]/ { if (field == "signed-by") signed = ""; next }
        {
            field = tolower(substr($0, 1, index($0, ":") - 1))
            value = substr($0, index($0, ":") + 1)
            gsub(/^[ \t]+|[ \t]+$/, "", value)
            gsub(/[ \t]+/, " ", value)
            if (field == "types") types = value
            else if (field == "uris") uris = value
            else if (field == "suites") suites = value
            else if (field == "components") comps = value
            else if (field == "signed-by") signed = value
            else if (field == "enabled") enabled = value
        }
        END { flush() }' "$1"
}

[ -f "$etc/sources.list" ] && one_line "$etc/sources.list"
for file in "$etc"/sources.list.d/*; do
    case $file in
    *.list) one_line "$file" ;;
    *.sources) deb822 "$file" ;;
    esac
done
exit 0
