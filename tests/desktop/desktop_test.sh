#!/usr/bin/env bash
# Runs the real program on a private X display with a window manager and
# drives it as a user would: keys, planning by keys alone, real mouse drags
# on all three screens, a held drag that scrolls a month, the title bar's
# close button, restarts, two copies at once, a smaller screen and kill -9;
# then one plan on a private PostgreSQL server, and the question when it is down.
# Usage: desktop_test.sh PROGRAM
set -u

PROGRAM=$(readlink -f "$1")
WORK=$(mktemp -d "${TMPDIR:-/tmp}/plenvo-desktop.XXXXXX")
STEP="start"
XVFB_PIDS=()
WM_PIDS=()
APP_PID=""
FIRST_PID=""
PG_DIR=""

for tool in Xvfb openbox xdotool xwininfo xprop sqlite3 xwd xwdtopnm pnmtopng; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (make deps installs it)"; exit 1; }
done

# A private home: the user's own settings and data are never touched.
export HOME="$WORK/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS QT_SCALE_FACTOR QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS="detect_leaks=0:halt_on_error=1"
DATA="$HOME/Documents/Plenvo"
SETTINGS="$XDG_CONFIG_HOME/Zanthor Software/Plenvo.conf"

cleanup() {
    [ -n "$APP_PID" ] && kill -9 "$APP_PID" 2>/dev/null
    [ -n "$FIRST_PID" ] && kill -9 "$FIRST_PID" 2>/dev/null
    for pid in "${WM_PIDS[@]}" "${XVFB_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "$PG_DIR" ] && { pg pg_ctl stop -D "$PG_DIR/data" -m immediate -w >/dev/null 2>&1; rm -rf "$PG_DIR"; }
    wait 2>/dev/null
}
trap cleanup EXIT

fail() {
    local shot="$WORK/failure.png"
    echo "FAIL ($STEP): $*"
    xwd -root -silent 2>/dev/null | xwdtopnm 2>/dev/null | pnmtopng > "$shot" 2>/dev/null && echo "screenshot: $shot"
    echo "window tree:"; xwininfo -root -tree 2>&1 | sed -n '1,60p'
    [ -f "$WORK/app.log" ] && { echo "program output:"; tail -n 30 "$WORK/app.log"; }
    [ -f "$WORK/app2.log" ] && { echo "second copy's output:"; tail -n 30 "$WORK/app2.log"; }
    [ -f "$PG_DIR/server.log" ] && { echo "PostgreSQL's log:"; tail -n 20 "$PG_DIR/server.log"; }
    exit 1
}

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
    local limit=$(( $1 * 10 )); shift
    local i
    for ((i = 0; i < limit; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# A display of its own, numbered by Xvfb itself, with openbox on it.
start_display() {
    local size=$1
    local fifo="$WORK/displayfd.$size"
    rm -f "$fifo"; mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fifo" >"$WORK/xvfb.$size.log" 2>&1 &
    XVFB_PIDS+=($!)
    local number
    read -r -t 60 number <"$fifo" || fail "Xvfb did not start"
    export DISPLAY=":$number"
    openbox --sm-disable ${2:+--config-file "$2"} >"$WORK/openbox.log" 2>&1 &
    WM_PIDS+=($!)
    wait_for 60 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
}

sql() { sqlite3 -batch -noheader "$DATA/$1" "$2"; }

# The program's main window id, once it is mapped. Without --all either the
# pid or the title would do, and two copies would share one window.
main_window() { xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Plenvo$' 2>/dev/null | head -n 1; }
has_main_window() { [ -n "$(main_window)" ]; }
# The id of a visible window titled exactly $1.
window_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
has_window_titled() { [ -n "$(window_titled "$1")" ]; }
# Client rectangle of a window: x y width height.
client_rect() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
                             /^  Width:/{w=$NF} /^  Height:/{h=$NF} END{print x, y, w, h}'
}
# Frame extents: left right top bottom.
frame_extents() { xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ','; }
# The outer rectangle, frame included: x y width height.
outer_rect() {
    local x y w h l r t b
    read -r x y w h < <(client_rect "$1")
    read -r l r t b < <(frame_extents "$1")
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# Starts the program (with the given options) and waits until its window is
# mapped, framed and still.
start_app() {
    "$PROGRAM" "$@" >"$WORK/${LOG:-app.log}" 2>&1 &
    APP_PID=$!
    wait_for 90 has_main_window || fail "the main window did not appear"
    WIN=$(main_window)
    wait_for 30 sh -c "xprop -id $WIN _NET_FRAME_EXTENTS | grep -q '='" || fail "the window got no frame"
    # The window is placed once the frame is known: wait until it stays put.
    local last="" same=0 now i
    for ((i = 0; i < 100 && same < 5; i++)); do
        now=$(client_rect "$WIN")
        if [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; last=$now; fi
        sleep 0.1
    done
    [ "$same" -ge 5 ] || fail "the window kept moving: $last"
}

# Clicks the close button at the right end of the title bar and waits for the end.
close_app() {
    local x y w h l r t b
    read -r x y w h < <(client_rect "$WIN")
    read -r l r t b < <(frame_extents "$WIN")
    xdotool mousemove $((x + w + r - 12)) $((y - t / 2)) click 1
    wait_for 60 sh -c "! kill -0 $APP_PID" || fail "the close button did not end the program"
    wait "$APP_PID"; local code=$?
    APP_PID=""
    [ "$code" -eq 0 ] || fail "the program ended with $code"
}

# Fills the editor's fields in their Enter order, then walks on to OK with Enter.
fill_editor() {
    local title=$1 editor i first=1 text
    shift
    wait_for 60 has_window_titled "$title" || fail "Insert did not open the $title editor"
    editor=$(window_titled "$title")
    wait_for 30 sh -c "xdotool getactivewindow | grep -qx $editor" || fail "the $title editor has no focus"
    for text in "$@"; do
        [ "$first" = 1 ] || xdotool key Return
        first=0
        xdotool key ctrl+a type --delay 20 "$text"
    done
    for ((i = 0; i < 12; i++)); do
        xdotool key Return
        wait_for 2 sh -c "! xwininfo -id $editor 2>/dev/null | grep -q IsViewable" && return 0
    done
    fail "Enter did not close the $title editor"
}

# A real drag: press, move in steps past the drag distance, release.
drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 i
    xdotool mousemove "$x1" "$y1" mousedown 1
    for i in 1 2 3 4 5 6 7 8 9 10; do
        xdotool mousemove $((x1 + (x2 - x1) * i / 10)) $((y1 + (y2 - y1) * i / 10))
        sleep 0.05
    done
    sleep 0.2
    xdotool mouseup 1
}

relations() { sql Jobs.cds "SELECT PersonName || '@' || WorkplaceShortcut FROM Data ORDER BY ID" | tr '\n' ' '; }

# --- first start on a 1280x1024 screen
STEP="first start"
start_display 1280x1024
start_app
read -r X0 Y0 W0 H0 < <(client_rect "$WIN")
echo "first start: client ${W0}x${H0} at $X0,$Y0; frame $(frame_extents "$WIN")"

# The worker list has the keyboard focus at once: Insert adds a worker.
STEP="add a worker with the keyboard"
xdotool key Insert
fill_editor Worker "Ann Lee"
wait_for 30 sh -c "sqlite3 '$DATA/Workers.cds' 'SELECT Name FROM Data' | grep -qx 'Ann Lee'" ||
    fail "Workers.cds does not hold the worker"

# The add button at the left end of the workplace tool bar, then the keyboard.
STEP="add a workplace"
xdotool mousemove $((X0 + 26)) $((Y0 + 98)) click 1
fill_editor Workplace "Kitchen" "K1"
wait_for 30 sh -c "sqlite3 '$DATA/Workplaces.cds' 'SELECT Shortcut FROM Data' | grep -qx 'K1'" ||
    fail "Workplaces.cds does not hold the workplace"

# The worker's row is the first of the list below the calendar; the panel is
# the first in the workplace area.
LIST_X=$((X0 + 450)); LIST_Y=$((Y0 + 340))
PANEL_X=$((X0 + 200)); PANEL_Y=$((Y0 + 134))
STEP="drag the worker onto the workplace"
drag "$LIST_X" "$LIST_Y" "$PANEL_X" "$PANEL_Y"
wait_for 30 sh -c "[ \"\$(sqlite3 '$DATA/Jobs.cds' 'SELECT count(*) FROM Data')\" = 1 ]" ||
    fail "Jobs.cds holds no relation after the drag"
[ "$(relations)" = "Ann Lee@K1 " ] || fail "unexpected relations: $(relations)"

# A drop-down button whose menu closed while the pointer went elsewhere
# loses its highlight: the window manager's pointer grab hides the leave.
STEP="a drop-down button after its menu closed"
APPLY_X=$((X0 + 181)); APPLY_Y=$((Y0 + 98))
button_pixels() { xwd -root -silent | xwdtopnm 2>/dev/null | pnmcut $((APPLY_X - 20)) $((APPLY_Y - 18)) 45 40; }
same_as_plain() { button_pixels | cmp -s - "$WORK/plain.pnm"; }
highlighted() { ! same_as_plain; }
windows_shown() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l; }
menu_open() { [ "$(windows_shown)" -ge 2 ]; }
menu_closed() { [ "$(windows_shown)" -eq 1 ]; }
xdotool mousemove $((X0 + 600)) $((Y0 + 520))
button_pixels > "$WORK/plain.pnm"
xdotool mousemove "$APPLY_X" "$APPLY_Y"
wait_for 10 highlighted || fail "no hover highlight seen on the drop-down button at $APPLY_X,$APPLY_Y"
xdotool click 1
wait_for 10 menu_open || fail "the drop-down button's menu did not open"
xdotool mousemove $((X0 + 600)) $((Y0 + 520)) key Escape
wait_for 10 menu_closed || fail "the drop-down button's menu did not close"
wait_for 5 same_as_plain || fail "the drop-down button stays highlighted after its menu closed"

STEP="close with the close button"
read -r OX OY OW OH < <(outer_rect "$WIN")
close_app

# Start after start the window keeps its place and size; the data stays.
for run in 1 2 3 4 5; do
    STEP="restart $run"
    start_app
    now=$(outer_rect "$WIN")
    [ "$now" = "$OX $OY $OW $OH" ] || fail "outer rectangle $now, was $OX $OY $OW $OH"
    [ "$(relations)" = "Ann Lee@K1 " ] || fail "relations changed: $(relations)"
    close_app
done
echo "five restarts: outer rectangle stays $OX $OY ${OW}x${OH}"

# kill -9 right after a drop: the relation is in the file and stays there.
STEP="kill -9 after a drag"
start_app
xdotool key Insert
fill_editor Worker "Bob Ray"
wait_for 30 sh -c "sqlite3 '$DATA/Workers.cds' 'SELECT count(*) FROM Data' | grep -qx 2" || fail "second worker not saved"
# Sorted by name, Bob is the second row.
drag "$LIST_X" $((LIST_Y + 18)) "$PANEL_X" "$PANEL_Y"
wait_for 30 sh -c "[ \"\$(sqlite3 '$DATA/Jobs.cds' 'SELECT count(*) FROM Data')\" = 2 ]" ||
    fail "Jobs.cds holds no second relation after the drag"
kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null; APP_PID=""
[ "$(sql Jobs.cds 'PRAGMA integrity_check')" = ok ] || fail "Jobs.cds is damaged"
[ "$(relations)" = "Ann Lee@K1 Bob Ray@K1 " ] || fail "relations after kill -9: $(relations)"
start_app
[ "$(relations)" = "Ann Lee@K1 Bob Ray@K1 " ] || fail "relations after the restart: $(relations)"

# Two copies on one folder: a drop in the second shows on the first's panel
# without a restart. The second opens where the first is; moved to the lower
# right it leaves the first's panel in sight.
STEP="two copies"
FIRST_PID=$APP_PID FIRST_WIN=$WIN
LOG=app2.log start_app
[ "$WIN" != "$FIRST_WIN" ] || fail "the second copy shows no window of its own"
xdotool windowmove "$WIN" 476 400
moved() { read -r X2 Y2 _ < <(client_rect "$WIN"); [ "$X2" -gt $((X0 + 440)) ] && [ "$Y2" -gt $((Y0 + 300)) ]; }
wait_for 10 moved || fail "the second window did not move: $(client_rect "$WIN")"
# Below Bob's row on the first window's panel, where a third row would go.
panel_pixels() { xwd -root -silent | xwdtopnm 2>/dev/null | pnmcut $((X0 + 10)) $((Y0 + 190)) 380 26; }
panel_changed() { panel_pixels | cmp -s - "$WORK/panel.pnm" && return 1; return 0; }
# Enter walks through the five empty fields without a wait at each.
xdotool key Insert
fill_editor Worker "Cy Day" "" "" "" "" ""
wait_for 30 sh -c "sqlite3 '$DATA/Workers.cds' 'SELECT count(*) FROM Data' | grep -qx 3" || fail "third worker not saved"
# The pointer off the first window: a hover there would change its panel too.
xdotool mousemove $((X2 + 450)) $((Y2 + 340 + 36))
sleep 1
panel_pixels > "$WORK/panel.pnm"
# Sorted by name, Cy is the third row of the second window's list.
drag $((X2 + 450)) $((Y2 + 340 + 36)) $((X2 + 200)) $((Y2 + 134))
relations_are() { [ "$(relations)" = "$1" ]; }
wait_for 30 relations_are "Ann Lee@K1 Bob Ray@K1 Cy Day@K1 " || fail "after the second copy's drag: $(relations)"
wait_for 2 panel_changed || fail "the first window's panel did not change within 2 s of the other copy's drop"
close_app
APP_PID=$FIRST_PID WIN=$FIRST_WIN FIRST_PID=""
wait_for 10 sh -c "xdotool getactivewindow | grep -qx $WIN" || fail "the first window did not get the focus back"

# The worker and workplace screens, reached from the daily one and back. The
# week starts on Monday; the day planned on them is Monday, or Tuesday when
# today is Monday (today's frame is taller by its rows).
count_of() { sql Jobs.cds "SELECT count(*) FROM Data WHERE PersonName = '$1'"; }
has_count() { [ "$(count_of "$1")" = "$2" ]; }
if [ "$(date +%u)" = 1 ]; then WORKER_DAY_Y=$((Y0 + 182)); PLACE_DAY_Y=$((Y0 + 203)); else
    WORKER_DAY_Y=$((Y0 + 131)); PLACE_DAY_Y=$((Y0 + 131)); fi
DAY_X=$((X0 + 200)); SIDE_LIST_X=$((X0 + 449)); SIDE_LIST_Y=$((Y0 + 366))
STEP="the worker schedule: Kitchen dragged onto a day"
# Ctrl+Enter on Ann, the focused worker, opens her schedule; Kitchen is the
# first row of its workplace list.
xdotool key ctrl+Return
sleep 1
drag "$SIDE_LIST_X" "$SIDE_LIST_Y" "$DAY_X" "$WORKER_DAY_Y"
wait_for 30 has_count 'Ann Lee' 2 || fail "the worker screen's drag stored nothing: $(relations)"
STEP="the workplace schedule: Bob dragged onto the same day"
# Ctrl+Enter in the workplace list opens Kitchen's schedule; Bob is the
# second row of its worker list.
xdotool key ctrl+Return
sleep 1
drag "$SIDE_LIST_X" $((SIDE_LIST_Y + 18)) "$DAY_X" "$PLACE_DAY_Y"
wait_for 30 has_count 'Bob Ray' 2 || fail "the workplace screen's drag stored nothing: $(relations)"
[ "$(sql Jobs.cds "SELECT count(DISTINCT Date) FROM Data")" = 2 ] || fail "the two drops went to different days"
STEP="the logo back to the daily schedule"
# Back on today's plan, Ann's row on the Kitchen panel is dragged off it.
xdotool mousemove $((X0 + 50)) $((Y0 + 35)) click 1
sleep 1
drag $((X0 + 90)) $((Y0 + 158)) "$LIST_X" $((LIST_Y + 60))
wait_for 30 has_count 'Ann Lee' 1 || fail "the daily schedule did not come back: $(relations)"
STEP="Ctrl+Z after the drag, then Ctrl+Shift+Z"
xdotool key ctrl+z
wait_for 30 has_count 'Ann Lee' 2 || fail "Ctrl+Z did not bring the relation back: $(relations)"
xdotool key ctrl+shift+z
wait_for 30 has_count 'Ann Lee' 1 || fail "Ctrl+Shift+Z did not take it off again: $(relations)"

# A date as the table files store it: days since 30/12/1899.
stored_date() { echo $(( $(date -d "$1 UTC" +%s) / 86400 + 25569 )); }
TODAY=$(stored_date "$(date +%F)")
on_day() { [ "$(sql Jobs.cds "SELECT count(*) FROM Data WHERE PersonName = '$1' AND Date = $2")" = 1 ]; }
STEP="plan by keys alone"
# Shift+Tab from the panel's row to the worker list, Ann (the first row)
# placed at Kitchen through the pick list: a few letters typed, then Enter.
xdotool key shift+Tab Home ctrl+shift+a
wait_for 30 has_window_titled "Place Ann Lee at" || fail "the planning key opened no pick list"
xdotool type --delay 30 kit
xdotool key Return
wait_for 30 on_day 'Ann Lee' "$TODAY" || fail "the keys planned nothing today: $(relations)"

STEP="a held drag scrolls a month to its last day"
# Ann's month, the last day below the column's edge (the next month's when
# today is the last: Ann is there already). Kitchen held at the bottom
# edge scrolls the column to its end; the last day is dropped on there.
xdotool key ctrl+Return
sleep 1
xdotool mousemove $((X0 + 196)) $((Y0 + 99)) click 1
MONTH_START=$(date +%Y-%m-01)
if [ "$(date -d "tomorrow" +%d)" = 01 ]; then xdotool key alt+Right; MONTH_START=$(date -d "$MONTH_START +1 month" +%F); fi
LAST_DAY=$(stored_date "$(date -d "$MONTH_START +1 month -1 day" +%F)")
sleep 1
EDGE_Y=$((Y0 + 560))
xdotool mousemove "$SIDE_LIST_X" "$SIDE_LIST_Y" mousedown 1
for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((SIDE_LIST_X + (DAY_X - SIDE_LIST_X) * i / 10)) $((SIDE_LIST_Y + (EDGE_Y - SIDE_LIST_Y) * i / 10))
    sleep 0.05
done
# Held there with the pointer barely moving, as a hand does.
for i in $(seq 1 20); do xdotool mousemove "$DAY_X" $((EDGE_Y + i % 2)); sleep 0.2; done
xdotool mouseup 1
wait_for 30 on_day 'Ann Lee' "$LAST_DAY" || fail "the held drag did not reach the month's last day: $(relations)"
close_app

# A placement stored on a larger screen opens inside a smaller one.
STEP="restore on a smaller screen"
mkdir -p "$(dirname "$SETTINGS")"; touch "$SETTINGS"
awk '/^\[/{skip = ($0 == "[MainWindow]")} !skip' "$SETTINGS" > "$WORK/settings" && cat "$WORK/settings" > "$SETTINGS"
printf '[MainWindow]\nWindowState=0\nWidth=1000\nHeight=720\nLeft=200\nTop=100\n' >> "$SETTINGS"
# A panel of 40 pixels at the top: the window fits the area it leaves.
cat > "$WORK/panel-rc.xml" <<'XML'
<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc"><margins><top>40</top></margins></openbox_config>
XML
start_display 1024x700 "$WORK/panel-rc.xml"
start_app
read -r SX SY SW SH < <(outer_rect "$WIN")
echo "on 1024x700 below a 40-pixel panel: outer ${SW}x${SH} at $SX,$SY"
[ "$SX" -ge 0 ] && [ "$SY" -ge 40 ] && [ $((SX + SW)) -le 1024 ] && [ $((SY + SH)) -le 700 ] ||
    fail "the window $SX $SY ${SW}x${SH} does not fit the 1024x660 area below the panel"
close_app

# At 200 % a 1280x900 screen holds 640x450 pixels of the window's own: less
# than its usual minimum, which gives way; the close button is on screen.
STEP="200 % on a 1280x900 screen"
start_display 1280x900
QT_SCALE_FACTOR=2 start_app
read -r SX SY SW SH < <(outer_rect "$WIN")
echo "on 1280x900 at 200 %: outer ${SW}x${SH} at $SX,$SY"
[ "$SX" -ge 0 ] && [ "$SY" -ge 0 ] && [ $((SX + SW)) -le 1280 ] && [ $((SY + SH)) -le 900 ] ||
    fail "the window $SX $SY ${SW}x${SH} does not fit the 1280x900 screen"
close_app

# --- one plan on a PostgreSQL server of the test's own, reached only through
# a Unix socket in its folder. PostgreSQL refuses root: as root, its
# programs run as nobody.
PG_BIN=${PLENVO_PG_BINDIR:-$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)}
[ -n "$PG_BIN" ] || PG_BIN=$(dirname "$(command -v initdb 2>/dev/null || echo /none/initdb)")
pg() {
    if [ "$(id -u)" = 0 ]; then
        setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups "$PG_BIN/$1" "${@:2}"
    else "$PG_BIN/$1" "${@:2}"; fi
}
if [ ! -x "$PG_BIN/initdb" ] || [ ! -x "$PG_BIN/pg_ctl" ] || [ ! -x "$PG_BIN/psql" ] ||
    { [ "$(id -u)" = 0 ] && ! command -v setpriv >/dev/null; }; then
    echo "SKIP the server journey: PostgreSQL's server programs (or, as root, setpriv) are missing (make deps installs them)"
    echo "PASS"; rm -rf "$WORK"; exit 0
fi
STEP="start a PostgreSQL server"
PG_DIR=$(mktemp -d /tmp/plenvo-desktop-pg.XXXXXX)
chmod 755 "$PG_DIR"
[ "$(id -u)" = 0 ] && chown nobody "$PG_DIR"
pg initdb -D "$PG_DIR/data" -U planner --auth=trust -E UTF8 --locale=C.UTF-8 --no-sync >"$WORK/initdb.log" 2>&1 ||
    fail "initdb failed: $(tail -n 5 "$WORK/initdb.log")"
printf "listen_addresses = ''\nunix_socket_directories = '%s'\n" "$PG_DIR" >> "$PG_DIR/data/postgresql.conf"
pg pg_ctl start -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w -t 60 >/dev/null || fail "the PostgreSQL server did not start"
CONNINFO="host=$PG_DIR dbname=postgres user=planner"
psql_do() { "$PG_BIN/psql" -X -qAt -v ON_ERROR_STOP=1 "$CONNINFO" -c "$1"; }

# A home of its own: the window opens as on a first start, at the same place.
export HOME="$WORK/server-home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
start_display 1280x1024
STEP="first start on the server"
start_app --server "$CONNINFO"
read -r X0 Y0 _ < <(client_rect "$WIN")
[ "$(psql_do "SELECT count(*) FROM plenvo.jobs")" = 0 ] || fail "the program did not make an empty plan on the server"

# Another planner's worker and workplace, written with psql, show up in the
# running program: its worker list's first row and its first panel change.
STEP="a worker and a workplace from psql"
region() { xwd -root -silent | xwdtopnm 2>/dev/null | pnmcut "$1" "$2" "$3" "$4"; }
changed_from() { region "$@" | cmp -s - "$WORK/before.$1.pnm" && return 1; return 0; }
LIST_X=$((X0 + 450)); LIST_Y=$((Y0 + 340)); PANEL_X=$((X0 + 200)); PANEL_Y=$((Y0 + 134))
region $((LIST_X - 100)) $((LIST_Y - 8)) 200 16 > "$WORK/before.$((LIST_X - 100)).pnm"
region $((PANEL_X - 150)) $((PANEL_Y - 20)) 300 40 > "$WORK/before.$((PANEL_X - 150)).pnm"
psql_do "INSERT INTO plenvo.workers (name) VALUES ('Eva Moss');
         INSERT INTO plenvo.workplaces (shortcut, name) VALUES ('D1', 'Desk')" || fail "psql could not add the rows"
wait_for 10 changed_from $((LIST_X - 100)) $((LIST_Y - 8)) 200 16 || fail "the worker from psql did not show in the list"
wait_for 10 changed_from $((PANEL_X - 150)) $((PANEL_Y - 20)) 300 40 || fail "the workplace from psql did not show"

STEP="drag the worker onto the workplace, on the server"
TODAY=$(stored_date "$(date +%F)")
server_relations() {
    psql_do "SELECT string_agg(person_name || '@' || workplace_shortcut || '@' || (date - $TODAY), ' ' ORDER BY id) FROM plenvo.jobs"
}
relations_are() { [ "$(server_relations)" = "$1" ]; }
drag "$LIST_X" "$LIST_Y" "$PANEL_X" "$PANEL_Y"
wait_for 30 relations_are "Eva Moss@D1@0" || fail "plenvo.jobs after the drag (name@shortcut@days from today): $(server_relations)"

# Another planner's relation today: the program, still running, shows a row
# more on the panel below Eva's.
STEP="a relation from psql"
region $((X0 + 10)) $((Y0 + 164)) 380 26 > "$WORK/before.$((X0 + 10)).pnm"
psql_do "INSERT INTO plenvo.workers (name) VALUES ('Finn Hale');
         INSERT INTO plenvo.jobs (date, person_id, person_name, workplace_id, workplace_shortcut, workplace_name)
         SELECT $TODAY, w.id, w.name, p.id, p.shortcut, p.name FROM plenvo.workers w, plenvo.workplaces p
         WHERE w.name = 'Finn Hale' AND p.shortcut = 'D1'" || fail "psql could not add the relation"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended after the relation from psql"
wait_for 10 changed_from $((X0 + 10)) $((Y0 + 164)) 380 26 || fail "the panel did not show the relation from psql"
close_app
relations_are "Eva Moss@D1@0 Finn Hale@D1@0" || fail "plenvo.jobs after the close: $(server_relations)"

# The server down: the program asks before it opens anything, and Quit ends
# it with nothing made.
STEP="the start question with the server down"
pg pg_ctl stop -D "$PG_DIR/data" -m fast -w >/dev/null || fail "the PostgreSQL server did not stop"
# The run above left an empty documents folder: without it, Quit must not make it again.
rmdir "$HOME/Documents/Plenvo" 2>/dev/null
find "$HOME" | sort > "$WORK/home.before"
"$PROGRAM" --server "$CONNINFO" >"$WORK/app.log" 2>&1 &
APP_PID=$!
question() { xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Error$' 2>/dev/null | head -n 1; }
has_question() { [ -n "$(question)" ]; }
wait_for 60 has_question || fail "no question window when the server is down"
has_main_window && fail "the main window opened without the server"
QUESTION=$(question)
wait_for 30 sh -c "xdotool getactivewindow | grep -qx $QUESTION" || fail "the question has no focus"
# Retry has the focus; Tab twice reaches Quit, the third button.
xdotool key Tab Tab space
wait_for 30 sh -c "! kill -0 $APP_PID" || fail "Quit did not end the program"
wait "$APP_PID"; code=$?; APP_PID=""
[ "$code" -eq 0 ] || fail "the program ended with $code after Quit"
find "$HOME" | sort | diff "$WORK/home.before" - >&2 && echo "server journey: planned, read back, asked and quit" ||
    fail "Quit left files behind in the home folder"

echo "PASS"
rm -rf "$WORK"
