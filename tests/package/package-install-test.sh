#!/usr/bin/env bash
# Packs the build tree into the Debian package (cpack reuses what is built; nothing is compiled),
# installs it into a throwaway root with dpkg, checks that every file a desktop looks for is in
# its place and that the programs run from there, then purges it and checks the root holds
# nothing of it. Works as root and unprivileged (--force-not-root).
#   package-install-test.sh BUILD-FOLDER VERSION
set -uo pipefail
build=$1 version=$2
tmp=$(mktemp -d /tmp/corvella-package-test.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; "$@" >"$tmp/check.log" 2>&1 || { fail "$what"; cat "$tmp/check.log"; }; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(echo "$tmp"/out/corvella_"$version"_*.deb)
[ -f "$deb" ] || { ls "$tmp/out"; echo "FAIL: no corvella_${version}_*.deb"; exit 1; }

root=$tmp/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
: >"$root/var/lib/dpkg/status"
# The log goes to the throwaway root too, never to the machine's /var/log/dpkg.log.
dpkg_in_root() { PATH=/usr/sbin:/usr/bin:/sbin:/bin dpkg --root="$root" --log="$tmp/dpkg.log" \
                   --force-not-root --force-depends "$@"; }
dpkg_in_root -i "$deb" >"$tmp/install.log" 2>&1 || { cat "$tmp/install.log"; echo "FAIL: dpkg -i"; exit 1; }

id=com.brimwick.corvella
files=(usr/bin/corvella usr/bin/corvella-cli
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
  usr/share/dbus-1/services/$id.service
  usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/symbolic/apps/$id-symbolic.svg
  usr/share/man/man1/corvella.1.gz usr/share/man/man1/corvella-cli.1.gz
  usr/share/bash-completion/completions/corvella-cli usr/share/zsh/vendor-completions/_corvella-cli
  usr/share/fish/vendor_completions.d/corvella-cli.fish
  usr/share/doc/corvella/copyright usr/share/doc/corvella/changelog.gz
  usr/share/corvella/StringMessage.plist
  usr/share/corvella/translations/corvella_de.qm usr/share/corvella/translations/corvella_en.qm)
for size in 16 22 24 32 48 64 128 256 512; do
  files+=(usr/share/icons/hicolor/${size}x${size}/apps/$id.png)
done
for file in "${files[@]}"; do
  [ -f "$root/$file" ] || fail "$file is not installed"
done
for file in usr/share/man/man1/corvella.1.gz usr/share/man/man1/corvella-cli.1.gz \
            usr/share/doc/corvella/changelog.gz; do
  [ -f "$root/$file" ] && check "$file is not gzip" gzip -t "$root/$file"
done
check "the D-Bus service does not start /usr/bin/corvella --background" \
  grep -qx "Exec=/usr/bin/corvella --background" "$root/usr/share/dbus-1/services/$id.service"
check "the D-Bus service's name is not the application ID" \
  grep -qx "Name=$id" "$root/usr/share/dbus-1/services/$id.service"
check "the package does not name the licence" grep -q "GPL-3" "$root/usr/share/doc/corvella/copyright"
check "the metainfo's release is not $version" \
  grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml"
if command -v desktop-file-validate >/dev/null; then
  check "desktop-file-validate" bash -c "out=\$(desktop-file-validate '$root/usr/share/applications/$id.desktop' 2>&1);
                                         echo \"\$out\"; [ -z \"\$out\" ]"
fi
if command -v appstreamcli >/dev/null; then
  check "appstreamcli validate" appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
fi

# The programs run from the root, apart from the test's desktop: their own home, no session bus.
run_installed() { # SECONDS PROGRAM ARGUMENT...
  local seconds=$1; shift
  env -i PATH=/usr/bin:/bin HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=offscreen \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/no-bus" timeout -k 2 "$seconds" "$@"
}
mkdir -p "$tmp/home" "$tmp/runtime" && chmod 700 "$tmp/runtime"
out=$(run_installed 10 "$root/usr/bin/corvella-cli" --version 2>&1)
[ "$out" = "corvella-cli $version" ] || fail "corvella-cli --version printed '$out'"
# Answered before any display is opened (none is set here).
out=$(run_installed 10 "$root/usr/bin/corvella" --version 2>&1)
[[ "$out" == *"$version"* ]] || fail "corvella --version printed '$out'"
# The installed translations are found (share/corvella/translations beside bin/).
out=$(run_installed 10 env LANGUAGE=de "$root/usr/bin/corvella-cli" --help 2>&1)
[[ "$out" == *"Befehle:"* ]] || fail "corvella-cli --help under LANGUAGE=de is not German: $out"

dpkg_in_root --purge corvella >"$tmp/purge.log" 2>&1 || { cat "$tmp/purge.log"; fail "dpkg --purge"; }
left=$(cd "$root" && find . -mindepth 1 -not -path ./var -not -path ./var/lib -not -path ./var/lib/dpkg \
         -not -path './var/lib/dpkg/*'; find ./var/lib/dpkg/info -name 'corvella*')
[ -z "$left" ] || fail "left behind after the purge: $left"
grep -q '^Package: corvella$' "$root/var/lib/dpkg/status" && fail "dpkg still knows the package"

echo "package test: ${#files[@]} files checked, $failures failures"
[ "$failures" -eq 0 ]
