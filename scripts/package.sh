#!/usr/bin/env bash
# Builds the portable release: installs what is missing, builds the Windows build (the `windows`
# preset) and writes to out/ the zip Cellaro-<version>-win64.zip, its .sha256, the scoop manifest
# cellaro.json and the winget manifests in winget/ (scripts/package.py says what each holds).
#
#   bash scripts/package.sh [--build-dir DIR] [--out-dir DIR]
#
#   --build-dir DIR  package this configured Windows build instead, brought up to date first
#                    (a build that is up to date is not touched)
#   --out-dir DIR    write there instead of out/
#
# Two runs from the same commit write the same bytes: every time stamp in the zip is the commit's
# time (SOURCE_DATE_EPOCH, from `git log -1 --format=%ct` unless it is set), and the build itself
# is reproducible (see src/platform/win32/CMakeLists.txt).
set -euo pipefail

# Folders given are taken from where the script is started.
build_dir=
out_dir=
while [ $# -gt 0 ]; do
    case "$1" in
    --build-dir) build_dir=$(realpath -m -- "${2:?--build-dir needs a folder}"); shift 2 ;;
    --out-dir) out_dir=$(realpath -m -- "${2:?--out-dir needs a folder}"); shift 2 ;;
    *) echo "package.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${WINDOWS_BUILD_PACKAGES[@]}"

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) ||
        { echo "package.sh: no commit to take the time from; set SOURCE_DATE_EPOCH" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH
if [ -n "$(git status --porcelain --untracked-files=no 2>/dev/null)" ]; then
    echo "package.sh: the working tree has changes that are not committed; the package holds them" >&2
fi

jobs=$(nproc 2>/dev/null || echo 2)
if [ -z "$build_dir" ]; then
    cmake --preset windows >/dev/null
    build_dir=build/windows
fi
# Also configures again when CMakeLists.txt changed, so the version file follows project(VERSION).
cmake --build "$build_dir" --target cellaro -j "$jobs"

python3 scripts/package.py --build-dir "$build_dir" --out-dir "${out_dir:-out}" --epoch "$SOURCE_DATE_EPOCH"
