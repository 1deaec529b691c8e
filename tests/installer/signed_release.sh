#!/usr/bin/env bash
# A signed release, end to end: a throwaway self-signed code-signing
# certificate, one run of tools/package with it, then
#   - osslsigncode accepts both programs and both installers of the release,
#     and the uninstaller and verdo.scr the 64-bit installer puts in place;
#   - SHA256SUMS holds for the signed files;
#   - the signed 64-bit installer installs silently under Wine, and the
#     signed verdo.scr runs full screen.
#
#   signed_release.sh <source root> <installer_probe.exe> <work dir> [<results.tsv>]
#
# The work dir keeps its build between runs, so that packaging compiles only
# what changed. Each check is one line of the results file; exit code 0 when
# every check passed.
set -uo pipefail

root=$1 probe=$2 work=$3 results=${4:-/dev/null}
# shellcheck source=../../tools/lib/wine-host.sh
source "$root/tools/lib/wine-host.sh"
export WINEPREFIX=$work/prefix
# shellcheck source=suite_lib.sh
source "$root/tests/installer/suite_lib.sh"

certificate=$work/certificate
release=$work/build/release
rm -rf "$certificate" "$work/unpacked" "$WINEPREFIX"
# The build signs as it links and packs: without the files it signed, this
# run signs them all anew with its own certificate, reusing the objects.
rm -f "$work"/build/win{32,64}/verdo.scr "$work"/build/installer/*.exe
mkdir -p "$certificate" "$work/unpacked"
signed() { osslsigncode verify -CAfile "$certificate/cert.pem" -in "$1" >/dev/null 2>&1; }

step "tools/package with a throwaway certificate"
make_certificate() {
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Verdo test signing" \
        -addext extendedKeyUsage=codeSigning -keyout "$certificate/key.pem" -out "$certificate/cert.pem" &&
        openssl pkcs12 -export -inkey "$certificate/key.pem" -in "$certificate/cert.pem" \
            -passout pass:throwaway -out "$certificate/cert.p12"
} >/dev/null 2>&1
check "openssl makes a self-signed code-signing certificate" make_certificate
VERDO_SIGN_PKCS12=$certificate/cert.p12 VERDO_SIGN_PASSWORD=throwaway \
    "$root/tools/package" --build-root "$work/build" >"$work/package.log" 2>&1
check "tools/package ends with 0 (see $work/package.log)" is "$?" 0
check "tools/package says in one line that it signs" \
    is "$(grep -c '^tools/package: signing with' "$work/package.log")" 1
unzip -q -o "$release"/verdo-*.zip -d "$work/unpacked"
for file in "$release"/verdo-setup-x64.exe "$release"/verdo-setup-x86.exe \
            "$work/unpacked/verdo.scr" "$work/unpacked/verdo64.scr"; do
    check "osslsigncode verify accepts $(basename "$file")" signed "$file"
done
check "sha256sum -c passes on the release" bash -c "cd '$release' && sha256sum --quiet -c SHA256SUMS"

step "the signed 64-bit installer installs silently; what it installs is signed and runs"
wine_run "$release/verdo-setup-x64.exe" /S
check "the silent install ends with 0" is "$?" 0
user=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -n 1)
dir=$WINEPREFIX/drive_c/users/$user/AppData/Local/Verdo
for file in uninstall.exe verdo.scr; do
    check "osslsigncode verify accepts the installed $file" signed "$dir/$file"
done
check "the signed verdo.scr draws full screen and ends on a key" \
    wine_run "$probe" saver "C:\\users\\$user\\AppData\\Local\\Verdo\\verdo.scr"

end_of_checks
