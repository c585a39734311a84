# Services the tests use: an X server for the end-to-end tests, CUPS with a PDF printer as
# the default printer, and a PulseAudio null sink to record what the program plays.
# Each start is idempotent. Sourced by scripts/test.

start_xvfb() {
    export ONDEL_TEST_DISPLAY=${ONDEL_TEST_DISPLAY:-:99}
    if ! xdpyinfo -display "$ONDEL_TEST_DISPLAY" >/dev/null 2>&1 \
        && ! pgrep -f "Xvfb $ONDEL_TEST_DISPLAY" >/dev/null; then
        Xvfb "$ONDEL_TEST_DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        sleep 1
    fi
}

start_cups() {
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        as_root /usr/sbin/cupsd
        for _ in 1 2 3 4 5 6 7 8 9 10; do
            lpstat -r 2>/dev/null | grep -q 'is running' && break
            sleep 0.5
        done
    fi
    if ! lpstat -p ClassroomPDF >/dev/null 2>&1; then
        as_root lpadmin -p ClassroomPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
    fi
    # The default renderer (Ghostscript) turns the text into Type 3 glyphs that pdftotext
    # cannot read back; Cairo keeps it text.
    as_root lpadmin -p ClassroomPDF -o pdftops-renderer-default=pdftocairo
    as_root lpadmin -d ClassroomPDF
}

start_pulseaudio() {
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/ondel-runtime-$(id -u)}
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    if ! pactl info >/dev/null 2>&1; then
        pulseaudio -D --exit-idle-time=-1 --disallow-exit -n \
            --load="module-null-sink sink_name=ondel" --load=module-native-protocol-unix \
            >/dev/null 2>&1 || true
        for _ in 1 2 3 4 5 6 7 8 9 10; do
            pactl info >/dev/null 2>&1 && break
            sleep 0.5
        done
    fi
    pactl set-default-sink ondel >/dev/null 2>&1 || true
}

start_services() {
    start_xvfb
    start_cups || echo "CUPS could not be started; the real-printer tests will skip"
    start_pulseaudio || echo "PulseAudio could not be started; the real-sound tests will skip"
}
