#!/usr/bin/env bash
# Checks the set-up's retries with stand-ins first on the PATH. ensure_packages
# (scripts/lib/setup.sh) against a mirror in the middle of a sync: a stand-in apt-get fails
# every update on one index and refuses an install unless it is given the release's own suite
# (-t), or refuses every install. wine_prefix_ready (scripts/lib/wine-env.sh) when wineboot
# fails: a stand-in wine, given as $wine, fails its first WINEBOOT_FAILS wineboots with a page
# of output, and a stand-in wineserver records what it is asked.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

index=http://deb.example/debian/dists/bookworm-updates/main/binary-i386/Packages.xz
mkdir "$work/bin"
# Writes one line per call to $CALLS: "update", or "install" with the suite asked for and the
# packages.
cat >"$work/bin/apt-get" <<STANDIN
#!/usr/bin/env bash
command=\$1
shift
if [ "\$command" = update ]; then
    echo update >>"\$CALLS"
    echo "E: Failed to fetch $index  File has unexpected size (4170 != 4186)." >&2
    exit 100
fi
line=install suite=
while [ \$# -gt 0 ]; do
    case \$1 in
    -t) suite=\$2 line+=" -t \$2" && shift ;;
    -*) ;;
    *) line+=" \$1" ;;
    esac
    shift
done
echo "\$line" >>"\$CALLS"
[ -n "\$suite" ] && [ "\$INSTALL_FAILS" = unless-suite ] && exit 0
echo "E: Unable to correct problems, you have held broken packages." >&2
exit 100
STANDIN
# Only present-package is installed.
cat >"$work/bin/dpkg-query" <<'STANDIN'
#!/usr/bin/env bash
[ "${!#}" = present-package ] && printf 'install ok installed' && exit 0
exit 1
STANDIN
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo" # as_root's, when not run as root
# A wineboot says whether it found the prefix empty, and a failing one leaves a file behind as
# a half-made prefix would.
cat >"$work/bin/wine" <<'STANDIN'
#!/usr/bin/env bash
if [ "$1" != wineboot ]; then
    echo "$1 $2" >>"$CALLS"
    exit 0
fi
contents=used
[ -z "$(ls -A "$WINEPREFIX")" ] && contents=empty
echo "wineboot in an $contents prefix" >>"$CALLS"
boots=$(grep -c wineboot "$CALLS")
if ((boots <= WINEBOOT_FAILS)); then
    echo "wineboot: first of many lines"
    seq 30
    echo "wineboot: could not create the prefix" >&2
    touch "$WINEPREFIX/system.reg"
    exit 3
fi
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
STANDIN
# wineserver -k finds no server to end, as the real one does after a wineboot that failed early.
printf '#!/bin/sh\necho "wineserver $*" >>"$CALLS"\n[ "$1" != -k ]\n' >"$work/bin/wineserver"
chmod +x "$work/bin"/*
: >"$work/marlett.ttf"
prefix=$work/prefix

own_suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
expected_calls="update
update
update
install missing-a missing-b
install -t $own_suite missing-a missing-b"

# Runs the code $1 with the stand-ins, in a bash of its own under errexit as the scripts run,
# with the variables that follow in its environment. Leaves the stand-ins' calls (one line
# each) in $calls, stderr in $errors, and returns its status.
run_with_standins() {
    local code=$1 status=0
    shift
    : >"$work/calls"
    env PATH="$work/bin:$PATH" CALLS="$work/calls" root="$root" work="$work" "$@" \
        bash -euo pipefail -c "$code" >/dev/null 2>"$work/errors" || status=$?
    calls=$(cat "$work/calls")
    errors=$(cat "$work/errors")
    return "$status"
}

# $1 is the stand-in apt-get's INSTALL_FAILS.
run_ensure_packages() {
    run_with_standins '. "$root/scripts/lib/setup.sh"
        ensure_packages present-package missing-a missing-b' \
        INSTALL_FAILS="$1" APT_UPDATE_TRIES=3 APT_RETRY_PAUSE=0
}

# Wineboot fails $1 times.
run_wine_prefix_ready() {
    rm -rf "$prefix"
    run_with_standins '. "$root/scripts/lib/wine-env.sh"
        wine=$work/bin/wine wine_marlett=$work/marlett.ttf
        wine_prefix_ready "$work/prefix"' WINEBOOT_FAILS="$1"
}

failed=0
fail() {
    echo "setup retry: $*"
    failed=1
}

if ! run_ensure_packages unless-suite; then
    fail "ensure_packages failed though the install from $own_suite's suite worked: $errors"
fi
[ "$calls" = "$expected_calls" ] ||
    fail "expected the calls"$'\n'"$expected_calls"$'\n'"but saw"$'\n'"$calls"

if run_ensure_packages always; then
    fail "ensure_packages succeeded though every install failed"
fi
[ "$calls" = "$expected_calls" ] ||
    fail "when every install fails, expected"$'\n'"$expected_calls"$'\n'"but saw"$'\n'"$calls"
[[ $errors == *"incomplete: $index."* ]] ||
    fail "the message does not name the failed index: $errors"

if ! run_wine_prefix_ready 1; then
    fail "the prefix set-up failed though the second wineboot worked: $errors"
fi
expected_calls="wineboot in an empty prefix
wineserver -k
wineboot in an empty prefix
reg add
reg add
reg add
reg add
reg add
wineserver -w"
[ "$calls" = "$expected_calls" ] ||
    fail "for the prefix, expected the calls"$'\n'"$expected_calls"$'\n'"but saw"$'\n'"$calls"
[[ -f $prefix/.ready && -f $prefix/drive_c/windows/Fonts/marlett.ttf ]] ||
    fail "the prefix set up the second time is not ready"

if run_wine_prefix_ready 2; then
    fail "the prefix set-up succeeded though both wineboots failed"
fi
expected_calls="wineboot in an empty prefix
wineserver -k
wineboot in an empty prefix"
[ "$calls" = "$expected_calls" ] ||
    fail "when both wineboots fail, expected"$'\n'"$expected_calls"$'\n'"but saw"$'\n'"$calls"
[ ! -e "$prefix/.ready" ] || fail "the prefix is marked ready though both wineboots failed"
# The message names the command, its status and its last lines, and leaves the rest to the log.
[[ $errors == *"'$work/bin/wine wineboot --init' failed with status 3"* ]] ||
    fail "the message does not name the failed wineboot and its status: $errors"
[[ $errors == *"could not create the prefix"* && $errors != *"first of many"* ]] ||
    fail "the message does not hold just the last lines of wineboot's output: $errors"
grep -q "first of many" "$prefix.log" || fail "wineboot's output is not in $prefix.log"

[ "$failed" -eq 0 ] &&
    echo "setup retry: the update is retried, then $own_suite's suite is preferred; a failed" \
        "Wine prefix set-up is named and tried once more from an empty prefix"
exit "$failed"
