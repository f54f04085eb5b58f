#!/usr/bin/env bash
# An installer hands a site over: the program is started with the site's file (as
# a double-click on it starts it) and shows that file's values; Ctrl+P, pressed
# while a text field has the focus, opens the print preview of the handover
# sheet; File > Exportálás PDF-be…, chosen with the mouse, writes the sheet as a
# PDF that holds the form's values with the PIN masked. A broken file given at
# start is refused with the load's own message and leaves the form empty.
source "$(dirname "$0")/desktop.sh"

start_desktop
named=(36709996500 7391 0042 Kapu 1 Ajto Ablak 12 K3be K4be K3ki K4ki Nyitva Zarva Riaszt Rendben)
write_config "$WORK/kapu.k83" "${named[@]}"

STEP="rzm417 broken.k83"
{ cat "$WORK/kapu.k83"; printf '\r\n'; } >"$WORK/broken.k83" # one line too many
write_config "$WORK/start.k83" 36309888000 # the form at start: the first operator's centre
start_app "$WORK/broken.k83"
expect_box "File error."
# What the form holds, as Mentés stores it: the form at start, nothing of the refused file.
key ctrl+s
choose_file "Save File" "$WORK/after-refusal.k83"
expect_box "Save"
cmp "$WORK/after-refusal.k83" "$WORK/start.k83" >&2 || fail "the form is not as at start after the refused file"
key ctrl+q
wait_until 10 app_ended || fail "the program did not end on Ctrl+Q"

STEP="rzm417 kapu.k83"
start_app "$WORK/kapu.k83"
expect_box "File opened."
expect_title "$MAIN_TITLE"
# The form holds the file's values: each field's text read back through the clipboard.
for field in m_nev be1_nev; do
    click_field "$field"
    key ctrl+a ctrl+c
    want=${named[3]}
    [ "$field" = be1_nev ] && want=${named[5]}
    wait_until 5 clipboard_is "$want" || fail "$field shows \"$(clipboard_get)\", not \"$want\" (step: $STEP)"
done

STEP="Ctrl+P in a text field"
click_field m_nev
key ctrl+p
preview=$(wait_window "Print Preview") || fail "Ctrl+P opened no print preview"
sleep 0.5
import -window "$preview" "$WORK/preview.png" 2>/dev/null || fail "no picture of the preview"
# A drawn sheet: the page (the white area below the tool bar) holds dark text and
# rules; an empty page would hold none.
page=$(convert "$WORK/preview.png" -chop 0x40 -fill black -fuzz 1% +opaque white -format '%@' info:)
dark=$(convert "$WORK/preview.png" -chop 0x40 -crop "$page" +repage -shave 6x6 -colorspace Gray -threshold 50% \
    -format '%[fx:round((1-mean)*w*h)]' info:)
[ "$dark" -gt 1000 ] || fail "the preview's page ($page) shows hardly anything drawn: $dark dark pixels"
log "the preview's page ($page) holds $dark dark pixels"
key Escape
wait_gone "Print Preview" || fail "the print preview stayed open"
expect_windows "$MAIN_TITLE"

STEP="File > Exportálás PDF-be… with the mouse"
menu_click $MENU_FILE $ENTRY_EXPORT
choose_file "Exportálás PDF-be" "$WORK/lap.pdf"
expect_box "Export"
text=$(pdftotext -layout "$WORK/lap.pdf" -) || fail "lap.pdf is not a readable PDF"
for value in Kapu 0042 36709996500 Ajto Ablak Nyitva Rendben '\*\*\*\*'; do
    grep -q -- "$value" <<<"$text" || fail "lap.pdf does not hold $value"
done
! grep -q 7391 <<<"$text" || fail "lap.pdf shows the PIN"
expect_title "$MAIN_TITLE"
log "passed"
