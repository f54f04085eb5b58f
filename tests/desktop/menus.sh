#!/usr/bin/env bash
# An installer works with the mouse and the menus: opens a form, adds a telephone
# number with a right, downloads it into the module, reads the module back over
# an edit (letting the edit go), verifies, and saves. The module gets the form's
# exact fields, and the saved file is what the module holds.
source "$(dirname "$0")/desktop.sh"

start_desktop
start_sim
start_app
named=(36309888000 1234 0007 Modul 1 Be1 Be2 5 K3be K4be K3ki K4ki B1be B1ki B2be B2ki)
write_config "$WORK/full.k83" "${named[@]}"

STEP="File > Megnyitás"
menu_click $MENU_FILE $ENTRY_OPEN
choose_file "Open File" "$WORK/full.k83"
expect_box "File opened."
STEP="a telephone number with input 2 alarm"
click_field tc1_1
click_field t1
type_text "36301234567"

STEP="Eszköz > Betöltés az eszközbe"
menu_click $MENU_DEVICE $ENTRY_DOWNLOAD
wait_window "Download" >/dev/null || fail "no download dialog"
# On success the dialog closes by itself after two seconds.
wait_gone "Download" 10 || fail "the download dialog stayed open"
{
    for f in "${named[@]::7}"; do printf '%-16s\n' "$f"; done
    printf '%-16s\n' 0005 "${named[@]:8}"
    for ((i = 0; i < 12; i++)); do printf '%16s\n' ''; done
    printf '%-16s\n' 2036301234567
    for ((i = 1; i < 64; i++)); do printf '%-16s\n' 00; done
} >"$WORK/expected-module.txt"
cmp "$WORK/module.txt" "$WORK/expected-module.txt" >&2 || fail "the module holds something else: $(diff "$WORK/module.txt" "$WORK/expected-module.txt")"
expect_title "$MAIN_TITLE"

STEP="Eszköz > Kiolvasás az eszközből over an edit"
click_field tc1_1
click_field m_nev
key ctrl+a
type_text "Valami"
expect_title "$MAIN_TITLE*"
menu_click $MENU_DEVICE $ENTRY_READUP
# The read-out replaces the edit: the question comes first, and Discard lets it go.
expect_box "Unsaved changes" "Tab space"
# A read-out that succeeded leaves nothing unsaved: the mark goes.
expect_title "$MAIN_TITLE"
STEP="Eszköz > Betöltés ellenőrzése"
menu_click $MENU_DEVICE $ENTRY_VERIFY
expect_box "Ellenőrzés"

STEP="File > Mentés"
menu_click $MENU_FILE $ENTRY_SAVE
choose_file "Save File" "$WORK/saved.k83"
expect_box "Save"
# The read-out gives the relay time as the module keeps it, with leading zeros.
sed '8s/.*/0005\r/; 29s/.*/36301234567\r/; 93s/.*/1\r/' "$WORK/full.k83" >"$WORK/expected.k83"
cmp "$WORK/saved.k83" "$WORK/expected.k83" >&2 || fail "saved.k83 differs: $(diff "$WORK/saved.k83" "$WORK/expected.k83" | head)"
log "passed"
