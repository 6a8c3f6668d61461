# bash completion for quenport                              -*- shell-script -*-
# Installed as share/bash-completion/completions/quenport, where bash-completion
# loads it on the first Tab after "quenport"; it needs nothing but bash itself
# ("source" it to try it without installing).

# Every option a command applies and what its argument is: "-" for none,
# "text" for free text, "dir" for a directory, else a glob of the files it
# takes. The rows follow the usage text ("quenport COMMAND -help"), which a
# test compares them with; uvision2hzp ignores the project settings, and only
# iar2hzp reads argument variables.
_quenport_options() {
  local command=$1 row
  for row in \
    '-addtemplatesfile *.xml' \
    '-argvar text' \
    '-custom-argvars *.custom_argvars' \
    '-D text' \
    '-I dir' \
    '-executable-template text' \
    '-expand-templates -' \
    '-filter-file text' \
    '-filter-definition text' \
    '-help -' \
    '-library-template text' \
    '-P text' \
    '-report *.json' \
    '-rootuserdir dir' \
    '-templatesfile *.xml' \
    '-verbose -'; do
    case $command:${row%% *} in
      uvision2hzp:-D | uvision2hzp:-I | uvision2hzp:-P | uvision2hzp:-filter-definition) ;;
      uvision2hzp:-argvar | uvision2hzp:-custom-argvars | eclipse2hzp:-argvar | eclipse2hzp:-custom-argvars) ;;
      *) printf '%s\n' "$row" ;;
    esac
  done
  case $command in
    uvision2hzp) printf '%s\n' '-c-vector-table -' ;;
  esac
}

# What the command's inputs are: a glob of workspace files, or "dir".
_quenport_inputs() {
  case $1 in
    uvision2hzp) echo '*.uvmpw' ;;
    iar2hzp) echo '*.eww' ;;
    eclipse2hzp) echo dir ;;
  esac
}

# Completes the current word as what kind says (see _quenport_options).
_quenport_complete_as() {
  local kind=$1 cur=${COMP_WORDS[COMP_CWORD]}
  case $kind in
    - | text) return ;;
  esac
  compopt -o filenames 2>/dev/null  # only while readline completes
  if [[ $kind == dir ]]; then
    mapfile -t COMPREPLY < <(compgen -d -- "$cur")
  else
    mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X "!$kind" -- "$cur")
  fi
}

_quenport() {
  COMPREPLY=()
  local cur=${COMP_WORDS[COMP_CWORD]}
  if ((COMP_CWORD == 1)); then
    mapfile -t COMPREPLY < <(compgen -W 'uvision2hzp eclipse2hzp iar2hzp help --help -h --version' -- "$cur")
    return
  fi
  local command=${COMP_WORDS[1]} previous=${COMP_WORDS[COMP_CWORD - 1]} name kind names=()
  while read -r name kind; do
    if [[ $previous == "$name" && $kind != - ]]; then
      _quenport_complete_as "$kind"
      return
    fi
    names+=("$name")
  done < <(_quenport_options "$command")
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "${names[*]}" -- "$cur")
  else
    _quenport_complete_as "$(_quenport_inputs "$command")"
  fi
}

complete -F _quenport quenport
