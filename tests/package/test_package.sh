#!/usr/bin/env bash
# Checks what a user's system will do with the Debian package: the programs
# run, the desktop entry, file types, metainfo and manual pages are valid and
# consistent, and nothing else is installed.
#
#   test_package.sh deb BUILD_DIR VERSION     the .deb of `make package` in
#       BUILD_DIR, unpacked; also its control data, stripping and lintian
#   test_package.sh staged BUILD_DIR VERSION  the build tree's own install,
#       made afresh into a temporary root (no package needed)
#
# Exits 77 (skipped) when the package was not built or a tool is missing.
set -uo pipefail
# The same sorting and messages in every locale.
export LC_ALL=C.UTF-8

mode=$1
build=$2
version=$3
skip() { echo "SKIPPED: $*"; exit 77; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

tools=(desktop-file-validate appstreamcli update-mime-database xmllint man gio file)
[ "$mode" = deb ] && tools+=(dpkg-deb lintian readelf)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
if [ "$mode" = deb ]; then
  shopt -s nullglob
  debs=("$build"/tessaron_"$version"_*.deb)
  [ ${#debs[@]} -eq 1 ] || skip "no $build/tessaron_${version}_*.deb: run make package"
  deb=${debs[0]}
  dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x $deb"; exit 1; }
else
  cmake --build "$build" --target tessaron_package_files >"$work/build.log" 2>&1 ||
    { cat "$work/build.log"; echo "FAIL: the package's files do not build"; exit 1; }
  DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }
fi

# Control: the name, the version and the libraries as Debian names them.
if [ "$mode" = deb ]; then
  dpkg-deb -I "$deb" control >"$work/control" || fail "dpkg-deb -I $deb"
  grep -qx "Package: tessaron" "$work/control" || fail "control names no package tessaron"
  grep -qx "Version: $version" "$work/control" || fail "control has no version $version"
  depends=$(sed -n 's/^Depends: //p' "$work/control")
  for library in libqt6widgets6 libqt6opengl6 libqt6openglwidgets6 libqt6svg6 libgl2ps1.4 \
    libglu1-mesa libassimp5 libnifti2-2 libgdcm3.0 zlib1g libstdc++6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $library"[\ ,]* ]] || fail "Depends lacks $library: $depends"
  done
fi

# Contents: exactly what a user needs, nothing of the tests, benchmarks,
# fuzzers or the sample generator.
(cd "$root" && find . -type f | sed 's|^\./||' | sort) >"$work/files"
cat >"$work/expected" <<EOF
usr/bin/tessaron
usr/bin/tessaron-cli
usr/share/applications/tessaron.desktop
usr/share/doc/tessaron/changelog.Debian.gz
usr/share/doc/tessaron/copyright
usr/share/icons/hicolor/256x256/apps/tessaron.png
usr/share/icons/hicolor/scalable/apps/tessaron.svg
usr/share/man/man1/tessaron-cli.1.gz
usr/share/man/man1/tessaron.1.gz
usr/share/metainfo/org.tessaron.tessaron.metainfo.xml
usr/share/mime/packages/tessaron.xml
EOF
diff -u "$work/expected" "$work/files" || fail "the package's files differ from the list above"
find "$root" -mindepth 1 -type d ! -perm 755 -printf 'FAIL: folder %P is not 755 (%m)\n' | grep . &&
  failures=$((failures + 1))

# Programs: stripped, and both answer --help without a display (in English,
# as the manual pages quote it).
mkdir -p "$work/home/.Tessaron"
printf '[Config]\nlanguage=0\n' >"$work/home/.Tessaron/config.ini"
for program in tessaron tessaron-cli; do
  binary=$root/usr/bin/$program
  [ -x "$binary" ] || { fail "$program is not executable"; continue; }
  [ "$mode" = deb ] && readelf -S "$binary" | grep -q '\.symtab' && fail "$program is not stripped"
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work/home" "$binary" --help >"$work/$program.help" 2>&1 ||
    fail "$program --help exits $?"
  grep -q "usage: $program" "$work/$program.help" || fail "$program --help prints no usage"
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work/home" "$binary" --version >"$work/$program.version" 2>&1 ||
    fail "$program --version exits $?"
  grep -qx "$program [0-9.]*" "$work/$program.version" || fail "$program --version prints no version"
done
grep -q "DICOM" "$work/tessaron-cli.help" && grep -q "\.tsn" "$work/tessaron-cli.help" ||
  fail "tessaron-cli --help names no sessions or DICOM"

# Desktop entry: valid, passes the files on, claims our types.
desktop=$root/usr/share/applications/tessaron.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Exec=tessaron %F' "$desktop" || fail "the desktop entry does not pass the files"
mime_xml=$root/usr/share/mime/packages/tessaron.xml
types=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime_xml")
[ "$(echo "$types" | wc -l)" -eq 3 ] || fail "the mime XML declares not three types: $types"
for type in $types; do
  grep -q "^MimeType=.*$type;" "$desktop" || fail "the desktop entry lacks $type"
  grep -q "<mediatype>$type</mediatype>" "$root"/usr/share/metainfo/*.xml ||
    fail "the metainfo lacks $type"
done

# Icons: the scalable one parses, the other is 256 × 256.
xmllint --noout "$root/usr/share/icons/hicolor/scalable/apps/tessaron.svg" || fail "icon SVG"
file "$root/usr/share/icons/hicolor/256x256/apps/tessaron.png" | grep -q 'PNG image data, 256 x 256' ||
  fail "the PNG icon is not 256 x 256"

# File types: a database of the system's types and ours tells each of our
# files by its name, and a surface or a session by its first bytes too.
xmllint --noout "$mime_xml" || fail "mime XML"
data=$work/data
mkdir -p "$data/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$mime_xml" "$data/mime/packages/"
update-mime-database "$data/mime" >"$work/mime.log" 2>&1 ||
  { cat "$work/mime.log"; fail "update-mime-database"; }
samples=$work/samples
mkdir -p "$samples"
printf '# HyperSurface 0.1 ASCII\n\nVertices 0\n' >"$samples/kidney.surf"
cp "$samples/kidney.surf" "$samples/kidney-surface"
printf 'Vertices 0\n' >"$samples/bare.surf"
printf '[ load ${SCRIPTDIR}/kidney.surf ] setLabel {kidney.surf}\n' >"$samples/scene.hx"
printf '{"tessaron_session": 1, "models": []}\n' >"$samples/plan.tsn"
printf '{\n  "tessaron_session": 1\n}\n' >"$samples/plan-session"
printf '{"models": []}\n' >"$samples/other.json"
content_type() {
  XDG_DATA_HOME=$data XDG_DATA_DIRS=$data gio info -a standard::content-type "$1" |
    sed -n 's/^ *standard::content-type: //p'
}
while read -r name expected; do
  seen=$(content_type "$samples/$name")
  [ "$seen" = "$expected" ] || fail "$name is recognised as '$seen', not $expected"
done <<EOF
kidney.surf model/x-tessaron-surf
kidney-surface model/x-tessaron-surf
bare.surf model/x-tessaron-surf
scene.hx application/x-tessaron-scene
plan.tsn application/x-tessaron-session
plan-session application/x-tessaron-session
other.json application/json
EOF

# Metainfo: valid without the network, for the program it describes.
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml ||
  fail "appstreamcli validate"

# Manual pages: render without a warning and quote every line of --help, the
# command-line tool's also each command's.
render_page() {
  MANWIDTH=200 man --warnings -E UTF-8 -l "$1" 2>"$work/man.err" |
    sed 's/^ *//; s/ *$//; s/  */ /g'
  [ ! -s "$work/man.err" ] || { fail "man warns on $1"; cat "$work/man.err"; }
}
cli=$root/usr/bin/tessaron-cli
commands=$(sed -n '/^commands:/,/^$/{s/^  \([a-z]*\) .*/\1/p}' "$work/tessaron-cli.help")
[ -n "$commands" ] || fail "tessaron-cli --help lists no commands"
for command in $commands; do "$cli" "$command" --help >>"$work/tessaron-cli.help"; done
for program in tessaron tessaron-cli; do
  render_page "$root/usr/share/man/man1/$program.1.gz" >"$work/$program.page"
  sed 's/^ *//; s/ *$//; s/  */ /g; /^$/d' "$work/$program.help" | sort -u |
    while IFS= read -r line; do
      grep -qxF -- "$line" "$work/$program.page" || echo "FAIL: the page of $program lacks: $line"
    done | grep . && failures=$((failures + 1))
done
# The viewer's page says more than its usage: the settings file, the language
# key, the files it opens.
for word in config.ini language RTSTRUCT .tsn; do
  grep -qF -- "$word" "$work/tessaron.page" || fail "the page of tessaron does not name $word"
done

# lintian: no error; its warnings are shown.
if [ "$mode" = deb ]; then
  lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1
  cat "$work/lintian"
  grep -q '^E: ' "$work/lintian" && fail "lintian reports errors"
fi

if [ $failures -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the package's files pass ($mode)"
