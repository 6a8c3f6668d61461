#!/usr/bin/env bash
# Drives the bash completion as bash does (COMP_WORDS, COMP_CWORD, then the
# function "complete" names) and checks what it offers: the commands, every
# option of each command's usage text and no other, option arguments and
# inputs by what each takes.
# Usage: completion_test.sh <quenport binary> <completion file>
set -euo pipefail
quenport=$(realpath "$1")
source "$(realpath "$2")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" MARROWFEN_ROOT_USER_DIR="$work/user"
mkdir "$work/tree"
cd "$work/tree"
mkdir -p ws/sub "dir with space"
touch a.uvmpw b.eww c.xml d.json e.txt ws/f.uvmpw

failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

# What completing the last word of the line offers, one candidate a line, sorted.
offered() {
  read -ra COMP_WORDS <<<"$1"
  [[ $1 == *' ' ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$1 COMP_POINT=${#1}
  local function
  function=$(complete -p quenport | sed -n 's/.*-F \([^ ]*\) .*/\1/p')
  "$function" quenport "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort
}

expect() {  # line, then the candidates expected
  local line=$1 wanted
  shift
  wanted=$(printf '%s\n' "$@" | sed '/^$/d' | sort)
  [[ $(offered "$line") == "$wanted" ]] || fail "'$line' offers [$(offered "$line" | tr '\n' ' ')], expected [$*]"
}

# The commands are those of the usage text.
commands=$("$quenport" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z0-9]*\) .*/\1/p')
[[ -n $commands ]] || fail "no commands in the usage text"
for command in $commands; do
  [[ $(offered "quenport ${command:0:3}") == *"$command"* ]] || fail "command $command is not completed"

  # Every option of the command's usage text, and no other, with an argument
  # exactly where the usage text shows one.
  usage=$("$quenport" "$command" -help | sed -n 's/^  \(-[^ ]*\( [^ ]\+\)\?\)  .*/\1/p' | sort)
  table=$(_quenport_options "$command" | while read -r name kind; do
    if [[ $kind == - ]]; then echo "$name"; else echo "$name ARG"; fi
  done | sort)
  [[ $(sed 's/ .*/ ARG/' <<<"$usage") == "$table" ]] ||
    fail "$command: options of the usage text and of the completion differ:
$(diff <(sed 's/ .*/ ARG/' <<<"$usage") <(echo "$table") || true)"
  [[ $(offered "quenport $command -") == $(sed 's/ .*//' <<<"$usage") ]] || fail "$command: options offered differ"
done

# Inputs and option arguments by what each takes; directories are always offered to descend into.
expect "quenport uvision2hzp " a.uvmpw ws "dir with space"
expect "quenport uvision2hzp ws/" ws/f.uvmpw ws/sub
expect "quenport iar2hzp -verbose " b.eww ws "dir with space"
expect "quenport eclipse2hzp " ws "dir with space"
expect "quenport iar2hzp -templatesfile " c.xml ws "dir with space"
expect "quenport eclipse2hzp -addtemplatesfile c" c.xml
expect "quenport iar2hzp -report " d.json ws "dir with space"
expect "quenport iar2hzp -rootuserdir w" ws
expect "quenport iar2hzp -D "
expect "quenport uvision2hzp -c-" -c-vector-table
expect "quenport iar2hzp -c-"
expect "quenport --v" --version

((failures == 0)) || exit 1
echo "bash completion offers what each command takes"
