# Sourced by the scripts that need an X server of their own: windows that nobody must
# see (tests) or that nobody can see (the demo without a display).
# start_xvfb DIR: starts Xvfb on a free display, sets xvfb_pid and exports DISPLAY;
# the server's output goes to DIR/xvfb.log.
start_xvfb() {
    local dir=$1
    exec 3>"$dir/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do
        [ -s "$dir/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$dir/display" ]; then
        echo "Xvfb did not start:" >&2
        cat "$dir/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=:$(head -n1 "$dir/display")
}
