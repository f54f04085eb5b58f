#!/usr/bin/env bash
# File > Telefonszámok importálása…: a list with wrong rows is refused whole, naming
# each, and no field changes; a spreadsheet's list changes its slots and marks the form.
# Telefonszámok exportálása… writes rzm417-cli phones export's bytes. A verify against
# a module holding other values lists every differing field in its details, PIN masked.
source "$(dirname "$0")/desktop.sh"
CLI_BIN="$(dirname "$RZM_BIN")/rzm417-cli"
HEADER="slot,field,number,input1_alarm,input2_alarm,output1_control,output2_control"

start_desktop
start_sim
start_app

# A box's details as a user copies them (Show Details..., Ctrl+A, Ctrl+C) into details.txt.
copy_details() {
    wait_window "$1" >/dev/null || fail "no window \"$1\" appeared (step: $STEP)"
    key Tab space && sleep 0.3
    printf '' | xclip -selection clipboard -i
    key ctrl+a ctrl+c
    wait_until 5 bash -c '[ -n "$(timeout 5 xclip -o -selection clipboard)" ]' \
        || fail "the details of \"$1\" copied nothing (step: $STEP)"
    { clipboard_get; echo; } >"$WORK/details.txt"
}

STEP="open a form with two telephone numbers"
write_config "$WORK/base.k83" 36309888000 1234 0007 Modul 1 Be1 Be2 5 K3be K4be K3ki K4ki B1be B1ki B2be B2ki
printf '%s\n1,,36301112233,1,0,0,1\n2,,36202223344,0,1,1,0\n' "$HEADER" >"$WORK/seed.csv"
"$CLI_BIN" phones import "$WORK/base.k83" "$WORK/seed.csv" -o "$WORK/full.k83" >/dev/null || fail "the seed list was refused"
key ctrl+o
choose_file "Open File" "$WORK/full.k83"
expect_box "File opened."
expect_title "$MAIN_TITLE"

STEP="import a list with wrong rows"
printf '%s\n3,t3,36705556677,1,1,0,0\n5,t5,36-30,0,0,0,0\n70,,36301234567,0,0,0,0\n' "$HEADER" >"$WORK/bad.csv"
menu_click $MENU_FILE $ENTRY_IMPORT_PHONES
choose_file "Telefonszámok importálása" "$WORK/bad.csv"
copy_details "Telefonszám-lista"
diff <(printf '%s\n' 'line 3 (slot 5): bad digits "36-30"' 'line 4: unknown slot "70"') "$WORK/details.txt" >&2 \
    || fail "the refusal does not name the wrong rows alone"
key Escape
wait_gone "Telefonszám-lista" || fail "the refusal stayed open"
key ctrl+s
choose_file "Save File" "$WORK/after-refusal.k83"
expect_box "Save"
cmp "$WORK/after-refusal.k83" "$WORK/full.k83" >&2 || fail "the refused list changed the form"

STEP="import a good list as a spreadsheet saves it"
printf '\xEF\xBB\xBF%s\r\n3;t3;"36705556677";1;1;0;0\r\n1;;36301112233;0;0;1;1\r\n' "${HEADER//,/;}" >"$WORK/good.csv"
menu_click $MENU_FILE $ENTRY_IMPORT_PHONES
choose_file "Telefonszámok importálása" "$WORK/good.csv"
expect_box "Telefonszám-lista"
expect_title "$MAIN_TITLE*"

STEP="export the list"
menu_click $MENU_FILE $ENTRY_EXPORT_PHONES
choose_file "Telefonszámok exportálása" "$WORK/window.csv"
expect_box "Telefonszám-lista"
key ctrl+s
choose_file "Save File" "$WORK/imported.k83"
expect_box "Save"
"$CLI_BIN" phones export "$WORK/imported.k83" -o "$WORK/cli.csv" || fail "rzm417-cli phones export failed"
cmp "$WORK/window.csv" "$WORK/cli.csv" >&2 || fail "the window's list differs from rzm417-cli's"
[ "$(grep -cxE '1,t1,36301112233,0,0,1,1|2,t2,36202223344,0,1,1,0|3,t3,36705556677,1,1,0,0|5,t5,,0,0,0,0' \
    "$WORK/window.csv")" = 4 ] || fail "the list does not hold the imported slots: $(head -6 "$WORK/window.csv")"

STEP="verify against a module that holds another form"
key ctrl+d
wait_until 15 grep -q 'download stored' "$SIM_LOG" || fail "the module stored no download"
expect_box "Download"
printf '%s\n2,,36209990000,1,1,1,1\n4,,36304445566,0,0,0,1\n6,,36306667788,1,0,0,0\n' "$HEADER" >"$WORK/other.csv"
menu_click $MENU_FILE $ENTRY_IMPORT_PHONES
choose_file "Telefonszámok importálása" "$WORK/other.csv"
expect_box "Telefonszám-lista"
click_field m_pin && key ctrl+a && type_text "9876"
click_field m_nev && key ctrl+a && type_text "Garazs" && key Tab
key ctrl+s
choose_file "Save File" "$WORK/changed.k83"
expect_box "Save"
differing=$("$CLI_BIN" diff "$WORK/changed.k83" "$WORK/imported.k83" | wc -l)
[ "$differing" -gt 5 ] || fail "only $differing fields differ; the story wants more than five"
key ctrl+e
copy_details "Ellenőrzés"
text=$(cat "$WORK/details.txt")
[ "$(head -1 <<<"$text")" = "Részletek: $differing eltérő mező (az űrlap és a modul értéke)" ] \
    || fail "the details do not count $differing fields: $text"
[ "$(grep -c ': űrlap .*, modul ' <<<"$text")" = "$differing" ] || fail "the details do not list $differing fields: $text"
grep -qF 'Modul neve: űrlap "Garazs", modul "Modul"' <<<"$text" || fail "the details lack the module name: $text"
grep -qF ': űrlap "****", modul "****"' <<<"$text" || fail "the details do not mask the PIN: $text"
! grep -qE '9876|1234' <<<"$text" || fail "the details show the PIN: $text"
key Escape
wait_gone "Ellenőrzés" || fail "the verify's box stayed open"
expect_windows "$MAIN_TITLE"
log "passed"
