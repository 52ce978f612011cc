#!/usr/bin/env bash
# The suite as a user meets it after "cmake --install": installed into a
# scratch prefix, run from a shell by the umbrella command alone.
#   installed_suite.sh BUILD_DIR COMMAND
# Checks that every program answers through the umbrella command, that every
# help text starts with a Usage line, names --help and --version and fits 80
# columns, that every record a help text shows is one the example run
# writes, that every manual page renders without a warning, and that the
# shipped examples run through the whole chain.
set -uo pipefail
# Whole outputs go through every pipe (no grep -q, no head): a reader that
# quits early would fail the pipe under pipefail.
# shellcheck source=plytab/tests/installed_prefix.sh
source "$(dirname "$0")/installed_prefix.sh"
# shellcheck source=scripts/programs.sh
source "$(dirname "$0")/../../scripts/programs.sh"
export MANWIDTH=80

[ "$(command -v "$name")" = "$prefix/bin/$name" ] || fault "$name is not found as a command"
programs=$("$name" --help | awk '/^Programs:/ { on = 1; next } on && /^$/ { exit } on { print $1 }')
[ -n "$programs" ] || fault "$name --help lists no program"
listed=$(programs_of)
# shellcheck disable=SC2086  # one line of the names
[ "$programs" = "$listed" ] || fault "$name --help lists" $programs "where programs.txt lists" $listed
"$name" --version | grep -x "$name [0-9.]*" >/dev/null || fault "$name --version"

# Help texts and manual pages, the umbrella command's included.
for program in $programs "$name"; do
  if [ "$program" = "$name" ]; then help=$("$name" --help); else help=$("$name" "$program" --help); fi
  [ $? -eq 0 ] || fault "$program --help failed"
  printf '%s\n' "$help" | sed -n 1p | grep "^Usage: $program " >/dev/null || fault "$program: help does not start with Usage: $program"
  for option in --help --version; do
    printf '%s\n' "$help" | grep -- "^  $option " >/dev/null || fault "$program: help does not list $option"
  done
  wide=$(printf '%s\n' "$help" | awk 'length($0) > 80')
  [ -z "$wide" ] || fault "$program: help lines wider than 80 columns: $wide"
  [ "$program" = "$name" ] || "$name" "$program" --version | grep -x "$program [0-9.]*" >/dev/null || fault "$program --version"
  page=$prefix/share/man/man1/$program.1
  if [ ! -f "$page" ]; then
    fault "no manual page $page"
  else
    # Rendered once: its warnings apart, its text read twice.
    rendered=$(man --warnings -l "$page" 2>"$scratch/warnings")
    warnings=$(cat "$scratch/warnings")
    [ -z "$warnings" ] || fault "$program.1 renders with warnings: $warnings"
    printf '%s\n' "$rendered" | grep "^NAME" >/dev/null || fault "$program.1 renders no NAME section"
    printf '%s\n' "$rendered" | grep "^SEE ALSO" >/dev/null || fault "$program.1 points to no file reference"
  fi
  printf '%s\n' "$help" >"$scratch/$program.help"
done

# The file reference and the walk-through the manual pages point to.
for doc in formats.md tutorial.md; do
  [ -s "$prefix/share/doc/$name/$doc" ] || fault "$doc is not installed in share/doc/$name"
done

# The examples, copied and run through the chain with the umbrella command:
# the batch programs, then the pictures of what they wrote.
work=$scratch/work
chain="$(programs_of batch) $(programs_of picture)"
"$name" examples "$work" >/dev/null || fault "$name examples failed"
for file in $(program_files example); do
  [ -f "$work/$file" ] || fault "$name examples did not copy $file"
done
if "$name" examples "$work" >/dev/null 2>&1; then fault "$name examples overwrote the copies"; fi
(
  cd "$work" || exit 1
  for program in $chain; do
    "$name" "$program" >/dev/null || { echo "FAULT: $name $program failed"; exit 1; }
  done
) || faults=$((faults + 1))
# shellcheck disable=SC2086  # the names are words
for file in $(program_files writes $chain); do
  [ -s "$work/$file" ] || fault "the chain did not write $file"
done

# A record a help text shows (a block indented by four blanks after a blank
# line) is a record of the example run, column for column.
for program in $programs; do
  awk 'prev == "" && /^    / { on = 1 } /^$/ { on = 0 } on { print substr($0, 5) } { prev = $0 }' \
    "$scratch/$program.help" >"$scratch/$program.records"
  while IFS= read -r record; do
    found=0
    for file in "$work"/*; do
      grep -qxF -- "$record" "$file" && { found=1; break; }
    done
    [ $found -eq 1 ] || fault "$program --help shows a record no example file holds: \"$record\""
  done <"$scratch/$program.records"
done

# A name that is no program is a usage error, which shows the name quoted as
# the programs quote an argument: a terminal's control bytes are not sent.
"$name" no-such-program >/dev/null 2>&1
[ $? -eq 2 ] || fault "$name no-such-program is not a usage error"
said=$("$name" $'no\x1b[2J\t"x' 2>&1 >/dev/null)
case $said in
"$name: no program \"no\x1b[2J\t\\\"x\" "*) ;;
*) fault "$name names an unknown program unquoted: $said" ;;
esac

# A name is compared whole: one that holds a line feed names no program,
# even when each of its lines does, and nothing runs.
printf '#!/bin/sh\n: >"%s"\n' "$scratch/ran" >"$scratch/evil"$'\n'"nodes"
chmod +x "$scratch/evil"$'\n'"nodes"
for wanted in "../../evil"$'\n'"nodes" "polar"$'\n'"nodes" $'\n'"polar" "polar"$'\n' ""; do
  said=$("$name" "$wanted" 2>&1 >/dev/null)
  status=$?
  shown=$(printf '%q' "$wanted")
  [ $status -eq 2 ] || fault "$name $shown: status $status, not a usage error"
  case $said in
  "$name: no program \""*) ;;
  *) fault "$name $shown: $said" ;;
  esac
done
[ ! -e "$scratch/ran" ] || fault "$name ran a program that is not in its list"

# Output that cannot be written (a full disk) is a failure, and says so.
while IFS='|' read -r what args; do
  # shellcheck disable=SC2086  # the arguments are words
  said=$("$name" $args 2>&1 >/dev/full)
  status=$?
  [ $status -eq 1 ] && [ "$said" = "$name: cannot write the $what to standard output" ] ||
    fault "$name $args to a full disk: status $status, said: $said"
done <<END
help|--help
help|
version|--version
list of copied examples|examples $scratch/copies
END
for program in $programs; do
  for option in help version; do
    said=$("$name" "$program" --$option 2>&1 >/dev/full)
    status=$?
    [ $status -eq 1 ] && [ "$said" = "$program: cannot write the $option to standard output: No space left on device" ] ||
      fault "$name $program --$option to a full disk: status $status, said: $said"
  done
done

[ $faults -eq 0 ] && echo "the installed suite works: $(echo $programs | wc -w) programs and $name"
exit $((faults > 0))
