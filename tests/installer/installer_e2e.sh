#!/usr/bin/env bash
# End to end under Wine: verdo-setup.exe and uninstall.exe in a fresh prefix.
#
#   installer_e2e.sh <source root> <verdo-setup.exe> <installer_probe.exe>
#                    <built verdo.scr> <prefix dir>
#
# Install silently as the screen saver; run the installed saver as the
# screen-saver host would; open the settings through the Start-menu shortcut,
# see an install refused while Verdo runs, press OK; upgrade over an edited
# install; uninstall silently (edited files stay, the previous screen saver
# comes back); refuse a folder too long for Verdo; register a folder the ANSI
# code page cannot name by its short form; install into a folder of the
# user's choice and uninstall it through Add/Remove Programs' quiet command,
# leaving nothing.
set -uo pipefail

root=$1 setup=$2 probe=$3 built_scr=$4 prefix=$5
default_ini=$root/installer/verdo.ini
setup_win="Z:${setup//\//\\}"   # Wine's drive Z: is the host's root

export WINEPREFIX=$prefix
export WINEDEBUG=-all
# No menu entries or file associations for the host's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
step() { echo "--- $*"; }

# One display and one wineserver for the whole run.
xvfb_pid=
if [ -z "${VERDO_DISPLAY_24:-}" ]; then
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    export VERDO_DISPLAY_24=":$display"
fi
unset VERDO_SCREEN_DEPTH
finish() {
    wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap finish EXIT

wine_run() { "$root/tools/wine-run" "$@"; }

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
    [ "$got" = "$3"$'\t'"$4" ] || fail "$1 : $2 is '${got/$'\t'/ }', expected '$3 $4'"
}
expect_no_value() {
    [ -z "$(value_of "$1" "$2")" ] || fail "$1 : $2 is still there: $(value_of "$1" "$2")"
}

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
wine_run cmd /c exit 0 >/dev/null 2>&1  # boots the prefix: about 20 s
run_batch "reg add \"HKCU\\$desktop_key\" /v SCRNSAVE.EXE /t REG_SZ /d $previous_saver /f" \
          "reg add \"HKCU\\$desktop_key\" /v ScreenSaveActive /t REG_SZ /d 0 /f"
users_dir=$prefix/drive_c/users/$(ls "$prefix/drive_c/users" | grep -vx Public | head -n 1)
start_menu="$users_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Verdo"
links=("Verdo Settings.lnk" "Edit Verdo Phrases.lnk" "Uninstall Verdo.lnk")

step "silent install as the screen saver"
wine_run "$setup" /S /SETSAVER
status=$?
[ "$status" = 0 ] || fail "silent install ended with $status"
take_snapshot
install_dir=$(value_of "$verdo_key" Install_Dir | cut -f2)
[ -n "$install_dir" ] || fail "Install_Dir is missing"
expect_value "$verdo_key" Install_Dir REG_SZ "$install_dir"
case "${install_dir,,}" in
    c:\\users\\*\\appdata\\local\\verdo) ;;
    *) fail "Install_Dir '$install_dir' is not the user's local application data folder" ;;
esac
dir=$(unix_path "$install_dir")
cmp -s "$dir/verdo.scr" "$built_scr" || fail "verdo.scr is not the built program"
cmp -s "$dir/verdo.ini" "$default_ini" || fail "verdo.ini is not the default phrases file"
[ -f "$dir/uninstall.exe" ] || fail "uninstall.exe is missing"
[ -e "$dir/verdo.set" ] && fail "the installer wrote verdo.set"
for link in "${links[@]}"; do
    [ -f "$start_menu/$link" ] || fail "Start-menu shortcut $link is missing"
done
expect_value "$uninstall_key" DisplayName REG_SZ Verdo
expect_value "$uninstall_key" Publisher REG_SZ "Corvane Labs"
expect_value "$uninstall_key" UninstallString REG_SZ "\"$install_dir\\uninstall.exe\""
expect_value "$uninstall_key" QuietUninstallString REG_SZ "\"$install_dir\\uninstall.exe\" /S"
expect_value "$uninstall_key" InstallLocation REG_SZ "$install_dir"
expect_value "$uninstall_key" DisplayIcon REG_SZ "$install_dir\\verdo.scr,0"
expect_value "$uninstall_key" NoModify REG_DWORD 0x1
expect_value "$uninstall_key" NoRepair REG_DWORD 0x1
[[ "$(value_of "$uninstall_key" DisplayVersion)" =~ ^REG_SZ$'\t'[0-9]+\.[0-9]+\.[0-9]+$ ]] ||
    fail "DisplayVersion is '$(value_of "$uninstall_key" DisplayVersion)'"
size=$(value_of "$uninstall_key" EstimatedSize | cut -f2)
[ -n "$size" ] && [ $((size)) -gt 0 ] || fail "EstimatedSize is '$size'"
saver=$(value_of "$desktop_key" SCRNSAVE.EXE | cut -f2)
[ "$(value_of "$verdo_key" ScreenSaverPath | cut -f2)" = "$saver" ] ||
    fail "the screen saver written ($saver) is not the one remembered"
[ "${saver,,}" != "${previous_saver,,}" ] && [ -f "$(unix_path "$saver")" ] &&
    cmp -s "$(unix_path "$saver")" "$built_scr" || fail "SCRNSAVE.EXE '$saver' does not name the installed verdo.scr"
expect_value "$desktop_key" ScreenSaveActive REG_SZ 1
expect_value "$verdo_key" PreviousScreenSaver REG_SZ "$previous_saver"
expect_value "$verdo_key" PreviousScreenSaveActive REG_SZ 0

step "the installed saver runs as the screen-saver host starts it, and ends on a key"
wine_run "$probe" saver "$saver" || fail "the installed saver did not run and end cleanly"

step "Start-menu settings shortcut opens the dialog; an install meanwhile is refused; OK writes verdo.set"
settings_link=$(windows_path "$start_menu/Verdo Settings.lnk")
wine_run "$probe" settings "$settings_link" while-open 2 "\"$setup_win\" /S" ||
    fail "the settings dialog did not open and close on OK, or the installer replaced a running Verdo"
[ "$(stat -c %s "$dir/verdo.set" 2>/dev/null)" = 8 ] || fail "OK did not write an 8-byte verdo.set into $install_dir"

step "upgrade over an edited install"
printf '\r\nA line of my own.' >>"$dir/verdo.ini"
cp "$dir/verdo.ini" "$prefix/edited.ini"
printf '\x0a\x14\x1e\x28\x01\x00\x00\x00' >"$dir/verdo.set"
# Verdo opens its phrases for writing too and would not start on a read-only file.
chmod a-w "$dir/verdo.ini"
wine_run "$setup" /S /SETSAVER
status=$?
[ "$status" = 0 ] || fail "upgrade install ended with $status"
cmp -s "$dir/verdo.ini" "$prefix/edited.ini" || fail "the upgrade replaced the edited verdo.ini"
[ "$(stat -c %A "$dir/verdo.ini" | cut -c3)" = w ] || fail "the upgrade left verdo.ini read-only"
[ "$(od -An -tx1 "$dir/verdo.set" | tr -d ' \n')" = 0a141e2801000000 ] || fail "the upgrade changed verdo.set"
take_snapshot
expect_value "$verdo_key" PreviousScreenSaver REG_SZ "$previous_saver"
expect_value "$desktop_key" SCRNSAVE.EXE REG_SZ "$saver"

step "silent uninstall keeps the edited files and restores the previous screen saver"
# As the uninstaller does by itself: a copy outside the folder, told where
# the installation is, so that the run can be waited for.
cp "$dir/uninstall.exe" "$prefix/drive_c/uninstall-copy.exe"
wine_run 'C:\uninstall-copy.exe' /S "_?=$install_dir"
status=$?
[ "$status" = 0 ] || fail "silent uninstall ended with $status"
rm -f "$prefix/drive_c/uninstall-copy.exe"
cmp -s "$dir/verdo.ini" "$prefix/edited.ini" || fail "the edited verdo.ini was not kept"
[ -f "$dir/verdo.set" ] || fail "verdo.set was not kept"
for f in verdo.scr uninstall.exe; do [ -e "$dir/$f" ] && fail "$f was left behind"; done
[ -e "$start_menu" ] && fail "the Start-menu folder was left behind"
take_snapshot
key_present "$verdo_key" && fail "the Verdo registry key was left behind"
key_present 'Software\Corvane Labs' && fail "the Corvane Labs registry key was left behind"
key_present "$uninstall_key" && fail "the Add/Remove Programs entry was left behind"
expect_value "$desktop_key" SCRNSAVE.EXE REG_SZ "$previous_saver"
expect_value "$desktop_key" ScreenSaveActive REG_SZ 0

step "a folder longer than Verdo can read is refused"
rm -rf "$dir"
long_dir='C:\'$(printf 'x%.0s' {1..250})'\Verdo'
wine_run "$setup" /S "/D=$long_dir"
status=$?
[ "$status" = 2 ] || fail "install into a 258-character folder ended with $status, expected 2"
take_snapshot
key_present "$verdo_key" && fail "the refused install wrote the Verdo key"

step "a folder named beyond the ANSI code page is registered in a form Verdo can read"
# Verdo reads Install_Dir through the ANSI registry call; a name it cannot
# hold there would leave it unable to find its files.
wine_run "$setup" /S '/D=C:\VerdoΩmega\Verdo'
status=$?
[ "$status" = 0 ] || fail "install into a folder with Ω ended with $status"
take_snapshot
odd_dir=$(value_of "$verdo_key" Install_Dir | cut -f2)
[[ "$odd_dir" =~ ^[\ -~]+$ ]] || fail "Install_Dir '$odd_dir' is not plain ASCII"
expect_value "$desktop_key" SCRNSAVE.EXE REG_SZ "$previous_saver"  # no /SETSAVER: untouched
wine_run "$probe" saver "$odd_dir\\verdo.scr" || fail "the saver installed under '$odd_dir' did not run"
# The user picks Verdo in Windows' own settings; uninstalling must not leave
# the screen saver pointing at a deleted file.
run_batch "reg add \"HKCU\\$desktop_key\" /v SCRNSAVE.EXE /t REG_SZ /d $odd_dir\\verdo.scr /f"
cp "$prefix/drive_c/VerdoΩmega/Verdo/uninstall.exe" "$prefix/drive_c/uninstall-copy.exe"
wine_run 'C:\uninstall-copy.exe' /S "_?=$odd_dir"
rm -f "$prefix/drive_c/uninstall-copy.exe"
[ -e "$prefix/drive_c/VerdoΩmega/Verdo" ] && fail "the uninstaller left the folder with Ω behind"
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
[ "$status" = 0 ] || fail "install with /D ended with $status"
take_snapshot
expect_value "$verdo_key" Install_Dir REG_SZ "$chosen"
cmp -s "$chosen_dir/verdo.ini" "$default_ini" || fail "the empty verdo.ini was not replaced by the default"
[ "$(stat -c %A "$chosen_dir/verdo.ini" | cut -c3)" = w ] || fail "verdo.ini was left read-only"
expect_no_value "$verdo_key" PreviousScreenSaver
quiet=$(value_of "$uninstall_key" QuietUninstallString | cut -f2)

step "quiet uninstall from Add/Remove Programs leaves nothing"
uninstaller=${quiet#\"}
uninstaller=${uninstaller%%\"*}
[ "$quiet" = "\"$uninstaller\" /S" ] || fail "QuietUninstallString is '$quiet'"
wine_run "$uninstaller" /S
# The uninstaller hands over to a copy of itself and returns at once.
wait_until 60 test ! -e "$chosen_dir" || fail "the chosen folder is still there: $(ls "$chosen_dir" 2>&1)"
uninstalled() { take_snapshot; ! key_present "$uninstall_key"; }
wait_until 60 uninstalled || fail "the Add/Remove Programs entry was left behind"
key_present "$verdo_key" && fail "the Verdo registry key was left behind"
key_present 'Software\Corvane Labs' && fail "the Corvane Labs registry key was left behind"
expect_no_value "$desktop_key" SCRNSAVE.EXE
expect_no_value "$desktop_key" ScreenSaveActive
[ -e "$start_menu" ] && fail "the Start-menu folder was left behind"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all installer checks passed"
