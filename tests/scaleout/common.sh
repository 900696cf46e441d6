# shellcheck shell=bash
# What the scale-out recipe tests share: a folder of responses named in
# every way a file can be, each drawn alone for reference, and the checks.
# Sourced with the folder holding the afcdraw binaries as $1.
set -u
LC_ALL=C
bindir=$(cd "$1" && pwd) || exit 1
recipes=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../examples/scale-out" && pwd)
export PATH=$bindir:$PATH
# CTest's SKIP_RETURN_CODE for these tests.
skipped=77

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A test that needs what a developer's machine may lack skips there,
# loudly, but fails in CI, where it must always run.
cannot_run() {
  if [[ -n ${CI:-} ]]; then fail "$*"; fi
  echo "SKIPPED: $*" >&2
  exit "$skipped"
}

work=$(mktemp -d) || fail "no temporary folder"
cleanups=("rm -rf '$work'")
on_exit() {
  local i
  for ((i = ${#cleanups[@]} - 1; i >= 0; i--)); do eval "${cleanups[i]}"; done
}
trap on_exit EXIT
# Killed (CTest's timeout), the test still stops the daemons it started.
trap 'exit 1' TERM INT HUP
# A recipe that hangs fails the test well within CTest's timeout.
recipe_seconds=180
cd "$work" || fail "cannot enter $work"

# The names users meet: a space, both quotes, $, a backslash, a leading -,
# a newline, a tab, UTF-8 and a name that is no UTF-8, and plain ones.
odd_names=(with\ space "it's" 'say "hi"' '$HOME' 'back\slash' -dash $'new\nline' $'tab\there'
  'ünï Ωmega' $'latin1 \xe9' "all 'of\" \$them\\ -")
plain_count=9
options=(SUB_GRID=10 "CAPTION=it's \"all\" \$x")

# responses/<name>.txt for every name, but a name with a leading - in the
# current folder, so that its path begins with the -; each curve scaled
# apart so that no two pictures are alike, listed NUL-separated in
# files.list, and each drawn alone into reference/<index>.gif.
make_responses() {
  local names=("${odd_names[@]}") i path
  for ((i = 1; i <= plain_count; i++)); do names+=("unit_$i"); done
  mkdir responses reference || fail "cannot make folders"
  for i in "${!names[@]}"; do
    path=responses/${names[i]}.txt
    [[ ${names[i]} != -* ]] || path=${names[i]}.txt
    awk -v k="$i" '{ printf "%s %.6e %s\n", $1, $2 * (1 + k / 8), $3 }' \
      "$recipes/../geophone_unit_a.txt" >"$path" || fail "cannot write a response"
    printf '%s\0' "$path"
  done >files.list
  mapfile -d '' -t listed <files.list
  for i in "${!listed[@]}"; do
    afcdraw IN=- "OUT=reference/$i.gif" "${options[@]}" <"${listed[i]}" ||
      fail "the reference picture of ${listed[i]@Q} was not drawn"
  done
  (($(cat reference/*.gif | wc -c) > 0)) || fail "no reference pictures"
  local distinct
  distinct=$(md5sum reference/*.gif | cut -d' ' -f1 | sort -u | wc -l)
  ((distinct == ${#listed[@]})) || fail "only $distinct distinct reference pictures"
}

# Every picture in PICS is byte for byte the one drawn alone; the indexes
# of the list given after PICS are expected missing instead. Nothing else
# is left there but the run's stamp.
check_pictures() {
  local pics=$1 i name picture entries
  shift
  local -A missing=()
  for i; do missing[$i]=1; done
  entries=$(find "$pics" -mindepth 1 ! -name .started -printf . | wc -c)
  ((entries == ${#listed[@]} - ${#missing[@]})) ||
    fail "$pics holds $entries entries: $(ls -A "$pics")"
  for i in "${!listed[@]}"; do
    name=${listed[i]##*/}
    picture=$pics/${name%.txt}.gif
    if [[ -n ${missing[$i]:-} ]]; then
      [[ ! -e $picture ]] || fail "${picture@Q} was drawn, but it is not in the tasks retried"
    else
      cmp -s "$picture" "reference/$i.gif" || fail "${picture@Q} differs from the run alone"
    fi
  done
}

# A TCP port nobody listens on now, from the range no system hands out
# on its own (Linux's ephemeral ports begin at 32768), and not one of the
# ports given, which the caller has taken already.
free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 12000))
    [[ " $* " != *" $port "* ]] || continue
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || break
  done
  echo "$port"
}
