#!/usr/bin/env bash
# check-links.sh FOLDER: the Start-menu and desktop links the installer run test made, read by lnkinfo.
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
# The authoring program's installer, into the folder it offers (which the test noted).
install=$(cat "$folder/composer_folder.txt")
expect composer.lnk "Local path" "$install\\Velmora_Composer.exe"
expect composer.lnk "Description" "Velmora Composer"
expect composer_uninstall.lnk "Local path" "$install\\Uninstall.exe"
expect composer_uninstall.lnk "Description" "Uninstall Velmora"
expect desktop.lnk "Local path" "$install\\Velmora_Composer.exe"
expect desktop.lnk "Description" "Velmora Composer"
exit $status
