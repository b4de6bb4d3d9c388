#!/bin/sh
# Pictures of every wall page as the client's default texts put them there, for docs/screenshots.
# Usage: tools/wallsim/make-screenshots.sh BUILD_DIR OUT_DIR [MEDIA_DIR]
# The media pages show MEDIA_DIR's files when given (BrisalClient.jpg, BrisalClient.<video>, live.*,
# camera.*), else their placeholders.
set -eu
build=$1
out=$2
media=${3:-}
sim=$build/tools/wallsim/wallsim
ctl=$build/tools/wallctl/wallctl
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
port=57321
set -- --headless --port "$port" --log "$work/log" --screenshot "$work/wall.png"
[ -n "$media" ] && set -- "$@" --media "$media"
XDG_CONFIG_HOME=$work "$sim" "$@" >"$work/out" 2>&1 &
pid=$!
until grep -qs listening "$work/out"; do sleep 0.1; done

# step BODIES -- wallctl arguments: sends, and waits until wallsim has logged the bodies (and so drawn them).
step() {
    bodies=$1
    shift
    before=$(wc -l <"$work/log" 2>/dev/null || echo 0)
    XDG_CONFIG_HOME=$work "$ctl" --wall 127.0.0.1 --port "$port" "$@"
    until [ "$(wc -l <"$work/log")" -ge $((before + bodies)) ]; do sleep 0.05; done
}

# shot NAME BODIES SETTLE -- wallctl arguments: a step, then keeps the picture as wall-NAME.png.
# SETTLE seconds let a video show frames; then SIGUSR1 draws the picture anew.
shot() {
    name=$1 count=$2 settle=$3
    shift 3
    step "$count" "$@"
    if [ "$settle" != 0 ]; then
        sleep "$settle"
        kill -USR1 "$pid"
        sleep 0.5
    fi
    cp "$work/wall.png" "$out/wall-$name.png"
}

mkdir -p "$out"
# SIGUSR1 must not end wallsim before it has set up its handler: wait for the first picture.
until [ -f "$work/wall.png" ]; do sleep 0.05; done
shot startup 2 0 startup 00:00:00 "Willkommen im Stadion"
shot blank 2 0 erase
shot time 2 0 time 14:05:33 "Stadion am See"
shot analog 1 0 analog
shot soccer 4 0 soccer Heim "Gäste" 2 0
shot football 5 0 football Heim "Gäste" 14 7 12:00 --running
shot sets 6 0 sets Heim "Gäste" 3 4 1 0
step 2 time "0:10,81" # the running time in the text list's time bar
shot textlist 10 0 text --header "Ergebnisse 100 m" --mode on "1. Müller      TV Neustadt 10,81" \
    "2. Schmidt     LG Nord     10,94" "3. Öztürk      SC Süd      11,02" "" "4. Weber       TSV Ost     11,20"
shot picture 1 0 send "D0 05"
shot video 2 2 send "D0 F6" "D0 06"
shot live 2 2 live
shot camera 2 2 camera
XDG_CONFIG_HOME=$work "$ctl" --wall 127.0.0.1 --port "$port" close-server
wait "$pid"
