# shellcheck shell=bash
# The programs of the suite, as programs.txt lists them (that file says what
# each field means), for the scripts written in bash. Sourced:
#   programs_of [KIND...]          the names of the programs of every kind
#                                  given (all of them without one), a line each
#   program_files FIELD [NAME...]  the files that field (reads, writes or
#                                  example) names for the programs given (for
#                                  all without one), each once, a line each;
#                                  a file read or written only by some runs
#                                  ("NAME?") is left out
# Both keep the list's order.
suite_registry="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/programs.txt"

programs_of() {
  awk -F'|' -v wanted="$*" '
    /^[ \t]*(#|$)/ { next }
    {
      split($2, kinds, " ")
      for (k in kinds) has[kinds[k]] = 1
      all = 1
      n = split(wanted, want, " ")
      for (i = 1; i <= n; i++) if (!(want[i] in has)) all = 0
      split("", has)
      name = $1
      gsub(/[ \t]/, "", name)
      if (all) print name
    }' "$suite_registry"
}

program_files() {
  local field=$1 column
  shift
  case $field in
  reads) column=3 ;;
  writes) column=4 ;;
  example) column=5 ;;
  *)
    echo "program_files: no field $field" >&2
    return 2
    ;;
  esac
  awk -F'|' -v column="$column" -v names="$*" '
    BEGIN { n = split(names, list, " "); for (i = 1; i <= n; i++) chosen[list[i]] = 1 }
    /^[ \t]*(#|$)/ { next }
    {
      name = $1
      gsub(/[ \t]/, "", name)
      if (n > 0 && !(name in chosen)) next
      count = split($column, words, " ")
      for (i = 1; i <= count; i++)
        if (words[i] != "-" && words[i] !~ /\?$/ && !(words[i] in seen)) { seen[words[i]] = 1; print words[i] }
    }' "$suite_registry"
}
