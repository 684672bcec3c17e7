#!/usr/bin/env bash
# modeltool's manual page, its --help and its bash completion name the same commands, and the
# completion offers each command's subcommands, options and option values.
# HelpTextsTest.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source_dir="$2"
tool="$build/tools/modeltool"
fail() { echo "FAIL: $*" >&2; exit 1; }

# "  NAME ARGS  description" lines under "Commands:", as command names (one or two words).
help_commands="$("$tool" --help | awk '/^Commands:/ { on = 1; next } /^$/ { on = 0 }
    on && /^  [a-z]/ { print $1 ($2 ~ /^[a-z]+$/ ? " " $2 : "") }')"
[[ $(wc -l <<< "$help_commands") -ge 10 ]] || fail "--help lists too few commands: $help_commands"
# The manual page's terms of its "Commands:" subsection (roff escapes removed).
man_commands="$(awk '/^\.SS "Commands:"/ { on = 1; next } /^\.S[SH]/ { on = 0 }
    on && previous == ".TP" { print } { previous = $0 }' "$build/packaging/man/modeltool.1" |
    sed 's/\\-/-/g; s/\\f[BIRP]//g' | awk '{ print $1 ($2 ~ /^[a-z]+$/ ? " " $2 : "") }')"
[[ "$man_commands" == "$help_commands" ]] ||
    fail "the manual page's commands differ from --help's:$(diff <(echo "$man_commands") <(echo "$help_commands"))"
grep -q "^\.SH SYNOPSIS" "$build/packaging/man/modeltool.1" || fail "the manual page has no synopsis"
"$tool" --version | grep -qx "modeltool [0-9.]*" || fail "--version"

# What the completion offers after the words typed so far (the last one being completed).
complete_after() {
    (
        PATH="$(dirname "$tool"):$PATH"
        source "$source_dir/packaging/modeltool.bash-completion"
        COMP_WORDS=(modeltool "$@")
        COMP_CWORD=$#
        _modeltool
        printf '%s\n' "${COMPREPLY[@]}"
    )
}
first_words="$(sort -u <<< "$(cut -d' ' -f1 <<< "$help_commands")")"
offered="$(complete_after "" | grep -v '^--' | sort -u)"
[[ "$offered" == "$first_words" ]] || fail "completion offers $offered, --help lists $first_words"
expect_offer() { # expected words... -- typed words...
    local expected=() typed
    while [[ $1 != -- ]]; do expected+=("$1"); shift; done
    shift
    typed="$(complete_after "$@")"
    for word in "${expected[@]}"; do
        grep -qx -- "$word" <<< "$typed" || fail "after 'modeltool $*' no '$word' is offered: $typed"
    done
}
expect_offer show convert render check trace -- hotmap ""
expect_offer --to -- hotmap convert a.hmt b.txt --
expect_offer binary text -- hotmap convert a.hmt b.txt --to ""
expect_offer --select --shift --checks --size -- hotmap render --
expect_offer binary text -- hotmap trace model.RMF 101 out.hmt --to ""
expect_offer --out -- import model.RMF --
echo "manual page, --help and completion agree"
