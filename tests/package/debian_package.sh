#!/usr/bin/env bash
# The Debian package: built by CPack, passed by lintian without errors,
# installed with dpkg into a throwaway root (its maintainer scripts run with
# DPKG_ROOT instead of chroot, so no container is needed), its service unit
# verified, its server and game started from there, and purged: the root then
# holds exactly what it held before. Steps that cannot run here say so.
# Usage: debian_package.sh <source dir> <build dir> <cpack>
set -u
SRC=$1 BUILD=$2 CPACK=$3
fail() { echo "FAILED: $*"; exit 1; }
skipped() { echo "SKIPPED STEP: $*"; }
for tool in dpkg dpkg-deb dpkg-shlibdeps; do
  command -v $tool >/dev/null || { echo "SKIPPED: $tool is missing (scripts/setup.sh installs dpkg-dev)"; exit 77; }
done
WORK=$(mktemp -d /tmp/vantorel-deb-XXXXXX)
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v fakeroot >/dev/null || { echo "SKIPPED: not root and no fakeroot for dpkg"; exit 77; }
  # One saved state, so that the owners dpkg gives stay for the checks.
  : >"$WORK/fakeroot"
  as_root=(fakeroot -i "$WORK/fakeroot" -s "$WORK/fakeroot")
fi
. "$SRC/tests/support/game_server.sh"
trap 'stop_game_server; chmod -R u+w "$WORK"; rm -rf "$WORK"' EXIT

version=$(sed -n 's/^project(Vantorel VERSION \([0-9.]*\).*/\1/p' "$SRC/CMakeLists.txt")
"$CPACK" --config "$BUILD/CPackConfig.cmake" -B "$WORK/out" >"$WORK/cpack.txt" 2>&1 || { cat "$WORK/cpack.txt"; fail "cpack"; }
deb=$WORK/out/vantorel_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6.*libsdl2" || fail "dependencies: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/vantorel/changelog.gz | gzip -d | head -n 1 |
  grep -q "^vantorel ($version) " || fail "the changelog's newest entry is not $version"
grep -q "<release version=\"$version\"" "$SRC"/packaging/*.metainfo.xml || fail "the metainfo has no release $version"
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$WORK/lintian.txt" 2>&1
  rc=$?
  grep -v "root privileges" "$WORK/lintian.txt"
  [ $rc -eq 0 ] || fail "lintian reports errors"
else
  skipped "lintian is not installed"
fi

# The root: dpkg's database and what every Debian system has that the scripts
# and checks use (the account files and their backups, the base targets).
R=$WORK/root
mkdir -p "$R"/var/lib/dpkg/{info,updates} "$R"/var/lib/systemd "$R"/etc/systemd/system "$R"/usr/lib/systemd/system
: >"$R/var/lib/dpkg/status"
printf 'root:x:0:0:root:/root:/bin/sh\n' >"$R/etc/passwd"
printf 'root:x:0:\n' >"$R/etc/group"
printf 'root:*:19000:0:99999:7:::\n' >"$R/etc/shadow"
printf 'root:*::\n' >"$R/etc/gshadow"
for f in passwd group shadow gshadow; do cp "$R/etc/$f" "$R/etc/$f-"; done
: >"$R/etc/.pwd.lock"
for unit in sysinit.target basic.target shutdown.target; do
  cp "$(ls /usr/lib/systemd/system/$unit /lib/systemd/system/$unit 2>/dev/null | head -n 1)" "$R/usr/lib/systemd/system/" 2>/dev/null
done
listing() { find "$R" -path "$R/var/lib/dpkg" -prune -o -printf '%P %y\n' | sort; }
listing >"$WORK/before.txt"
dpkg=("${as_root[@]}" dpkg --root="$R" --force-script-chrootless --log="$WORK/dpkg.log")
"${dpkg[@]}" --force-depends -i "$deb" >"$WORK/install.txt" 2>&1 || { cat "$WORK/install.txt"; fail "dpkg -i"; }

if command -v systemd-sysusers >/dev/null; then
  uid=$(awk -F: '$1 == "vantorel-server" && $6 == "/var/lib/vantorel-server" { print $3 }' "$R/etc/passwd")
  [ -n "$uid" ] || fail "no account vantorel-server"
  owner=$("${as_root[@]}" stat -c %u:%a "$R/var/lib/vantorel-server")
  [ "$owner" = "$uid:750" ] || fail "the server's folder is $owner, not $uid:750"
else
  skipped "no systemd-sysusers: the package's account is not made here"
fi
if command -v systemd-analyze >/dev/null && [ -f "$R/usr/lib/systemd/system/sysinit.target" ]; then
  MANPATH=$R/usr/share/man systemd-analyze verify --root="$R" vantorel-server.service >"$WORK/verify.txt" 2>&1
  [ $? -eq 0 ] && [ ! -s "$WORK/verify.txt" ] || { cat "$WORK/verify.txt"; fail "systemd-analyze verify"; }
  systemd-analyze security --offline=true --root="$R" --threshold=11 vantorel-server.service >"$WORK/security.txt" 2>&1 ||
    { cat "$WORK/security.txt"; fail "the service's exposure rose above 1.1"; }
  systemctl --root="$R" enable vantorel-server.service 2>/dev/null || fail "systemctl enable"
else
  skipped "no systemd-analyze or base targets: the unit is not verified"
fi

# The installed server: every option it knows is in its manual page, and it serves.
for option in $("$R/usr/bin/vantorel-server" --help | grep -o -- '--[a-z-]*' | sort -u); do
  man -l "$R/usr/share/man/man1/vantorel-server.1.gz" 2>/dev/null | grep -q -- "$option" || fail "the manual page lacks $option"
done
start_game_server "$R/usr/bin" "$WORK/server" || fail "the installed server did not start"
curl -sf "$GAME_SERVER_URL/vtrinternal/version.txt" | head -n 1 | grep -qx "$version"$'\r' || fail "no version.txt announcing $version"
stop_game_server

# The installed game, as x11.installed plays a prefix installation.
bash "$SRC/tests/x11/installed.sh" "$BUILD" "$R/usr" games
case $? in
  0) ;;
  77) skipped "no Xvfb, xdotool or ImageMagick: the installed game is not started" ;;
  *) fail "the installed game" ;;
esac

"${dpkg[@]}" --purge vantorel >"$WORK/purge.txt" 2>&1 || { cat "$WORK/purge.txt"; fail "dpkg --purge"; }
listing >"$WORK/after.txt"
diff "$WORK/before.txt" "$WORK/after.txt" || fail "the purge left files behind (or took some)"
ls "$R"/var/lib/dpkg/info/vantorel.* >/dev/null 2>&1 && fail "dpkg still knows the package"
echo "PASSED"
