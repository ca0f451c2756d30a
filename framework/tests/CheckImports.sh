#!/usr/bin/env bash
# CheckImports.sh <objdump> <bin folder> "<allowed DLLs>" <module>...
# Fails when a module imports a DLL that is neither a system DLL nor in the allowed list
# (the run-time DLL list that travels next to the player), or when an allowed DLL is
# missing from the bin folder.
set -u
objdump=$1 bin=$2 allowed=$(echo "$3" | tr ';' ' '); shift 3
system="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll ole32.dll oleaut32.dll advapi32.dll
shell32.dll version.dll msvcrt.dll winmm.dll shlwapi.dll msimg32.dll uxtheme.dll msacm32.dll cabinet.dll"
status=0
for dll in $allowed; do
  [ -f "$bin/$dll" ] || { echo "missing next to the programs: $dll"; status=1; }
done
for module in "$@"; do
  for dll in $("$objdump" -p "$bin/$module" | sed -n 's/^\s*DLL Name: //p'); do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    case " $(echo $system $allowed | tr 'A-Z' 'a-z') " in
      *" $lower "*) ;;
      *) echo "$module imports $dll, which is not in the run-time DLL list"; status=1 ;;
    esac
  done
done
[ $status = 0 ] && echo "imports of $* covered by: $allowed"
exit $status
