#!/usr/bin/env bash
# Checks ensure_packages (scripts/lib/setup.sh) against a mirror in the middle of a sync: a
# stand-in apt-get, first on the PATH, fails every update on one index and refuses an install
# unless it is given the release's own suite (-t), or refuses every install.
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
chmod +x "$work/bin"/*

own_suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
expected_calls="update
update
update
install missing-a missing-b
install -t $own_suite missing-a missing-b"

# Runs ensure_packages in a shell of its own with the stand-ins; $1 is the stand-in's
# INSTALL_FAILS. Leaves the calls in $calls, stderr in $errors, and returns its status.
run_ensure_packages() {
    : >"$work/calls"
    local status=0
    (
        export PATH=$work/bin:$PATH CALLS=$work/calls INSTALL_FAILS=$1
        export APT_UPDATE_TRIES=3 APT_RETRY_PAUSE=0
        . "$root/scripts/lib/setup.sh"
        ensure_packages present-package missing-a missing-b
    ) >/dev/null 2>"$work/errors" || status=$?
    calls=$(cat "$work/calls")
    errors=$(cat "$work/errors")
    return "$status"
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

[ "$failed" -eq 0 ] && echo "setup retry: the update is retried, then $own_suite's suite is preferred"
exit "$failed"
