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

# Runs scripts/package and checks its zips: each holds exactly the tested DriverSetup.exe and
# the users' ReadMe, and SHA256SUMS matches them.
check_package() {
    "$root/scripts/package" >/dev/null || return 1
    local release=$root/build/release version preset found=0
    version=$(sed -nE 's/^project\(DriverSetup VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")
    for preset in windows-x86 windows-x64; do
        local zip=$release/DriverSetup-$version-$preset.zip entries
        entries=$(unzip -Z1 "$zip" | tr '\n' ' ') || return 1
        if [ "$entries" != "DriverSetup.exe ReadMe.txt " ]; then
            echo "$zip holds: $entries(expected DriverSetup.exe ReadMe.txt)"
            found=1
        fi
        if ! unzip -p "$zip" DriverSetup.exe | cmp - "$root/build/$preset/bin/DriverSetup.exe"; then
            echo "$zip: DriverSetup.exe is not the one built and tested"
            found=1
        fi
    done
    (cd "$release" && sha256sum --check --quiet SHA256SUMS) || found=1
    [ "$found" -eq 0 ] && echo "package: both zips hold the tested program and the ReadMe"
}
