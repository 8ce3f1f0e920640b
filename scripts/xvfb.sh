# Sourced: orvane_xvfb starts a private Xvfb and exports DISPLAY;
# orvane_xvfb_stop ends it.
orvane_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${1:-1280x800}x24" -nolisten tcp >/dev/null 2>&1 &
        ORVANE_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$ORVANE_XVFB_PID" 2>/dev/null || true
    done
    echo "could not start Xvfb" >&2
    return 1
}
orvane_xvfb_stop() {
    [ -n "${ORVANE_XVFB_PID:-}" ] && kill "$ORVANE_XVFB_PID" 2>/dev/null || true
}
