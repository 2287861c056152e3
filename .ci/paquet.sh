#!/usr/bin/env bash
# CI: builds the Debian package from the existing build in build/, checks its
# contents and metadata, unpacks it into a scratch root and checks what a user
# would get: the programs refusing without the port capability, clean manual
# pages, the completion.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || { echo "no build in build/: run the main build first" >&2; exit 1; }

manque=()
command -v cpack >/dev/null || manque+=(cmake)
command -v dpkg-shlibdeps >/dev/null || manque+=(dpkg-dev)
command -v file >/dev/null || manque+=(file)
command -v man >/dev/null || manque+=(man-db)
command -v groff >/dev/null || manque+=(groff-base)
command -v setpriv >/dev/null || manque+=(util-linux)
command -v setcap >/dev/null || manque+=(libcap2-bin)
if [ ${#manque[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${manque[@]}"
fi

echec() { echo "FAIL: $*" >&2; exit 1; }

rm -f build/travonel_*.deb
(cd build && cpack -G DEB)
paquets=(build/travonel_*_amd64.deb)
if [ ${#paquets[@]} -ne 1 ] || [ ! -f "${paquets[0]}" ]; then echec "expected one travonel_*_amd64.deb"; fi
deb=${paquets[0]}

# Contents: the two real programs and nothing else in bin, the gzipped pages,
# the completion for both names, the optional capability script.
contenu=$(dpkg-deb -c "$deb")
echo "$contenu"
for chemin in ./usr/bin/travonel ./usr/bin/travonel_ident \
    ./usr/share/man/man1/travonel.1.gz ./usr/share/man/man1/travonel_ident.1.gz \
    ./usr/share/bash-completion/completions/travonel \
    ./usr/share/bash-completion/completions/travonel_ident \
    ./usr/share/travonel/autoriser-ports; do
  grep -qE " ${chemin//./\\.}( |$)" <<<"$contenu" || echec "$chemin missing from the package"
done
[ "$(grep -c ' \./usr/bin/.' <<<"$contenu")" -eq 2 ] || echec "unexpected files in /usr/bin"
! grep -q carte_simulee <<<"$contenu" || echec "a simulated program is in the package"
grep -q '^-rwxr-xr-x root/root .* \./usr/bin/travonel$' <<<"$contenu" || echec "travonel not an executable owned by root"

# Metadata.
dpkg-deb -I "$deb"
champ() { dpkg-deb -f "$deb" "$1"; }
[ "$(champ Package)" = travonel ] || echec "Package"
[ "$(champ Architecture)" = amd64 ] || echec "Architecture"
[ "$(champ Section)" = science ] || echec "Section"
[ -n "$(champ Version)" ] || echec "Version"
[[ "$(champ Maintainer)" == *@* ]] || echec "Maintainer"
[ -n "$(champ Description)" ] || echec "Description"
! dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -qE 'postinst|preinst' \
  || echec "the package must not run scripts at installation (the capability is optional)"

racine=$(mktemp -d)
trap 'rm -rf "$racine"' EXIT
dpkg -x "$deb" "$racine"

# Dependencies computed from the programs: none for static ones, the C
# library for dynamic ones.
if file -L "$racine/usr/bin/travonel" | grep -q 'dynamically linked'; then
  [[ "$(champ Depends)" == *libc6* ]] || echec "dynamic programs but no libc6 in Depends"
else
  [ -z "$(champ Depends)" ] || echec "static programs but Depends: $(champ Depends)"
fi

# Without cap_sys_rawio, even as root, every run ends with "EPrivilege" and
# status 1, whatever the command line and whatever the kernel allows.
attendu=$(mktemp -p "$racine")
obtenu=$(mktemp -p "$racine")
for p in travonel travonel_ident; do
  printf 'Exception EPrivilege dans le module %s \xe0 ADRESSE.\nInstruction privil\xe9gi\xe9e.\r\n' "$p" >"$attendu"
  for args in "" "ea 1" "titre"; do
    statut=0
    # shellcheck disable=SC2086
    setpriv --bounding-set=-sys_rawio --inh-caps=-all -- "$racine/usr/bin/$p" $args >"$obtenu" || statut=$?
    [ "$statut" -eq 1 ] || echec "$p $args: status $statut, expected 1"
    LC_ALL=C sed -i -E '1s/ [0-9A-F]{8}\.$/ ADRESSE./' "$obtenu"
    cmp -s "$attendu" "$obtenu" || { od -c "$obtenu" >&2; echec "$p $args: not the EPrivilege text"; }
  done
done

# Manual pages: gzipped, and no warning from groff or man.
for page in travonel travonel_ident; do
  f=$racine/usr/share/man/man1/$page.1.gz
  gzip -t "$f" || echec "$page.1.gz is not gzip"
  zcat "$f" | head -1 | grep -q "^\.TH ${page^^} 1 " || echec "$page.1: wrong title"
  avert=$(zcat "$f" | LC_ALL=C.UTF-8 groff -ww -man -z 2>&1) || echec "groff failed on $page.1"
  [ -z "$avert" ] || echec "groff warnings on $page.1: $avert"
  avert=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$f" 2>&1 >/dev/null) || echec "man failed on $page.1"
  [ -z "$avert" ] || echec "man warnings on $page.1: $avert"
done

# The installed completion, through both names.
bash tests/completion/completion_test.sh "$racine/usr/share/bash-completion/completions/travonel_ident"

echo "package $deb: ok"
