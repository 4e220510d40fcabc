#!/usr/bin/env bash
# Checks that includes run downward only through the layers of src/:
#   0 platform (with platform/mci)   services of the desktop and the device engine
#   1 core                           the recorder's logic, no widgets
#   2 ui                             the shared UI kit
#   3 recording cd music timer files shell   the features, which never include each other
#   4 app                            the program entry and the window that composes
# and that the layers below the UI kit name no Gui or Widgets header. With a
# second argument, that program (linked from the widget-free libraries only)
# must not load the Qt Gui or Widgets library.
#
#   check-layers.sh SRC_DIR [PROGRAM]
set -u
src=${1:?usage: check-layers.sh SRC_DIR [PROGRAM]}
probe=${2:-}
cd "$src" || exit 2

layer_of() {
    case "$1" in
        platform) echo 0 ;;
        core) echo 1 ;;
        ui) echo 2 ;;
        recording | cd | music | timer | files | shell) echo 3 ;;
        app) echo 4 ;;
        *) echo -1 ;;
    esac
}

widget_headers='^#include <(QtGui/|QtWidgets/|Q(Widget|Application|GuiApplication|Action|Menu|MenuBar|Label|PushButton|AbstractButton|CheckBox|ComboBox|ListWidget|Frame|Dialog|MessageBox|FileDialog|Screen|Cursor|Color|Palette|Font|Icon|Pixmap|Image|Painter|DesktopServices|SystemTrayIcon)>)'

faults=0
while IFS= read -r file; do
    own=${file%%/*}
    own_layer=$(layer_of "$own")
    [ "$own_layer" -ge 0 ] || continue
    while IFS= read -r line; do
        target=$(sed -E 's/^#include "([^/"]+)\/.*/\1/' <<<"$line")
        target_layer=$(layer_of "$target")
        [ "$target_layer" -ge 0 ] || continue
        if [ "$target_layer" -gt "$own_layer" ]; then
            echo "$file: includes upward: $line"
            faults=$((faults + 1))
        elif [ "$own_layer" -eq 3 ] && [ "$target_layer" -eq 3 ] && [ "$target" != "$own" ]; then
            echo "$file: includes another feature: $line"
            faults=$((faults + 1))
        fi
    done < <(grep -E '^#include "[^"]+/' "$file")
    if [ "$own_layer" -le 1 ]; then
        while IFS= read -r line; do
            echo "$file: names a Gui or Widgets header below the UI kit: $line"
            faults=$((faults + 1))
        done < <(grep -E "$widget_headers" "$file")
    fi
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

if [ -n "$probe" ]; then
    if ldd "$probe" | grep -E 'libQt6(Gui|Widgets)' >/dev/null; then
        echo "$probe: the widget-free libraries link Qt Gui or Widgets:"
        ldd "$probe" | grep -E 'libQt6(Gui|Widgets)'
        faults=$((faults + 1))
    fi
fi

if [ "$faults" -gt 0 ]; then
    echo "$faults layer fault(s)"
    exit 1
fi
echo "layers: every include runs downward"
