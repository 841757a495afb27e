# Sourced by scripts/test: the checks of what a release ships. Each returns non-zero on a
# finding and says what it found. They run after the presets were built; $root is the checkout.

# Builds DriverSetup.exe of preset $1 a second time, from a copy of the sources in another
# folder, and compares the two files byte for byte: a timestamp, or a source or build path
# embedded in the program, shows as a difference.
check_reproducible() {
    local preset=$1
    local copy=$root/build/reproducible/$preset
    rm -rf "$copy"
    mkdir -p "$copy"
    # The files git would commit, as they are now (lint reads the same set).
    git -C "$root" ls-files -z --cached --others --exclude-standard |
        tar -C "$root" --null --files-from=- --ignore-failed-read -cf - 2>/dev/null |
        tar -C "$copy" -xf - || return 1
    (cd "$copy" && cmake --preset "$preset" -DBUILD_TESTING=OFF >/dev/null &&
        cmake --build --preset "$preset" -j "$(nproc)" --target DriverSetup >/dev/null) || return 1
    if ! cmp "$root/build/$preset/bin/DriverSetup.exe" "$copy/build/$preset/bin/DriverSetup.exe"; then
        echo "$preset: DriverSetup.exe differs when built from $copy"
        return 1
    fi
    echo "$preset: DriverSetup.exe is the same byte for byte when built from $copy"
    rm -rf "$copy"
}

# Checks the release that scripts/package wrote to folder $1 from the tested builds: each zip
# holds one folder named like it, with exactly that build's DriverSetup.exe and the users'
# ReadMe, which gives the version and is UTF-8 with a byte-order mark and CR LF line ends;
# BUILDINFO.txt gives the SHA-256 of both builds; SHA256SUMS matches the zips and BUILDINFO.txt.
# With a root certificate in $2, the programs in the zips must carry a signature that chains to
# it, and without it be the tested builds byte for byte.
check_release() (
    release=$1 root_certificate=${2:-} found=0
    version=$(sed -nE 's/^project\(DriverSetup VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    program=$scratch/DriverSetup.exe
    for preset in windows-x86 windows-x64; do
        folder=DriverSetup-$version-$preset tested=build/$preset/bin/DriverSetup.exe
        zip=$release/$folder.zip
        entries=$(unzip -Z1 "$zip" | tr '\n' ' ') || exit 1
        if [ "$entries" != "$folder/DriverSetup.exe $folder/ReadMe.txt " ]; then
            echo "$zip holds: $entries(expected $folder/DriverSetup.exe $folder/ReadMe.txt)"
            found=1
        fi
        unzip -p "$zip" "$folder/ReadMe.txt" >"$scratch/ReadMe.txt" || exit 1
        if ! grep -q "^Version $version"$'\r$' "$scratch/ReadMe.txt"; then
            echo "$zip: ReadMe.txt does not give the version $version"
            found=1
        fi
        if [ "$(head -c 3 "$scratch/ReadMe.txt")" != $'\xef\xbb\xbf' ]; then
            echo "$zip: ReadMe.txt does not start with a UTF-8 byte-order mark"
            found=1
        fi
        if line=$(grep -n -m 1 -v $'\r$' "$scratch/ReadMe.txt"); then
            echo "$zip: ReadMe.txt's line ${line%%:*} does not end in CR LF"
            found=1
        fi
        unzip -p "$zip" "$folder/DriverSetup.exe" >"$program" || exit 1
        if [ -n "$root_certificate" ]; then
            if ! osslsigncode verify -CAfile "$root_certificate" -in "$program" >"$scratch/log"; then
                cat "$scratch/log"
                echo "$zip: DriverSetup.exe carries no signature that chains to $root_certificate"
                found=1
            fi
            # Taking the signature off sets the PE checksum anew and keeps any padding that
            # signing added: it gives back the unsigned bytes only if their checksum was right
            # and their length a multiple of 8.
            osslsigncode remove-signature -in "$program" -out "$scratch/unsigned" >/dev/null || exit 1
            mv "$scratch/unsigned" "$program"
        fi
        if ! cmp "$program" "$root/$tested"; then
            echo "$zip: DriverSetup.exe${root_certificate:+ without its signature} is not $tested"
            found=1
        fi
        if ! grep -qxF "$(cd "$root" && sha256sum "$tested")" "$release/BUILDINFO.txt"; then
            echo "$release/BUILDINFO.txt does not give the SHA-256 of $tested"
            found=1
        fi
    done
    if ! grep -q ' BUILDINFO.txt$' "$release/SHA256SUMS"; then
        echo "$release/SHA256SUMS does not list BUILDINFO.txt"
        found=1
    fi
    (cd "$release" && sha256sum --check --quiet SHA256SUMS) || found=1
    exit "$found"
)

# Runs scripts/package twice and checks both releases: unsigned in build/release, and signed in
# build/release-signed with a throwaway root and code-signing certificate made here.
check_package() (
    found=0
    if "$root/scripts/package" >/dev/null && check_release "$root/build/release"; then
        echo "package: each zip holds one folder, with the tested program and the ReadMe"
    else
        found=1
    fi

    keys=$(mktemp -d)
    trap 'rm -rf "$keys"' EXIT
    SIGNING_PASSWORD=$(openssl rand -hex 16)
    export SIGNING_PASSWORD
    openssl req -x509 -newkey rsa:2048 -noenc -days 1 -subj "/CN=DriverSetup test root" \
        -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign \
        -keyout "$keys/root.key" -out "$keys/root.pem" 2>/dev/null &&
        openssl req -newkey rsa:2048 -noenc -subj "/CN=DriverSetup test publisher" \
            -keyout "$keys/publisher.key" -out "$keys/publisher.csr" 2>/dev/null &&
        openssl x509 -req -days 1 -in "$keys/publisher.csr" -CA "$keys/root.pem" \
            -CAkey "$keys/root.key" -out "$keys/publisher.pem" -extfile <(
                printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
                    extendedKeyUsage=codeSigning) 2>/dev/null &&
        openssl pkcs12 -export -inkey "$keys/publisher.key" -in "$keys/publisher.pem" \
            -passout env:SIGNING_PASSWORD -out "$keys/publisher.pfx" || exit 1
    # scripts/package keeps the password in a file under TMPDIR while it signs: none may stay.
    mkdir "$keys/tmp"
    if RELEASE_DIR=$root/build/release-signed SIGNING_PFX=$keys/publisher.pfx TMPDIR=$keys/tmp \
        "$root/scripts/package" >/dev/null &&
        check_release "$root/build/release-signed" "$keys/root.pem"; then
        echo "package, signed: both programs verify; without the signature, each is the tested build"
    else
        found=1
    fi
    if [ -n "$(ls -A "$keys/tmp")" ]; then
        echo "package, signed: left in TMPDIR: $(ls -A "$keys/tmp")"
        found=1
    fi
    exit "$found"
)
