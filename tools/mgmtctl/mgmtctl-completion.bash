# bash completion for mgmtctl. The tool itself says what fits where
# (mgmtctl __complete WORDS...), so this stays in step with it; when it offers
# nothing, bash completes file names (run FILE, --library PATH).
_mgmtctl() {
    local current=${COMP_WORDS[COMP_CWORD]}
    local IFS=$'\n'
    local candidates
    candidates=$("${COMP_WORDS[0]}" __complete "${COMP_WORDS[@]:1:COMP_CWORD}" 2>/dev/null) || return
    COMPREPLY=($(compgen -W "$candidates" -- "$current"))
}
complete -o default -F _mgmtctl mgmtctl
