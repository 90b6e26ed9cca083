#!/usr/bin/env bash
# Checks the layering of the sources and prints it as a Mermaid graph of folders, each arrow one
# folder including another with the number of includes. A folder may include only itself and the
# folders below it:
#   desktop, cli, web  ->  exercise  ->  session  ->  assembler  ->  machine
# and no folder but desktop includes Qt. Exits 1 on any include that breaks this.
set -euo pipefail
cd "$(dirname "$0")/.."

rank() {
    case "$1" in
        machine) echo 0 ;; assembler) echo 1 ;; session) echo 2 ;; exercise) echo 3 ;;
        desktop | cli | web) echo 4 ;;
        *) echo -1 ;;
    esac
}

status=0
echo '```mermaid'
echo 'graph TD'
for from in desktop cli web exercise session assembler machine; do
    while read -r count to; do
        [ "$to" = "$from" ] && continue
        echo "    $from -->|$count| $to"
        if [ "$(rank "$to")" -ge "$(rank "$from")" ] || [ "$(rank "$to")" -lt 0 ]; then
            echo "layers: $from includes $to, which is not below it" >&2
            status=1
        fi
    done < <(grep -rhoE '^#include "[a-z_]+/' "$from" | sed -E 's|#include "||; s|/$||' |
             sort | uniq -c)
    if [ "$from" != desktop ] && grep -rqE '^#include <Q' "$from"; then
        echo "layers: $from includes Qt" >&2
        status=1
    fi
done
echo '```'
exit "$status"
