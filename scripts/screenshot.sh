#!/usr/bin/env bash
# Takes the README's pictures of the editor: builds it, draws example pages
# (tools/example_pages.cpp), starts the editor on a virtual display with those
# pages on its command line, lifts a block of tiles on the canvas with the
# pointer, opens two windows from the toolbar and lays the GPF map over a page
# with the pencil in hand, once in Korean and once in English (--lang), and
# writes
#   docs/images/main-window.png     the main window carrying a lifted block
#   docs/images/size-dialog.png     "크기 설정"
#   docs/images/palette-dialog.png  "팔레트 보기"
#   docs/images/gpf-map.png         the hero's frames at 2x under the GPF map
# and the same in English as main-window-en.png, size-dialog-en.png,
# palette-dialog-en.png and gpf-map-en.png.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=scripts/packages.sh
source "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${SCREENSHOT_PACKAGES[@]}"

build="$root/build/release"
images="$root/docs/images"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 --target zentil-editor zentil-examples

work="$(mktemp -d)"
xvfb_pid=""
editor_pid=""
cleanup() {
    [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

pages="$work/pages"
"$build/tools/zentil-examples" "$pages"

# A display of its own: Xvfb writes the number it took once it is ready.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb


# One language's pictures: the language, the suffix of the file names and the
# titles of the two windows in that language.
take_pictures() {
    local lang="$1" suffix="$2" size_title="$3" palette_title="$4"
    # Settings of its own for each language, so that a zoom or map kept by the
    # user or by the other language's run does not move the page.
    export XDG_CONFIG_HOME="$work/config-$lang"
    # Started in the pages' folder, the editor reads their Zentil.Cfg: the window
    # at 0, 0 in 960 x 680, and Sheet.Pal as the sprite pages' palette. The last
    # file in name order, Tiles.gpf, is the page shown.
    (cd "$pages" && exec "$build/src/ui/zentil-editor" --lang "$lang" Hero.gpf Hero.tga Items.gpf \
        Tiles.gpf) >"$work/editor.log" 2>&1 &
    editor_pid=$!

    # The id of the visible window with this exact title, once it is shown.
    window_named() {
        timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
    }

    # Writes the window's picture, cut from the whole screen.
    shoot() {
        local window="$1" out="$2" X Y WIDTH HEIGHT
        eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
        echo "wrote ${out#"$root"/} (${WIDTH} x ${HEIGHT})"
    }

    main="$(window_named 'Zentil Editor 3.21 for GP32')"
    [ -n "$main" ] || { cat "$work/editor.log"; echo "the editor's window did not appear" >&2; exit 1; }
    sleep 1.5
    eval "$(xdotool getwindowgeometry --shell "$main" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"

    # Where the page is drawn: below the menu bar (19 pixels high) the form
    # keeps its places, so the canvas starts at 302, 82 + 19 in the window
    # (right of the tool strip) and reaches down to the status bar (28 pixels
    # high); the page's one-pixel frame is centred in it, at 1x.
    menu_h=19
    canvas_x=302 canvas_y=$((82 + menu_h)) page_w=384 page_h=256 tile=32 status_h=28
    view_w=$((WIDTH - canvas_x)) view_h=$((HEIGHT - canvas_y - status_h))
    page_x=$((X + canvas_x + (view_w - page_w - 2) / 2 + 1))
    page_y=$((Y + canvas_y + (view_h - page_h - 2) / 2 + 1))
    # The centre of tile (column, row) on the screen.
    tile_x() { echo $((page_x + $1 * tile + tile / 2)); }
    tile_y() { echo $((page_y + $1 * tile + tile / 2)); }

    # Drag over tiles 1,1 to 3,2 and let go: the block is lifted. Then carry it
    # three tiles right and two down; it follows the pointer tile by tile.
    xdotool mousemove "$(tile_x 1)" "$(tile_y 1)"
    sleep 0.3
    xdotool mousedown 1
    for step in 1 2 3 4 5 6; do
        xdotool mousemove $(($(tile_x 1) + step * 11)) $(($(tile_y 1) + step * 6))
        sleep 0.1
    done
    xdotool mousemove "$(tile_x 3)" "$(tile_y 2)"
    sleep 0.2
    xdotool mouseup 1
    sleep 0.3
    for step in 1 2 3 4; do
        xdotool mousemove $(($(tile_x 3) + step * 24)) $(($(tile_y 2) + step * 16))
        sleep 0.1
    done
    sleep 0.5
    mkdir -p "$images"
    shoot "$main" "$images/main-window$suffix.png"

    # Put the block away (right click), then open the two windows from the toolbar.
    xdotool click 3
    sleep 0.3
    open_dialog() {
        local button_x="$1" button_y="$2" title="$3" out="$4" dialog
        xdotool mousemove $((X + button_x)) $((Y + button_y)) click 1
        dialog="$(window_named "$title")"
        [ -n "$dialog" ] || { echo "\"$title\" did not open" >&2; exit 1; }
        sleep 0.8
        shoot "$dialog" "$out"
        xdotool windowfocus --sync "$dialog" key Escape
        sleep 0.3
    }
    # "크기 설정" and "팔레트 보기" are the toolbar's second row, at x 452 and 564.
    open_dialog 506 $((38 + menu_h)) "$size_title" "$images/size-dialog$suffix.png"
    open_dialog 618 $((38 + menu_h)) "$palette_title" "$images/palette-dialog$suffix.png"

    # The hero's frames (the first sprite page, 256 x 32) at 2x under the GPF
    # map (Ctrl+B), the pencil chosen in the tool strip and the pointer on the
    # third frame, whose colour the information panel reads out.
    xdotool mousemove $((X + 20)) $((Y + 355 + menu_h)) click 1
    sleep 0.3
    xdotool mousemove $((X + 286)) $((Y + 118 + menu_h)) click 1
    xdotool windowfocus --sync "$main" key ctrl+equal ctrl+b
    sleep 0.5
    xdotool mousemove $((X + canvas_x + (view_w - 512) / 2 + 2 * 80)) $((Y + canvas_y + view_h / 2 + 12))
    sleep 0.5
    shoot "$main" "$images/gpf-map$suffix.png"
    kill "$editor_pid"
    wait "$editor_pid" 2>/dev/null || true
    editor_pid=""
}

take_pictures ko '' '크기 설정' '팔레트 보기'
take_pictures en -en 'Tile Size' 'View Palette'
