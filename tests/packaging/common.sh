# Shared by the packaging checks (never pipe into grep -q under pipefail: its early exit fails the pipe): failing, and the checks on an installed tree (a prefix or an unpacked package).

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

# The regular files under $1 must be exactly those of installed_files.txt: nothing missing, nothing stray.
check_file_list()
{
    local root=$1
    local expected actual
    expected=$(sort "$(dirname "${BASH_SOURCE[0]}")/installed_files.txt")
    actual=$(cd "$root" && find . -type f -printf '%P\n' | sort)
    [ "$expected" = "$actual" ] || fail "installed files differ from installed_files.txt:
$(diff <(echo "$expected") <(echo "$actual"))"
}

# Each PNG icon has the size of its folder.
check_icon_sizes()
{
    local root=$1 size description
    for size in 32 48 64 128 256; do
        description=$(file "$root/share/icons/hicolor/${size}x${size}/apps/org.example.quorvane.png")
        grep -q "PNG image data, $size x $size," <<<"$description" || fail "the ${size}x${size} icon has another size"
    done
}

# The installed program answers its two options without any display, and refuses anything else.
check_program_answers()
{
    local program=$1 version=$2 output status
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version) ||
        fail "--version ended with status $?"
    [ "$output" = "quorvane $version" ] || fail "--version printed '$output'"
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help) || fail "--help ended with status $?"
    grep -q -- '--version' <<<"$output" ||
        fail "--help does not name --version"
    status=0
    output=$("$program" --fullscreen 2>&1 >/dev/null) || status=$?
    [ "$status" = 2 ] || fail "an unknown argument ended with status $status, not 2"
    [ "$(printf '%s\n' "$output" | wc -l)" = 1 ] || fail "an unknown argument got more than one line: $output"
}
