#!/usr/bin/env bash
# check-links.sh FOLDER: the Start-menu links the installer run test made, read by lnkinfo.
set -u
folder=$1 status=0
expect() { # link field value
  if ! lnkinfo "$folder/$1" | grep -qF "$2			: $3"; then
    echo "$1: $2 is not \"$3\""; lnkinfo "$folder/$1"; status=1
  fi
}
install='C:\Velmora Test Install\Corvex Software\Velmora'
expect program.lnk "Local path" "$install\\Velmora_Composer.exe"
expect program.lnk "Description" "Velmora Test"
expect uninstall.lnk "Local path" "$install\\Uninstall.exe"
expect uninstall.lnk "Description" "Uninstall Velmora Test"
exit $status
