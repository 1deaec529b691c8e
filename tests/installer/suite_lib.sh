# Sourced by the installer's script suites after they set WINEPREFIX and
# $results: the results file, where each check is one line (pass or fail,
# the step and the check), and one private X screen and one Wine server for
# the whole run, ended with it.

export WINEDEBUG=-all
# No menu entries or file associations for the host's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

mkdir -p "$(dirname "$results")"
: >"$results"
checks=0
failures=0
current_step=
step() { current_step=$*; echo "--- $*"; }
record() {  # pass|fail <check>
    checks=$((checks + 1))
    printf '%s\t%s: %s\t\n' "$1" "$current_step" "$2" >>"$results"
}
fail() { echo "FAIL: $*"; failures=$((failures + 1)); record fail "$*"; }
# check <what must hold> <command> [arguments]: the command decides.
check() {
    local what=$1
    shift
    if "$@"; then record pass "$what"; else fail "$what"; fi
}
is() { [ "$1" = "$2" ]; }
# The closing line; fails when any check failed.
end_of_checks() {
    echo "$((checks - failures)) of $checks checks passed"
    [ "$failures" -eq 0 ]
}

xvfb_pid=
if [ -z "${VERDO_DISPLAY_24:-}" ]; then
    verdo_start_xvfb 24 || { step "start"; fail "a private X screen starts"; exit 1; }
    xvfb_pid=$VERDO_XVFB_PID
    export VERDO_DISPLAY_24=$VERDO_XVFB_DISPLAY
fi
unset VERDO_SCREEN_DEPTH
finish() {
    wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap finish EXIT

wine_run() { "$root/tools/wine-run" "$@"; }
