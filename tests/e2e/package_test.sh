#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a temporary
# root and runs the unpacked program there: it finds its templates file under
# usr/share/quenport/, expands the IAR example to its checked-in solution, its
# manual page renders without warnings, and its bash completion is where
# bash-completion looks and registers the command.
# Usage: package_test.sh <build directory> <source directory>
# Exits 77 (skipped) when dpkg-deb is missing.
set -euo pipefail
build=$1
source=$2

command -v dpkg-deb >/dev/null || { echo "dpkg-deb not found: skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" MARROWFEN_ROOT_USER_DIR="$work/user"
mkdir -p "$HOME"

fail() { echo "FAILED: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
packages=("$work"/package/quenport_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "no single quenport_*.deb in ${packages[*]}"
package=${packages[0]}

depends=$(dpkg-deb -f "$package" Depends)
[[ $depends == *libqt6core6* ]] || fail "Depends lacks Qt: $depends"

root="$work/root"
dpkg-deb -x "$package" "$root"
for file in usr/bin/quenport usr/share/quenport/targets/project_templates.xml \
  usr/share/man/man1/quenport.1.gz usr/share/doc/quenport/README.md \
  usr/share/doc/quenport/report.schema.json usr/share/bash-completion/completions/quenport; do
  [ -f "$root/$file" ] || fail "$file is not in the package"
done

cp -r "$source/examples/iar" "$work/iar"
(cd "$work/iar" && "$root/usr/bin/quenport" iar2hzp -executable-template STM32_EXE \
  -library-template STM32_LIB -expand-templates firmware.eww 2>"$work/stderr") || fail "conversion: $(cat "$work/stderr")"
cmp "$work/iar/firmware.hzp" "$source/examples/iar/expected/firmware-expanded.hzp" || fail "solution differs"

if command -v man >/dev/null; then
  # Plain "man -l" keeps groff's warnings to itself; "--warnings=w" shows every kind.
  MANWIDTH=80 man --warnings=w -l "$root/usr/share/man/man1/quenport.1.gz" >"$work/page" 2>"$work/man.err" ||
    fail "man -l"
  ! grep -qi warning "$work/man.err" || fail "man -l warns: $(cat "$work/man.err")"
  grep -q "^NAME" "$work/page" || fail "the page has no NAME section"
fi
bash -c 'source "$1" && complete -p quenport' _ "$root/usr/share/bash-completion/completions/quenport" >/dev/null ||
  fail "the bash completion does not register quenport"

echo "package $(basename "$package") installs and runs"
