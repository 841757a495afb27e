#!/usr/bin/env bash
# Checks scripts/lint and scripts/package in a clone that another user owns, which is how the
# hosted workflow's container sees its workspace until the workflow marks it safe: git refuses
# such a repository, and each script must stop with its message rather than pass on no files
# or end in silence. Only root can give the clone away; other users get SKIPPED.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
    echo "foreign clone: SKIPPED, since only root can give a clone to another user"
    exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

clone=$work/clone
git clone -q "$root" "$clone"
cp -r "$root/scripts" "$clone/" # the scripts as they are now, committed or not
chown -R 65534:65534 "$clone"   # nobody
# An empty global configuration and no system one: no safe.directory of this machine lets git in.
export GIT_CONFIG_GLOBAL=$work/gitconfig GIT_CONFIG_NOSYSTEM=1
: >"$GIT_CONFIG_GLOBAL"

failed=0
# Each script, and what its message says.
declare -A messages=([lint]="nothing to check" [package]="cannot read the last commit")
for script in lint package; do
    status=0
    output=$("$clone/scripts/$script" 2>&1) || status=$?
    if [ "$status" -eq 0 ] || [[ $output != *"${messages[$script]}"* ]]; then
        echo "foreign clone: scripts/$script ended with status $status and said:"
        echo "$output"
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "foreign clone: scripts/lint and scripts/package stop with a message"
exit "$failed"
