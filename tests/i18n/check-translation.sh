#!/usr/bin/env bash
# Checks that a translation is complete and fits the sources as they are now:
#
#   check-translation.sh LUPDATE TS_FILE LUPDATE_ARGUMENTS...
#
# lupdate gathers the sources' texts into a scratch copy of TS_FILE (the file itself stays as
# it is). The check fails, naming each text, when lupdate cannot place a text in its context,
# when a text has no translation or an unfinished one, when an entry's text has gone from the
# sources, or when a translation loses a placeholder (%1), a CR LF line break or the blanks and
# line ends at its start and end, which the program's messages and columns rely on.
set -euo pipefail
lupdate=$1
ts=$2
shift 2

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
copy="$scratch/$(basename "$ts")"
cp "$ts" "$copy"

# lupdate names a text it cannot file under the context the program looks it up in by the
# source file and line: such a text would never be translated.
if ! "$lupdate" "$@" -ts "$copy" >"$scratch/lupdate.log" 2>&1; then
    cat "$scratch/lupdate.log"
    echo "FAIL: lupdate could not update a copy of $ts" >&2
    exit 1
fi
warnings=$(grep -E '^[^ ].*:[0-9]+: ' "$scratch/lupdate.log" || true)

awk -v warnings="$warnings" '
function plain(text) {
    gsub(/<byte value="xd"\/>/, "\r", text)
    gsub(/&lt;/, "<", text); gsub(/&gt;/, ">", text)
    gsub(/&quot;/, "\"", text); gsub(/&apos;/, "\047", text); gsub(/&amp;/, "\\&", text)
    return text
}
function shown(text) {
    gsub(/\r/, "", text); gsub(/\n/, " / ", text)
    return "[" context "] \"" (length(text) > 70 ? substr(text, 1, 67) "..." : text) "\""
}
function placeholders(text,    found, list, n, i, j, t) {
    n = 0
    while (match(text, /%[0-9]+/)) {
        found[++n] = substr(text, RSTART, RLENGTH)
        text = substr(text, RSTART + RLENGTH)
    }
    for (i = 2; i <= n; ++i)  # sorted, so the order may change
        for (j = i; j > 1 && found[j - 1] > found[j]; --j) {
            t = found[j]; found[j] = found[j - 1]; found[j - 1] = t
        }
    list = ""
    for (i = 1; i <= n; ++i)
        list = list " " found[i]
    return list
}
function count(text, what,    n, i) {
    n = 0
    while ((i = index(text, what)) > 0) {
        ++n
        text = substr(text, i + length(what))
    }
    return n
}
function edges(text,    head, tail) {
    match(text, /^[ \n\t]*/); head = substr(text, 1, RLENGTH)
    match(text, /[ \n\t]*$/); tail = substr(text, RSTART)
    return "<" head "|" tail ">"
}
function complain(why, text) {
    print "  " why ": " shown(text)
    ++problems
}
BEGIN { RS = "</message>"; problems = 0 }
{
    if (match($0, /<name>[^<]*<\/name>/))
        context = substr($0, RSTART + 6, RLENGTH - 13)
    start = index($0, "<source>")
    if (start == 0)
        next
    rest = substr($0, start + 8)
    source = plain(substr(rest, 1, index(rest, "</source>") - 1))
    if (!match(rest, /<translation[^>]*>/)) {
        complain("no translation", source)
        next
    }
    tag = substr(rest, RSTART, RLENGTH)
    rest = substr(rest, RSTART + RLENGTH)
    raw = tag ~ /\/>$/ ? "" : substr(rest, 1, index(rest, "</translation>") - 1)
    # a plural is checked by its first form
    if (match(raw, /<numerusform>[^<]*<\/numerusform>/))
        raw = substr(raw, RSTART + 13, RLENGTH - 27)
    translation = plain(raw)
    if (tag ~ /type="(obsolete|vanished)"/)
        complain("no longer in the sources", source)
    else if (tag ~ /type="unfinished"/ && translation == "")
        complain("not translated", source)
    else if (tag ~ /type="unfinished"/)
        complain("translation unfinished", source)
    else if (translation == "")
        complain("empty translation", source)
    else if (placeholders(translation) != placeholders(source))
        complain("placeholders [" placeholders(source) " ] became [" placeholders(translation) " ]", source)
    else if (count(translation, "\r\n") != count(source, "\r\n"))
        complain("CR LF line breaks changed", source)
    else if (edges(translation) != edges(source))
        complain("blanks or line ends at the start or end changed", source)
}
END {
    if (warnings != "") {
        print "  lupdate cannot file these texts under the context the program uses:"
        print warnings
        ++problems
    }
    exit problems > 0
}' "$copy" >"$scratch/problems.txt" || {
    echo "FAIL: $ts does not match the sources:"
    cat "$scratch/problems.txt"
    echo "Run \`cmake --build build --target update_translations\`, translate what is new in"
    echo "$ts (Qt Linguist, or any text editor), and see docs/translating.md."
    exit 1
}
echo "$(basename "$ts"): every text of the sources is translated"
