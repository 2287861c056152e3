#!/usr/bin/env bash
# Sources the completion script given as $1 and checks what it offers.
set -euo pipefail
# shellcheck source=/dev/null
source "$1"

echec=0
# Completes the command line "$1 $2" with the cursor at its end.
completer()
{
    COMP_WORDS=("$1" "$2"); COMP_CWORD=1; COMP_LINE="$1 $2"; COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    local fonction
    fonction=$(complete -p "$1" | sed -n 's/.*-F \([^ ]*\).*/\1/p')
    [ -n "$fonction" ] || { echo "no completion registered for $1"; exit 1; }
    "$fonction" "$1" "$2" "$1"
    printf '%s\n' "${COMPREPLY[@]}" | sort
}
attendre()
{
    local obtenu attendu
    obtenu=$(completer "$1" "$2")
    attendu=$(tr -s ' ' '\n' <<<"$3" | sed 's/^ *//;/^$/d' | sort)
    if [ "$obtenu" != "$attendu" ]; then
        echo "FAIL: '$1 $2' offers:"; echo "$obtenu"; echo "expected:"; echo "$attendu"
        echec=1
    fi
}

std="stdea stdnea stdead stdeas stdnead stdsa stdnsa stdrsa stdsad stdsas stdnsad
     stdrsad stdrsas stdeb stdneb stdsb stdnsb stdrsb stdtitre stddetail"
for p in travonel travonel_ident; do
    attendre "$p" st "$std"
    attendre "$p" stdr "stdrsa stdrsad stdrsas stdrsb"
    attendre "$p" n "nea nead nsa nsad neb nsb"
    attendre "$p" x ""
done
# All 37 words for an empty word.
n=$(completer travonel "" | wc -l)
[ "$n" -eq 37 ] || { echo "FAIL: '' offers $n words, expected 37"; echec=1; }
# Numbers are not completed.
COMP_WORDS=(travonel ea ""); COMP_CWORD=2; COMPREPLY=(x); _travonel travonel "" ea
[ ${#COMPREPLY[@]} -eq 0 ] || { echo "FAIL: argument 2 completed"; echec=1; }
exit $echec
