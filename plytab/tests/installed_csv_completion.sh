#!/usr/bin/env bash
# "csv" and the bash completion of the umbrella command as a user meets them
# after "cmake --install": installed into a scratch prefix.
#   installed_csv_completion.sh BUILD_DIR COMMAND
# Checks that the completion file is installed where bash-completion looks,
# that sourced in bash it completes the programs, "examples" and "csv" after
# the command, a folder after "examples" and the table files of the current
# folder after "csv" (with the tables the csv program itself knows), and
# that "COMMAND csv" runs the installed csv program.
set -uo pipefail
# shellcheck source=plytab/tests/installed_prefix.sh
source "$(dirname "$0")/installed_prefix.sh"
completion=$prefix/share/bash-completion/completions/$name
[ -f "$completion" ] || { echo "FAULT: no completion file $completion"; exit 1; }

# The words the completion offers for the command line $@, the last word
# being the one completed, sorted, one a line.
completed() {
  bash -c '
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    "_${COMP_WORDS[0]}"
    printf "%s\n" "${COMPREPLY[@]}" | sed "s/ *$//" | sort' completed "$completion" "$@"
}
expect() {
  local want=$1
  shift
  local got
  got=$(completed "$@" | paste -sd' ')
  [ "$got" = "$want" ] || fault "completing \"$*\": got \"$got\", not \"$want\""
}

programs=$("$name" --help | awk '/^Programs:/ { on = 1; next } on && /^$/ { exit } on { print $1 }')
[ -n "$programs" ] || fault "$name --help lists no program"
expect "$(printf '%s\n' $programs examples csv --help --version | sort | paste -sd' ')" "$name" ""
expect "csv" "$name" "cs"
expect "polar polarplot" "$name" "pol"

work=$scratch/work
mkdir -p "$work/tables" "$work/other"
cd "$work" || exit 1
"$name" examples . >/dev/null || fault "$name examples failed"
"$name" nodes >/dev/null && "$name" topo >/dev/null || fault "nodes or topo failed"
: >notes.txt
: >tables/e3.DAT
expect "other tables wnodes.out wstresses.out wtopo.out" "$name" csv ""
expect "wnodes.out" "$name" csv wn
expect "tables/e3.DAT" "$name" csv tables/
expect "other tables" "$name" examples ""
expect "" "$name" examples other ""
expect "--help --version" "$name" nodes --

# The completion's tables are those the csv program names.
said=$("$name" csv unknown.txt 2>&1 >/dev/null)
[ $? -eq 2 ] || fault "$name csv unknown.txt is not a usage error"
known=$(printf '%s\n' "$said" | sed -n 's/.*; the tables are \(.*\); usage:.*/\1/p' | tr -d ',' | tr ' ' '\n' | sort | paste -sd' ')
offered=$(bash -c 'source "$1"; echo $_'"$name"'_tables' tables "$completion" | tr ' ' '\n' | sort | paste -sd' ')
[ -n "$known" ] && [ "$known" = "$offered" ] || fault "the completion offers the tables \"$offered\", csv knows \"$known\""

# The installed csv program, through the command.
header=$("$name" csv wtopo.out | head -1)
[ "$header" = "element,node1,node2,node3,angle,type" ] || fault "$name csv wtopo.out starts with \"$header\""
rows=$("$name" csv wnodes.out | wc -l)
[ "$rows" -eq $(($(wc -l <wnodes.out) + 1)) ] || fault "$name csv wnodes.out: $rows lines"
"$name" csv --help | grep '^Usage: plytab csv ' >/dev/null || fault "$name csv --help"

[ $faults -eq 0 ] && echo "csv and the completion work when installed"
exit $((faults > 0))
