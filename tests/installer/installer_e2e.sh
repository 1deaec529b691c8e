#!/usr/bin/env bash
# End to end under Wine: verdo-setup.exe and uninstall.exe in a fresh prefix.
#
#   installer_e2e.sh <source root> <verdo-setup-x64.exe or -x86.exe>
#                    <installer_probe.exe> <built verdo.scr> <prefix dir>
#                    [<results.tsv>]
#
# Install silently as the screen saver, with the Start-menu shortcut that
# makes Verdo the screen saver again and the installed program's version in
# Add/Remove Programs; run the installed saver as the screen-saver host would; open the settings through the Start-menu shortcut,
# see an install refused while Verdo runs, press OK; upgrade over an edited
# install; uninstall silently (edited files stay, the previous screen saver
# comes back); refuse a folder too long for Verdo; register a folder the ANSI
# code page cannot name by its short form; install into a folder of the
# user's choice and uninstall it through Add/Remove Programs' quiet command,
# leaving nothing; install page by page, as a user does, and read what the
# pages say about choosing Verdo again.
#
# Each check is one line of the results file: pass or fail, the step and the
# check. Exit code 0 when every check passed, 1 otherwise, 77 when the
# installer is a 32-bit program and this host does not run those.
set -uo pipefail

root=$1 setup=$2 probe=$3 built_scr=$4 prefix=$5 results=${6:-/dev/null}
# shellcheck source=../../tools/lib/wine-host.sh
source "$root/tools/lib/wine-host.sh"
if [ "$(verdo_pe_bits "$setup")" = 32 ] && ! verdo_host_runs_32bit; then
    echo "skipped: $(basename "$setup") is a 32-bit program and $(verdo_no_32bit_reason)"
    exit "$VERDO_SKIP_CODE"
fi
default_ini=$root/installer/verdo.ini
setup_win="Z:${setup//\//\\}"   # Wine's drive Z: is the host's root

export WINEPREFIX=$prefix
# shellcheck source=suite_lib.sh
source "$root/tests/installer/suite_lib.sh"

# Windows path <-> path in the prefix (the prefix's drive C only).
unix_path() {
    local p=${1//\\//}
    echo "$prefix/drive_c/${p#[Cc]:/}"
}
windows_path() {
    local p=${1#"$prefix/drive_c/"}
    echo "C:\\${p//\//\\}"
}

# Registry snapshot: the keys the installer touches, dumped once per check
# because every Wine start costs time.
snapshot=$(mktemp)
trap 'finish; rm -f "$snapshot"' EXIT
take_snapshot() {
    printf '%s\r\n' '@echo off' \
        'reg query "HKCU\Software\Corvane Labs\Verdo"' \
        'reg query "HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Verdo"' \
        'reg query "HKCU\Control Panel\Desktop"' \
        'reg query "HKCU\Software\Corvane Labs"' >"$prefix/drive_c/snapshot.bat"
    wine_run cmd /c 'C:\snapshot.bat' 2>/dev/null | tr -d '\r' >"$snapshot"
}
# Runs the given lines as one batch file: one Wine start for all of them.
run_batch() {
    printf '%s\r\n' '@echo off' "$@" >"$prefix/drive_c/commands.bat"
    wine_run cmd /c 'C:\commands.bat' >/dev/null 2>&1
}
# Runs verdo-setup.exe through cmd, so that /D=<folder with blanks> reaches it
# unquoted, as typed by a user; returns the installer's exit code.
run_setup_as_typed() {
    printf '%s\r\n' '@echo off' "start \"\" /wait \"$setup_win\" $*" 'exit %errorlevel%' \
        >"$prefix/drive_c/setup.bat"
    wine_run cmd /c 'C:\setup.bat' >/dev/null 2>&1
}
key_present() { grep -qxiF "HKEY_CURRENT_USER\\$1" "$snapshot"; }
# Prints "TYPE<tab>data" of a value, or nothing when it is absent.
value_of() {
    KEY="HKEY_CURRENT_USER\\$1" NAME="$2" awk '
        /^HKEY_/ { inside = (tolower($0) == tolower(ENVIRON["KEY"])); next }
        inside && /^    / {
            n = split(substr($0, 5), f, "    ")
            if (tolower(f[1]) == tolower(ENVIRON["NAME"])) {
                data = f[3]
                for (i = 4; i <= n; i++) data = data "    " f[i]
                print f[2] "\t" data
                exit
            }
        }' "$snapshot"
}
expect_value() {  # key name type data
    local got
    got=$(value_of "$1" "$2")
    if [ "$got" = "$3"$'\t'"$4" ]; then
        record pass "$1 : $2 is $3 $4"
    else
        fail "$1 : $2 is $3 $4 (it is '${got/$'\t'/ }')"
    fi
}
expect_no_value() {
    local got
    got=$(value_of "$1" "$2")
    if [ -z "$got" ]; then record pass "$1 : $2 is gone"; else fail "$1 : $2 is gone (it is '$got')"; fi
}
absent() { [ ! -e "$1" ]; }
key_absent() { ! key_present "$1"; }
writable() { [ "$(stat -c %A "$1" | cut -c3)" = w ]; }

# Waits up to $1 seconds for the command after it to succeed.
wait_until() {
    local limit=$1 waited=0
    shift
    until "$@"; do
        [ "$waited" -ge "$((limit * 10))" ] && return 1
        sleep 0.1
        waited=$((waited + 1))
    done
}

verdo_key='Software\Corvane Labs\Verdo'
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Verdo'
desktop_key='Control Panel\Desktop'
previous_saver='C:\windows\system32\previous.scr'

step "fresh prefix"
rm -rf "$prefix" "$prefix.lock"
check "a fresh Wine prefix starts" wine_run cmd /c exit 0  # a copy of the one wineboot made
run_batch "reg add \"HKCU\\$desktop_key\" /v SCRNSAVE.EXE /t REG_SZ /d $previous_saver /f" \
          "reg add \"HKCU\\$desktop_key\" /v ScreenSaveActive /t REG_SZ /d 0 /f"
users_dir=$prefix/drive_c/users/$(ls "$prefix/drive_c/users" | grep -vx Public | head -n 1)
start_menu="$users_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Verdo"
use_as_saver="Use Verdo as Screen Saver"
links=("Verdo Settings.lnk" "Edit Verdo Phrases.lnk" "Uninstall Verdo.lnk" "$use_as_saver.lnk")

step "silent install as the screen saver"
wine_run "$setup" /S /SETSAVER
status=$?
check "the silent install ends with 0 (it ended with $status)" is "$status" 0
take_snapshot
install_dir=$(value_of "$verdo_key" Install_Dir | cut -f2)
expect_value "$verdo_key" Install_Dir REG_SZ "$install_dir"
local_app_data() { [[ "${install_dir,,}" == c:\\users\\*\\appdata\\local\\verdo ]]; }
check "Install_Dir '$install_dir' is the user's local application data folder" local_app_data
dir=$(unix_path "$install_dir")
check "verdo.scr is the built program" cmp -s "$dir/verdo.scr" "$built_scr"
check "verdo.ini is the default phrases file" cmp -s "$dir/verdo.ini" "$default_ini"
check "uninstall.exe is there" test -f "$dir/uninstall.exe"
check "the installer wrote no verdo.set" absent "$dir/verdo.set"
for link in "${links[@]}"; do
    check "the Start-menu shortcut $link is there" test -f "$start_menu/$link"
done
# What a .scr file's Install verb runs; Wine has no desk.cpl to run it with.
shortcut=$(wine_run "$probe" shortcut "$(windows_path "$start_menu/$use_as_saver.lnk")" | tr -d '\r')
check "\"$use_as_saver\" runs rundll32 desk.cpl,InstallScreenSaver on the installed verdo.scr (it runs '$shortcut')" \
    is "${shortcut,,}" "c:\\windows\\system32\\rundll32.exe"$'\t'"desk.cpl,installscreensaver ${install_dir,,}\\verdo.scr"
expect_value "$uninstall_key" DisplayName REG_SZ Verdo
expect_value "$uninstall_key" Publisher REG_SZ "Corvane Labs"
expect_value "$uninstall_key" UninstallString REG_SZ "\"$install_dir\\uninstall.exe\""
expect_value "$uninstall_key" QuietUninstallString REG_SZ "\"$install_dir\\uninstall.exe\" /S"
expect_value "$uninstall_key" InstallLocation REG_SZ "$install_dir"
expect_value "$uninstall_key" DisplayIcon REG_SZ "$install_dir\\verdo.scr,0"
expect_value "$uninstall_key" NoModify REG_DWORD 0x1
expect_value "$uninstall_key" NoRepair REG_DWORD 0x1
version=$(wine_run "$probe" version "$install_dir\\verdo.scr" | tr -d '\r')
check "the installed verdo.scr has a version resource" test -n "$version"
expect_value "$uninstall_key" DisplayVersion REG_SZ "$version"
size=$(value_of "$uninstall_key" EstimatedSize | cut -f2)
size_given() { [ -n "$size" ] && [ $((size)) -gt 0 ]; }
check "EstimatedSize is above 0 (it is '$size')" size_given
saver=$(value_of "$desktop_key" SCRNSAVE.EXE | cut -f2)
check "the screen saver written ($saver) is the one remembered" \
    is "$(value_of "$verdo_key" ScreenSaverPath | cut -f2)" "$saver"
names_installed_saver() {
    [ "${saver,,}" != "${previous_saver,,}" ] && [ -f "$(unix_path "$saver")" ] &&
        cmp -s "$(unix_path "$saver")" "$built_scr"
}
check "SCRNSAVE.EXE '$saver' names the installed verdo.scr" names_installed_saver
expect_value "$desktop_key" ScreenSaveActive REG_SZ 1
expect_value "$verdo_key" PreviousScreenSaver REG_SZ "$previous_saver"
expect_value "$verdo_key" PreviousScreenSaveActive REG_SZ 0

step "the installed saver runs as the screen-saver host starts it, and ends on a key"
check "the installed saver draws and ends cleanly on a key" wine_run "$probe" saver "$saver"

step "Start-menu settings shortcut opens the dialog; an install meanwhile is refused; OK writes verdo.set"
settings_link=$(windows_path "$start_menu/Verdo Settings.lnk")
check "the dialog opens from the shortcut, a second install is refused with 2, and OK ends the run" \
    wine_run "$probe" settings "$settings_link" while-open 2 "\"$setup_win\" /S"
check "OK wrote an 8-byte verdo.set into $install_dir" is "$(stat -c %s "$dir/verdo.set" 2>/dev/null)" 8

step "upgrade over an edited install"
printf '\r\nA line of my own.' >>"$dir/verdo.ini"
cp "$dir/verdo.ini" "$prefix/edited.ini"
printf '\x0a\x14\x1e\x28\x01\x00\x00\x00' >"$dir/verdo.set"
# Verdo opens its phrases for writing too and would not start on a read-only file.
chmod a-w "$dir/verdo.ini"
wine_run "$setup" /S /SETSAVER
status=$?
check "the upgrade ends with 0 (it ended with $status)" is "$status" 0
check "the upgrade kept the edited verdo.ini" cmp -s "$dir/verdo.ini" "$prefix/edited.ini"
check "the upgrade made verdo.ini writable" writable "$dir/verdo.ini"
check "the upgrade kept verdo.set" is "$(od -An -tx1 "$dir/verdo.set" | tr -d ' \n')" 0a141e2801000000
take_snapshot
expect_value "$verdo_key" PreviousScreenSaver REG_SZ "$previous_saver"
expect_value "$desktop_key" SCRNSAVE.EXE REG_SZ "$saver"

step "silent uninstall keeps the edited files and restores the previous screen saver"
# As the uninstaller does by itself: a copy outside the folder, told where
# the installation is, so that the run can be waited for.
cp "$dir/uninstall.exe" "$prefix/drive_c/uninstall-copy.exe"
wine_run 'C:\uninstall-copy.exe' /S "_?=$install_dir"
status=$?
check "the silent uninstall ends with 0 (it ended with $status)" is "$status" 0
rm -f "$prefix/drive_c/uninstall-copy.exe"
check "the edited verdo.ini was kept" cmp -s "$dir/verdo.ini" "$prefix/edited.ini"
check "verdo.set was kept" test -f "$dir/verdo.set"
for f in verdo.scr uninstall.exe; do check "$f is gone" absent "$dir/$f"; done
check "the Start-menu folder is gone" absent "$start_menu"
take_snapshot
check "the Verdo registry key is gone" key_absent "$verdo_key"
check "the Corvane Labs registry key is gone" key_absent 'Software\Corvane Labs'
check "the Add/Remove Programs entry is gone" key_absent "$uninstall_key"
expect_value "$desktop_key" SCRNSAVE.EXE REG_SZ "$previous_saver"
expect_value "$desktop_key" ScreenSaveActive REG_SZ 0

step "a folder longer than Verdo can read is refused"
rm -rf "$dir"
long_dir='C:\'$(printf 'x%.0s' {1..250})'\Verdo'
wine_run "$setup" /S "/D=$long_dir"
status=$?
check "the install into a 258-character folder ends with 2 (it ended with $status)" is "$status" 2
take_snapshot
check "the refused install wrote no Verdo key" key_absent "$verdo_key"

step "a folder named beyond the ANSI code page is registered in a form Verdo can read"
# Verdo reads Install_Dir through the ANSI registry call; a name it cannot
# hold there would leave it unable to find its files.
wine_run "$setup" /S '/D=C:\VerdoΩmega\Verdo'
status=$?
check "the install into a folder with Ω ends with 0 (it ended with $status)" is "$status" 0
take_snapshot
odd_dir=$(value_of "$verdo_key" Install_Dir | cut -f2)
plain_ascii() { [[ "$odd_dir" =~ ^[\ -~]+$ ]]; }
check "Install_Dir '$odd_dir' is plain ASCII" plain_ascii
expect_value "$desktop_key" SCRNSAVE.EXE REG_SZ "$previous_saver"  # no /SETSAVER: untouched
check "the saver installed under '$odd_dir' draws" wine_run "$probe" saver "$odd_dir\\verdo.scr"
# The user picks Verdo in Windows' own settings; uninstalling must not leave
# the screen saver pointing at a deleted file.
run_batch "reg add \"HKCU\\$desktop_key\" /v SCRNSAVE.EXE /t REG_SZ /d $odd_dir\\verdo.scr /f"
cp "$prefix/drive_c/VerdoΩmega/Verdo/uninstall.exe" "$prefix/drive_c/uninstall-copy.exe"
wine_run 'C:\uninstall-copy.exe' /S "_?=$odd_dir"
rm -f "$prefix/drive_c/uninstall-copy.exe"
check "the uninstaller removed the folder with Ω" absent "$prefix/drive_c/VerdoΩmega/Verdo"
take_snapshot
expect_no_value "$desktop_key" SCRNSAVE.EXE

step "install into a folder of the user's choice, with no screen saver before"
run_batch "reg delete \"HKCU\\$desktop_key\" /v SCRNSAVE.EXE /f" \
          "reg delete \"HKCU\\$desktop_key\" /v ScreenSaveActive /f"
chosen='C:\My Programs\Verdo Saver'
chosen_dir=$(unix_path "$chosen")
# A left-over empty, read-only phrases file would keep Verdo from starting.
mkdir -p "$chosen_dir"
: >"$chosen_dir/verdo.ini"
chmod a-w "$chosen_dir/verdo.ini"
run_setup_as_typed /S /SETSAVER "/D=$chosen"
status=$?
check "the install with /D ends with 0 (it ended with $status)" is "$status" 0
take_snapshot
expect_value "$verdo_key" Install_Dir REG_SZ "$chosen"
check "the empty verdo.ini was replaced by the default" cmp -s "$chosen_dir/verdo.ini" "$default_ini"
check "verdo.ini is writable" writable "$chosen_dir/verdo.ini"
expect_no_value "$verdo_key" PreviousScreenSaver
quiet=$(value_of "$uninstall_key" QuietUninstallString | cut -f2)

step "quiet uninstall from Add/Remove Programs leaves nothing"
uninstaller=${quiet#\"}
uninstaller=${uninstaller%%\"*}
check "QuietUninstallString is the uninstaller with /S (it is '$quiet')" is "$quiet" "\"$uninstaller\" /S"
wine_run "$uninstaller" /S
# The uninstaller hands over to a copy of itself and returns at once.
check "the chosen folder is gone" wait_until 60 absent "$chosen_dir"
uninstalled() { take_snapshot; key_absent "$uninstall_key"; }
check "the Add/Remove Programs entry is gone" wait_until 60 uninstalled
check "the Verdo registry key is gone" key_absent "$verdo_key"
check "the Corvane Labs registry key is gone" key_absent 'Software\Corvane Labs'
expect_no_value "$desktop_key" SCRNSAVE.EXE
expect_no_value "$desktop_key" ScreenSaveActive
check "the Start-menu folder is gone" absent "$start_menu"

step "an interactive install, Next on every page, tells how to choose Verdo again"
pages=$(wine_run "$probe" walk "$setup_win" 'C:\Walked\Verdo' | tr -d '\r')
check "the installer ends with 0 on Finish" is "$?" 0
echo "$pages"
names_way_back() { grep -F "$1" <<<"$pages" | grep -qF "\"$use_as_saver\""; }
check "the options page names \"$use_as_saver\"" names_way_back "Make Verdo my screen saver"
check "the closing page names \"$use_as_saver\"" names_way_back "Completing"
check "\"$use_as_saver\" is in the Start menu" test -f "$start_menu/$use_as_saver.lnk"

end_of_checks
