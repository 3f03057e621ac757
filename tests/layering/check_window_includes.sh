#!/bin/sh
# The window sits on top of every other library: none of them may include its headers, only the window itself
# and the program's main.cpp do. An include from below would tie that library to the widgets of the window.
# usage: check_window_includes.sh SRC_DIR
src=${1:?usage: $0 SRC_DIR}
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]window/'
# The pattern must find the program's own includes, or it finds nothing anywhere.
grep -qE "$pattern" "$src/main.cpp" || { echo "the check no longer recognises an include of window/"; exit 1; }
offenders=$(grep -rlE "$pattern" "$src" --include='*.h' --include='*.cpp' | grep -v -e "^$src/window/" -e "^$src/main.cpp\$")
if [ -n "$offenders" ]; then
    echo "below the window, these include window/ headers:"
    echo "$offenders"
    exit 1
fi
echo "no library below the window includes window/"
