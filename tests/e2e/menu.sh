# The way into the game as a player takes it: the introductory clip fills the screen with its
# sound, a click ends it and the main menu appears; the play button lights under the pointer
# and opens the play screen, and the menu goes. The sound switch silences the hover and click
# sounds and brings them back. The hidden picture comes only after Shift, Ctrl and Q; the
# language panel turns the play button German and records "Idioma" = "5"; the play screen's
# logo opens the language window. With the sounds on, a box button's hover, the new-game button
# and a hint's join are heard. (menu_quiet.sh: the game without its clip and with its sounds off.)
source "$(dirname "$0")/lib.sh"

work=$VEXLA_E2E_WORK
pack=$(win_path "$VEXLA_DIST/vexla.rf")
game=$(fresh_game)
menu_pictures
for id in 508 1511 1625 1640 2005; do
    probe pack-bmp "$pack" $id "$(win_path "$work/$id.bmp")" >/dev/null || fail "no bitmap $id in the pack"
done
convert "$work/1625.bmp" -crop 284x70+0+0 +repage "$work/play_german.png"
convert "$work/2005.bmp" -crop 150x38+0+0 +repage "$work/german_flag.png"
convert "$work/1511.bmp" -crop 156x44+0+0 +repage "$work/new_game_english.png"
# The middle of the hidden picture, which the window shows in the middle of the screen, and the
# globe of the language panel, away from the names.
convert "$work/508.bmp" -crop 100x100+190+130 +repage "$work/hidden_patch.png"
convert "$work/1640.bmp" -crop 60x60+48+32 +repage "$work/globe_patch.png"
HIDDEN_PATCH=100x100+$((272 + 190))+$((204 + 130))
GLOBE_PATCH="60x60+$((MENU_X + 36 + 48))+$((MENU_Y + 196 + 32))"
GERMAN_ENTRY="$((MENU_X + 36 + 212 - 15 + 12)) $((MENU_Y + 196 + 29 + 75 + 9))"
CLIP_AREA=640x480+192+144

away() { xdotool mousemove 1015 760; }
clip_shows() { [[ $(screen_region_sum "$CLIP_AREA") != "$black_clip" ]]; }
covers_screen() {
    local x y w h
    read -r x y w h < <(ask wait "${VIDEO_WINDOW[@]}" 0) || return 1
    ((x <= 0 && y <= 0 && x + w >= 1024 && y + h >= 768))
}
hidden_picture_up() { ask wait CWNDSECRETO '*' 0 >/dev/null; }
about_window_up() { ask wait CWNDABOUTPRODUC '*' 0 >/dev/null; }
# Every name of the panel is written in red on its card.
panel_names_drawn() {
    local shot=$work/names.png i red
    grab "$shot"
    for i in 0 1 2 3 4 5; do
        red=$(convert "$shot" -crop "40x14+$((MENU_X + 36 + 212 - 3 * i + 2))+$((MENU_Y + 196 + 29 + 15 * i + 2))" +repage \
            -fx "r > 0.6 && g < 0.35 && b < 0.35" -format "%[fx:int(1000*mean)]" info:)
        ((red > 0)) || return 1
    done
}
language_panel_out() { ask child "${MAIN_MENU[@]}" CWNDIDIOMAPRINCIPAL '*' >/dev/null; }
# The pointer leaves the play button and comes back; the button has shown its hover frame.
hover_play_button() {
    away
    wait_until "$DEADLINE" "the play button rests when the pointer leaves" play_button_shows "$1"
    hush
    xdotool mousemove $PLAY_BUTTON_CENTRE
    wait_until "$DEADLINE" "the play button lights under the pointer" play_button_shows "$2"
}

# --- The introductory clip --------------------------------------------------------------------
remove_ini
convert -size 640x480 xc:black rgb:- | md5sum | cut -d' ' -f1 >"$work/black.sum"
black_clip=$(cat "$work/black.sum")
quiet
launch_game "$game"
check_within $((2 * DEADLINE)) "the game opens on the introductory clip" video_up
# The window is maximised right after its creation, which starts the clip and may show it first.
check_within "$DEADLINE" "the clip's window covers the screen" covers_screen
check_within "$DEADLINE" "the clip's pictures play in the middle of the screen" clip_shows
screenshot intro_clip
check_within "$DEADLINE" "the clip's sound reaches the sound device" sound_written
xdotool mousemove 512 384 click 1
check_within "$DEADLINE" "a click ends the clip and the main menu appears" main_menu_up
check_within "$DEADLINE" "the clip's window is gone" video_gone
check_within "$DEADLINE" "the menu shows its picture in the middle of the screen" menu_drawn
away
check_within "$DEADLINE" "the play button is in English" play_button_shows "$work/play_english.png"
cp "$work/play.png" "$(saved main_menu)"

# --- Hover and the sound switch ---------------------------------------------------------------
hover_play_button "$work/play_english.png" "$work/play_english_hover.png"
check_within "$DEADLINE" "hovering the play button plays its sound" sound_written
check "the sound switch starts on" switch_on
click_on_menu $SOUND_SWITCH_CENTRE
check_within "$DEADLINE" "a click turns the sound switch off" switch_off
hover_play_button "$work/play_english.png" "$work/play_english_hover.png"
check "with the switch off, hovering plays nothing" stays_silent
quiet
click_on_menu $SOUND_SWITCH_CENTRE
check_within "$DEADLINE" "another click turns it on again" switch_on
check "turning the sounds on plays no click" stays_silent
hover_play_button "$work/play_english.png" "$work/play_english_hover.png"
check_within "$DEADLINE" "with the switch on again, hovering plays its sound" sound_written

# --- The hidden picture -----------------------------------------------------------------------
away
xdotool key shift ctrl x q
click_on_menu $LOGO_CENTRE
check_within "$DEADLINE" "another key among Shift, Ctrl and Q makes the logo open the about window" about_window_up
check "and keeps the picture hidden" eval '! hidden_picture_up'
xdotool click 1
check_within "$DEADLINE" "a click closes the about window" eval '! about_window_up'
ask sync "${MAIN_MENU[@]}" 5000 >/dev/null || fail "the menu does not come back to its loop"
xdotool key q ctrl shift
click_on_menu $LOGO_CENTRE
check_within "$DEADLINE" "Q, Ctrl and Shift, then the logo, show the hidden picture" hidden_picture_up
check_within "$DEADLINE" "the hidden picture shows pack picture 508" shows "$(saved hidden_picture)" $HIDDEN_PATCH "$work/hidden_patch.png"

xdotool key a
check_within "$DEADLINE" "any character key closes it" eval '! hidden_picture_up'
check_within "$DEADLINE" "and the menu is in the foreground again" eval '[[ $(ask foreground) == CWNDPRINC ]]'

# --- The language panel -----------------------------------------------------------------------
click_on_menu $LANGUAGE_BUTTON_CENTRE
check_within "$DEADLINE" "the globe opens the language panel" language_panel_out
check_within "$DEADLINE" "the panel shows its card" shows "$(saved language_panel)" "$GLOBE_PATCH" "$work/globe_patch.png"
check_within "$DEADLINE" "the panel shows the six names in red" panel_names_drawn
cp "$work/names.png" "$(saved language_panel)"

click_on_menu $GERMAN_ENTRY
check_within "$DEADLINE" "choosing Deutsch puts the panel away" eval '! language_panel_out'
away
check_within "$DEADLINE" "the play button is German" play_button_shows "$work/play_german.png"
check_within "$DEADLINE" "Vexla.INI records Idioma=5" grep -qx 'Idioma=5' <(tr -d '\r' <"$(ini_file)")

# --- Into the game, with sounds -----------------------------------------------------------------
enter_play_screen
check "the play button opened the play screen and the menu is gone" main_menu_gone

# --- The play screen's language window ----------------------------------------------------------
language_window_up() { ask wait CWNDCAMBIDIOMA '*' 0 >/dev/null; }
click_control $PLAY_LOGO_CENTRE
check_within "$DEADLINE" "the play screen's logo opens the language window" language_window_up
read -r wx wy ww wh < <(ask wait CWNDCAMBIDIOMA '*' 0)
border=$(((ww - 232) / 2))
check_within "$DEADLINE" "the window shows its six flags" shows "$(saved language_window)" \
    "150x38+$((wx + border + 6))+$((wy + border + 10 + 40 * 5))" "$work/german_flag.png"
click_control $((wx + border + 6 + 75)) $((wy + border + 10 + 40 + 19))
check_within "$DEADLINE" "choosing English closes the window" eval '! language_window_up'
check_within "$DEADLINE" "Vexla.INI records Idioma=1" grep -qx 'Idioma=1' <(tr -d '\r' <"$(ini_file)")
away
check_within "$DEADLINE" "the new-game button is English again" shows "$work/new_game.png" 156x44+23+23 "$work/new_game_english.png"
away
quiet
xdotool mousemove $BOX_BUTTON_0_CENTRE
check_within "$DEADLINE" "hovering a box button plays its sound" sound_written
away
quiet
open_new_puzzle
check_within "$DEADLINE" "the new-game button plays its sound" sound_written
accept_new_puzzle
hush
take_hint
check_within "$DEADLINE" "a hint's join plays its sounds" sound_written
away
xdotool key alt+F4
wait_game_exit
check "closing the play screen ends the game with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
