#!/usr/bin/env bash
# CheckImports.sh <objdump> <bin folder> "<allowed DLLs>" <module>...
#   Fails when a module imports a DLL that is neither a system DLL nor in the allowed list
#   (the run-time DLL list that travels next to the player), or when an allowed DLL is
#   missing from the bin folder.
# CheckImports.sh --closure <objdump> <bin folder> "<files>" <program>
#   Fails unless the files are exactly the program and every non-system DLL it needs,
#   directly or through the DLLs it loads (the set Create copies next to the player).
set -u
system="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll ole32.dll oleaut32.dll advapi32.dll
shell32.dll version.dll msvcrt.dll winmm.dll shlwapi.dll msimg32.dll uxtheme.dll msacm32.dll cabinet.dll"
lower() { echo "$1" | tr 'A-Z' 'a-z'; }
system=$(echo $system)  # one line
imports() { "$objdump" -p "$bin/$1" | sed -n 's/^\s*DLL Name: //p'; }

if [ "$1" = --closure ]; then
  objdump=$2 bin=$3 files=$(echo "$4" | tr ';' ' ') program=$5
  needed=" $(lower "$program") " todo=$program
  while [ -n "$todo" ]; do
    set -- $todo; module=$1; shift; todo="$*"
    [ -f "$bin/$module" ] || { echo "missing next to the programs: $module"; exit 1; }
    for dll in $(imports "$module"); do
      l=$(lower "$dll")
      case " $system " in *" $l "*) continue ;; esac
      case "$needed" in *" $l "*) continue ;; esac
      needed="$needed$l " todo="$todo $dll"
    done
  done
  expected=" $(for f in $files; do lower "$f"; done | sort | tr '\n' ' ')"
  found=" $(for f in $needed; do echo "$f"; done | sort | tr '\n' ' ')"
  [ "$expected" = "$found" ] && { echo "$program needs exactly:$found"; exit 0; }
  echo "$program needs:$found"
  echo "the list holds:$expected"
  exit 1
fi

objdump=$1 bin=$2 allowed=$(echo "$3" | tr ';' ' '); shift 3
status=0
for dll in $allowed; do
  [ -f "$bin/$dll" ] || { echo "missing next to the programs: $dll"; status=1; }
done
for module in "$@"; do
  for dll in $(imports "$module"); do
    case " $(lower "$system $allowed") " in
      *" $(lower "$dll") "*) ;;
      *) echo "$module imports $dll, which is not in the run-time DLL list"; status=1 ;;
    esac
  done
done
[ $status = 0 ] && echo "imports of $* covered by: $allowed"
exit $status
