#!/usr/bin/env bash
# The libraries are called by exported name: the names must be undecorated in the 32-bit build.
# Usage: check-exports.sh PROGRAM_FOLDER
set -euo pipefail
folder=$1
status=0

expect() {   # library, exported names...
  local library=$1; shift
  local table
  table=$(i686-w64-mingw32-objdump -p "$folder/$library" |
          sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | tail -n +2 | awk 'NF==3 {print $3}')
  local name
  for name in "$@"; do
    if ! grep -qx "$name" <<<"$table"; then
      echo "  $library does not export $name (exports: $(echo $table))"
      status=1
    fi
  done
  local extra
  extra=$(grep -vx -F "$(printf '%s\n' "$@" '')" <<<"$table" || true)
  if [ -n "$extra" ]; then
    echo "  $library exports more than its interface: $(echo $extra)"
    status=1
  fi
}

expect Overink.dll StartDraw ShowDraw EndDraw EnableWnd DoForSleep
expect Beamora.dll
expect Umbrata.dll
expect color.dll ShowColor CloseSheet UpdataPenSet
expect Ptrgrip.dll StartHookR

[ $status -eq 0 ] && echo "  export tables as expected"
exit $status
