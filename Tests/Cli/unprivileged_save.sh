#!/bin/sh
# The native tool run as an unprivileged user (nobody) on a game folder that root prepared:
# where nobody may write Config.ini but not add files to Player, `set` writes over the file and
# keeps its mode, owner and inode; where nobody may write neither, it exits 4 with the advice,
# the file is unchanged and the error box is printed on standard error. Skipped (77) unless
# run as root with runuser.
# Usage: unprivileged_save.sh TOOL SAMPLE_GAME DEFAULT_CONFIG
[ "$(id -u)" = 0 ] && command -v runuser >/dev/null || exit 77
tool=$1 sample=$2 defaults=$3
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
cp "$tool" "$work/tool" && cp -r "$sample" "$work/game" || exit 1
cp "$defaults" "$work/game/Player/Config.ini" && chmod -R a+rX "$work" || exit 1
config=$work/game/Player/Config.ini
failed=0
fail() { echo "FAIL: $*"; cat "$work/err"; failed=1; }
as_nobody() { runuser -u nobody -- "$work/tool" --game "$work/game" "$@" >"$work/out" 2>"$work/err"; }

chmod 666 "$config"
identity=$(stat -c '%a %U %i' "$config")
as_nobody set FAR=90 || fail "set as nobody exit $?"
grep -q '^	FAR *= "90"' "$config" || fail "FAR was not written"
[ "$(stat -c '%a %U %i' "$config")" = "$identity" ] || fail "identity $(stat -c '%a %U %i' "$config")"
[ "$(ls "$work/game/Player")" = Config.ini ] || fail "left $(ls "$work/game/Player")"

chmod 644 "$config"
cp "$config" "$work/before"
as_nobody set FAR=60
[ $? = 4 ] || fail "set on a file nobody may write did not exit 4"
grep -q '^\[CFileHarvel Error\] Player\\Config.ini$' "$work/err" || fail "the box was not printed"
grep -q 'could not be written; it is unchanged' "$work/err" || fail "no unchanged note"
grep -q '^You may not write this file' "$work/err" || fail "no advice"
cmp -s "$config" "$work/before" || fail "the file changed"
exit $failed
