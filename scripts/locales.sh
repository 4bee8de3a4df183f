# Sourced by the scripts that run the Windows tests: the locales they run Wine in, whatever the
# caller's. Wine takes its ANSI code page, and the character set of the Unix file names behind C:,
# from the Unix locale: in the caller's, a test would see whatever that gives (with none set, file
# names outside ASCII can't be made at all). The locales are made here, under build/locales and
# without root: en_US for 1252, ru_RU for 1251, ja_JP for the double-byte 932.
locales_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/locales

# Makes the locale $1.UTF-8 under build/locales unless it is there. It is made aside and moved in
# whole, so that a run stopped half-way, or another one at the same time, never leaves a part of one.
make_locale() {
    local dir=$locales_dir/$1.UTF-8 made
    [ -f "$dir/LC_CTYPE" ] && return 0
    mkdir -p "$locales_dir" && made=$(mktemp -d "$dir.XXXXXX") || return 1
    localedef -i "$1" -f UTF-8 "$made" >/dev/null 2>&1
    if [ -f "$made/LC_CTYPE" ] && { mv -T "$made" "$dir" 2>/dev/null || [ -f "$dir/LC_CTYPE" ]; }; then
        rm -rf "$made"
        return 0
    fi
    rm -rf "$made"
    echo "cannot make the locale $1.UTF-8" >&2
    return 1
}

# Runs a command in the locale $1.UTF-8, telling the tests to expect the code page $2 (they check
# it: a locale that doesn't exist gives 1252 without a word). LC_ALL outranks LANG and every other
# LC_ variable; LANGUAGE, which would still pick the language of messages, goes.
in_code_page() {
    local locale=$1 page=$2
    shift 2
    make_locale "$locale" || return 1
    env -u LANGUAGE LOCPATH="$locales_dir" LC_ALL="$locale.UTF-8" CORVANE_EXPECT_CODE_PAGE="$page" "$@"
}
