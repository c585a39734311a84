#!/bin/bash
# Makes the metafile test corpus in tests/data/metafiles/ from the drawings in sources/:
# each SVG through Inkscape and each flat ODF drawing through LibreOffice Draw, into a .wmf
# and a reference .png of the same page at 96 dpi (320 x 240 pixels), both made by the
# producer itself. Run it by hand, as root, when the sources change; the tests only read the
# committed results and never need these programs.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
out="$here/../../tests/data/metafiles"
seeds="$here/../../fuzz/seeds/metafile"
width=320
height=240

if ! command -v inkscape >/dev/null || ! command -v soffice >/dev/null; then
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        libreoffice-draw inkscape fonts-liberation fonts-dejavu-core
fi

mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Inkscape turns text into curves in metafiles unless told otherwise in its preferences: a
# private profile keeps text as text, except for ink-page, which keeps the default.
mkdir -p "$work/inkscape-text"
cat > "$work/inkscape-text/preferences.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<inkscape xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd"
          xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" version="1">
  <group id="extensions" org.inkscape.output.wmf.textToPath="false" />
</inkscape>
XML
mkdir -p "$work/inkscape-default"
for svg in "$here"/sources/*.svg; do
    name="$(basename "$svg" .svg)"
    profile_dir="$work/inkscape-text"
    [ "$name" = ink-page ] && profile_dir="$work/inkscape-default"
    INKSCAPE_PROFILE_DIR="$profile_dir" inkscape "$svg" --export-area-page --export-type=wmf \
        --export-filename="$out/$name.wmf"
    INKSCAPE_PROFILE_DIR="$profile_dir" inkscape "$svg" --export-area-page --export-type=png \
        --export-width=$width \
        --export-height=$height --export-background=white --export-background-opacity=1 \
        --export-filename="$out/$name.png"
done

# A private profile keeps the conversion from touching the user's own LibreOffice settings.
profile="file://$work/profile"
png_filter='png:draw_png_Export:{"PixelWidth":{"type":"long","value":"'$width'"},"PixelHeight":{"type":"long","value":"'$height'"}}'
for fodg in "$here"/sources/*.fodg; do
    soffice -env:UserInstallation="$profile" --headless --convert-to wmf --outdir "$work" "$fodg"
    soffice -env:UserInstallation="$profile" --headless --convert-to "$png_filter" \
        --outdir "$work" "$fodg"
    name="$(basename "$fodg" .fodg)"
    mv "$work/$name.wmf" "$out/$name.wmf"
    mv "$work/$name.png" "$out/$name.png"
done

# The reference PNGs on a white, opaque background as the player draws, without metadata.
for png in "$out"/*.png; do
    convert "$png" -background white -alpha remove -alpha off -strip "$png"
done

# Real producers' files are good starting points for the metafile fuzzer.
for wmf in "$out"/*.wmf; do
    if [ "$(stat -c %s "$wmf")" -le 16384 ]; then
        cp "$wmf" "$seeds/corpus-$(basename "$wmf")"
    fi
done
