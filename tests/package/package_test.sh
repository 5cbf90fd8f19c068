#!/usr/bin/env bash
# The portable release from an existing Windows build, with no network: scripts/package.sh run
# twice, the second time seconds later, in another time zone, with another umask and locale,
# writes the same bytes, and its output checks out (tests/package/check_package.py: the zip's
# files, SHA256SUMS, the .sha256 file, the version and hash in the manifests). Then, in a copy of
# the sources whose guide shows pictures, the pictures it refers to ship in their folder and the
# others do not, and a picture the guide refers to but docs/ lacks stops the packaging. Both times
# the guide's own pictures (docs/guide/) ship beside it.
# Arguments: the Windows build folder
set -euo pipefail
build=$(realpath "${1:?the Windows build folder}")
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

package() { # source tree, output folder, then environment assignments for the run
    local tree=$1 out=$2
    shift 2
    env "$@" bash "$tree/scripts/package.sh" --build-dir "$build" --out-dir "$out" >"$out.log" 2>&1 ||
        { cat "$out.log" >&2; return 1; }
}

epoch=$(git -C "$source_dir" log -1 --format=%ct)
package "$source_dir" "$work/first" TZ=UTC
sleep 2 # the zip's clock counts in 2 s steps
(umask 077 && package "$source_dir" "$work/second" TZ=Pacific/Kiritimati LC_ALL=C)
diff -r "$work/first" "$work/second" >/dev/null || fail "two runs from the same commit wrote different files"
for file in "$work/first"/Cellaro-*-win64.zip; do
    cmp -s "$file" "$work/second/${file##*/}" || fail "two runs wrote different zips"
done
# The guide's own pictures ship with it, in their folder (docs/guide/ in the sources).
mapfile -t pictures < <(python3 - "$source_dir/docs/Cellaro-User-Guide.htm" <<'EOF'
import html.parser, sys
class Pictures(html.parser.HTMLParser):
    def handle_starttag(self, tag, attrs):
        if tag == "img":
            print(dict(attrs)["src"])
Pictures().feed(open(sys.argv[1], encoding="utf-8").read())
EOF
)
[ "${#pictures[@]}" -gt 0 ] || fail "the guide shows no pictures"
python3 "$here/check_package.py" "$work/first" "$build" "$source_dir" "$epoch" "${pictures[@]}"
(cd "$work/first" && sha256sum --check --quiet ./*.zip.sha256) || fail "sha256sum does not accept the .sha256 file"
mkdir "$work/unzipped"
python3 -m zipfile -e "$work/first"/Cellaro-*-win64.zip "$work/unzipped"
(cd "$work/unzipped" && sha256sum --check --quiet SHA256SUMS) || fail "sha256sum does not accept SHA256SUMS"

# A copy of the sources as they are now, with pictures in the guide.
tree=$work/tree
mkdir "$tree"
git -C "$source_dir" ls-files -z --cached --others --exclude-standard |
    (cd "$source_dir" && tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$tree"
mkdir "$tree/docs/guide-images"
printf 'grid picture' >"$tree/docs/guide-images/grid.png"
printf 'tray picture' >"$tree/docs/guide-images/tray icon.png"
printf 'unused picture' >"$tree/docs/guide-images/unused.png"
python3 - "$tree/docs/Cellaro-User-Guide.htm" <<'EOF'
import sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
pictures = ('<p><img src="guide-images/grid.png" alt="The grid"> <img src="https://cellaro.example/x.png" alt="">'
            ' <span style="background: url(\'guide-images/tray%20icon.png\')"></span>'
            ' <a href="#top">Top</a> <a href="mailto:someone@cellaro.example">Mail</a></p>\n</body>')
open(path, "w", encoding="utf-8").write(text.replace("</body>", pictures, 1))
EOF
package "$tree" "$work/pictures" SOURCE_DATE_EPOCH=1700000000
python3 "$here/check_package.py" "$work/pictures" "$build" "$tree" 1700000000 \
    "${pictures[@]}" "guide-images/grid.png" "guide-images/tray icon.png"

sed -i 's|</body>|<img src="guide-images/missing.png" alt="">\n</body>|' "$tree/docs/Cellaro-User-Guide.htm"
if package "$tree" "$work/missing" SOURCE_DATE_EPOCH=1700000000 2>/dev/null; then
    fail "a guide that refers to a missing picture was packaged"
fi
grep -q "missing.png" "$work/missing.log" || fail "the failed packaging does not name the missing picture"
echo "package test passed"
