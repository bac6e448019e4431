#!/usr/bin/env bash
# Checks revora-slides, the tool that draws the video lectures' slides:
#   SlidesTest.sh TOOL draws LECTURE.txt SLIDES   the lecture gives SLIDES slides, each a
#                                                 1280 x 720 picture with narration beside it
#   SlidesTest.sh TOOL refuses CASE               a bad lecture (CASE below) is refused with
#                                                 one line naming the file, and nothing is drawn
set -euo pipefail
tool=$1 mode=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

fail() { echo "FAIL: $*" >&2; exit 1; }

# Width and height from a PNG's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }

case $mode in
draws)
  lecture=$3 expected=$4
  "$tool" "$lecture" "$work/out" 2>"$work/stderr" || fail "$lecture was refused: $(cat "$work/stderr")"
  pictures=$(find "$work/out" -name 'slide-*.png' | wc -l)
  [ "$pictures" -eq "$expected" ] || fail "$lecture: $pictures slides drawn, $expected expected"
  for n in $(seq -f %02g 1 "$expected"); do
    png=$work/out/slide-$n.png narration=$work/out/slide-$n.txt
    [ -f "$png" ] || fail "$lecture: slide $n is missing"
    [ "$(png_size "$png")" = 1280x720 ] || fail "$lecture: slide $n is $(png_size "$png"), not 1280x720"
    [ -f "$narration" ] && grep -q '[[:alpha:]]' "$narration" || fail "$lecture: slide $n has no narration"
    # What is spoken must never be a line of the lecture's own markup.
    ! grep -Eq '^(#|- |;)' "$narration" || fail "$lecture: slide $n narration holds markup: $(cat "$narration")"
  done
  ;;
refuses)
  name=$3 lecture=$work/$3.txt
  case $name in
    empty_lecture) : >"$lecture" ;;
    only_comments) printf '; a lecture still to be written\n' >"$lecture" ;;
    no_lecture_title) printf '## A slide\nSpoken.\n' >"$lecture" ;;
    slide_without_narration) printf '# Lecture\n## First\n- a bullet\n## Second\nSpoken.\n' >"$lecture" ;;
    last_slide_without_narration) printf '# Lecture\n## First\nSpoken.\n## Second\n- a bullet\n' >"$lecture" ;;
    text_before_first_slide) printf '# Lecture\nSpoken too early.\n## First\nSpoken.\n' >"$lecture" ;;
    too_many_bullets) printf '# Lecture\n## Crowded\n- 1\n- 2\n- 3\n- 4\n- 5\n- 6\n- 7\nSpoken.\n' >"$lecture" ;;
    missing_file) ;;
    *) fail "unknown case $name" ;;
  esac
  if "$tool" "$lecture" "$work/out" >"$work/stdout" 2>"$work/stderr"; then
    fail "$name: accepted"
  fi
  messages=$(cat "$work/stderr")
  [ "$(printf '%s\n' "$messages" | wc -l)" -eq 1 ] || fail "$name: more than one line: $messages"
  [[ $messages == *"$lecture"* ]] || fail "$name: the message does not name $lecture: $messages"
  [ -z "$(find "$work" -name 'slide-*' 2>/dev/null)" ] || fail "$name: slides were drawn"
  echo "$messages"
  ;;
*) fail "unknown mode $mode" ;;
esac
