#!/usr/bin/env bash
# Hostile inputs for the built programs: each case builds its files in a
# fresh folder, runs a program under a time limit (and, outside sanitizer
# builds, a memory cap), and checks the exit status, the message, that a
# generated scanner is complete enough for tarnwick-scan to read, and that
# every file that existed before is byte-identical afterwards.
#
#   hostile_test.sh CASE TARNWICK KORVANE SCAN WORKDIR SANITIZED
#
# Exit 0 passes, 77 skips (a check that cannot mean anything here, e.g. file
# permissions when running as root), anything else fails.
set -uo pipefail

case_name=$1
tarnwick=$2
korvane=$3
scan=$4
work=$5/$case_name
sanitized=$6

# Sanitizer reports must not pass for the programs' own status 1.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}exitcode=86
export UBSAN_OPTIONS=${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}exitcode=87:halt_on_error=1:print_stacktrace=1
export TARNWICK_UI=console
unset TARNWICK_MAX_DFA_STATES

time_limit=30
memory_kb=$((1536 * 1024))
if [ "$sanitized" = ON ] || [ "$sanitized" = 1 ]; then
  time_limit=90
  memory_kb=""  # ASan's shadow memory rules out an address-space cap
fi

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Files of the test itself live outside the folder whose snapshot is taken.
scratch=$work.scratch
rm -rf "$work" "$scratch"
mkdir -p "$work" "$scratch"
cd "$work" || exit 1

# ---- running a program ------------------------------------------------------

# run PROGRAM ARGS...: sets $status and $output (stdout and stderr together).
run() {
  local cap=""
  [ -n "$memory_kb" ] && cap="ulimit -v $memory_kb;"
  output=$(bash -c "$cap exec timeout -k 5 $time_limit \"\$@\"" run "$@" 2>&1)
  status=$?
  if [ $status -eq 124 ] || [ $status -eq 137 ]; then
    fail "$(basename "$1") ran past ${time_limit}s: $*"
  elif [ $status -ge 86 ] && [ $status -le 87 ] || [ $status -ge 128 ]; then
    fail "$(basename "$1") crashed (status $status): $*"
    echo "$output" | tail -n 30 >&2
  fi
  case $output in
    *"Sanitizer"* | *"runtime error:"*) fail "sanitizer report: $*" ;;
  esac
}

# expect STATUS TEXT DESCRIPTION: the last run ended with STATUS, and TEXT
# appears in its output.
expect() {
  if [ "$status" -ne "$1" ]; then
    fail "$3: status $status, expected $1"
    echo "$output" | tail -n 5 >&2
  elif [[ $output != *"$2"* ]]; then
    fail "$3: no \"$2\" in the output"
    echo "$output" | tail -n 5 >&2
  fi
}

# ---- files left as they were ------------------------------------------------

# Content digest of every file and link below the current folder.
snapshot() {
  find . -mindepth 1 \( -type f -o -type l -o -type d \) -printf '%p %y %m\n' | sort
  find . -type f -readable -print0 | sort -z | xargs -0 -r sha256sum
}

# unchanged DESCRIPTION: nothing below the folder differs from $before.
unchanged() {
  local after
  after=$(snapshot)
  if [ "$after" != "$before" ]; then
    fail "$1: files changed"
    diff <(echo "$before") <(echo "$after") | head -n 10 >&2
  fi
}

# Where a run succeeds: all but the named new or replaced files are as before.
unchanged_except() {
  local description=$1
  shift
  local after filter=()
  for name in "$@"; do filter+=(-e "^\./$name " -e " \./$name\$"); done
  after=$(snapshot | grep -v "${filter[@]}")
  local expected
  expected=$(echo "$before" | grep -v "${filter[@]}")
  if [ "$after" != "$expected" ]; then
    fail "$description: files other than $* changed"
    diff <(echo "$expected") <(echo "$after") | head -n 10 >&2
  fi
}

# ---- tarnwick ---------------------------------------------------------------

# A definition that generates; its output exists beforehand so that failing
# runs can show they left it alone.
old_output() {
  printf '; the previous scanner\n' >"$1"
}

# generate_ok DEFINITION DESCRIPTION [ARGS...]: success, and tarnwick-scan
# reads the tables of the complete output.
generate_ok() {
  local definition=$1 description=$2
  shift 2
  run "$tarnwick" "$definition" "$@"
  expect 0 "Done! No errors!" "$description"
  printf 'ab\n' >"$scratch/scan-input.txt"
  local scanned
  scanned=$("$scan" "${definition}_lexerout.pbl" "$scratch/scan-input.txt" 2>&1)
  [ $? -eq 0 ] || fail "$description: the output does not read back: $scanned"
}

# generate_fails DEFINITION TEXT DESCRIPTION [ARGS...]: status 1 with the
# message, and nothing in the folder changed.
generate_fails() {
  local definition=$1 text=$2 description=$3
  shift 3
  before=$(snapshot)
  run "$tarnwick" "$definition" "$@"
  expect 1 "$text" "$description"
  unchanged "$description"
}

# Repeats a string N times without a loop per character.
repeat() {
  head -c "$2" /dev/zero | tr '\0' "$1"
}

# Deterministic bytes from a linear congruential generator: the same
# "garbage" on every run.
garbage() {
  local n=$1 seed=$2 i hex
  local -a bytes=()
  for ((i = 0; i < n; i++)); do
    seed=$(((seed * 1103515245 + 12345) & 0x7fffffff))
    printf -v hex '\\x%02x' $(((seed >> 16) & 255))
    bytes+=("$hex")
  done
  printf '%b' "${bytes[@]}"
}

case_empty_and_garbage() {
  : >empty.lex
  before=$(snapshot)
  generate_ok empty.lex "empty definition"
  unchanged_except "empty definition" empty.lex_lexerout.pbl PBTarnwickInc.pbi

  # Without a "%%" line everything is declarations, copied as they are.
  garbage 4096 7 | tr -d '%' >garbage.lex
  generate_ok garbage.lex "binary garbage as declarations"
  # Garbage in the rules section: these bytes close their first action early.
  { printf '%%%%\n'; garbage 4096 11; } >rules-garbage.lex
  old_output rules-garbage.lex_lexerout.pbl
  generate_fails rules-garbage.lex "Garbage at the end of the line" "garbage rules"
}

case_nul_bytes() {
  printf '; a\0b\n%%%%\n"a\0b" { x\0y }\n[\0-\001] { z }\n%%%%\nuser\0code\n' >nul.lex
  generate_ok nul.lex "NUL bytes in every section"
  if ! grep -qa $'user\x00code' nul.lex_lexerout.pbl 2>/dev/null &&
    ! tr '\0' '@' <nul.lex_lexerout.pbl | grep -q 'user@code'; then
    fail "NUL bytes: user code not copied byte for byte"
  fi
  printf '%%%%\n\0\0\0\n' >nul-rule.lex
  generate_fails nul-rule.lex "Error Line 2:" "a rule of NUL bytes without an action"
}

case_big_definition() {
  # 10 MB, nearly all of it user code that is copied line by line.
  {
    printf '%%%%\n"key" { ProcedureReturn 1 }\n[a-z]+ { ProcedureReturn 2 }\n%%%%\n'
    yes 'Procedure P() : ProcedureReturn 1 : EndProcedure ; filler filler filler' |
      head -c 10000000
  } >big.lex
  before=$(snapshot)
  generate_ok big.lex "10 MB definition"
  unchanged_except "10 MB definition" big.lex_lexerout.pbl PBTarnwickInc.pbi
  local lines
  lines=$(tr -cd '\n' <big.lex_lexerout.pbl | wc -c)
  [ "$lines" -gt 100000 ] || fail "10 MB definition: only $lines lines written"
}

case_long_lines() {
  { repeat a 1000000; printf '\n%%%%\n"x" { ProcedureReturn 1 }\n%%%%\n'; } >long-declaration.lex
  generate_ok long-declaration.lex "1 MB declaration line"
  { printf '%%%%\n"x" { '; repeat b 1000000; printf ' }\n%%%%\n'; } >long-action.lex
  generate_ok long-action.lex "1 MB action line"
  { printf '%%%%\n"x" { x }\n%%%%\n'; repeat c 1000000; } >long-user-code.lex
  generate_ok long-user-code.lex "1 MB user code line without a line end"
  # The same length of expression, in shapes that end in an error early.
  local shape
  for shape in '[' '(' ')' ']'; do
    { printf '%%%%\n'; repeat "$shape" 1000000; printf ' { x }\n%%%%\n'; } >long-rule.lex
    old_output long-rule.lex_lexerout.pbl
    generate_fails long-rule.lex "Error Line 2:" "1 MB expression of '$shape'"
  done
  { printf '%%%%\n"x" {'; repeat '{' 1000000; printf '\n%%%%\n'; } >long-braces.lex
  old_output long-braces.lex_lexerout.pbl
  generate_fails long-braces.lex "'{' without '}'" "1 MB of open braces"
}

case_nested_groups() {
  { printf '%%%%\n'; repeat '(' 100000; printf 'a'; repeat ')' 100000; printf ' { x }\n%%%%\n'; } \
    >nested.lex
  generate_ok nested.lex "100,000 nested groups"
  { printf '%%%%\n'; repeat '(' 100000; printf 'a|b*'; printf ' { x }\n%%%%\n'; } >open.lex
  old_output open.lex_lexerout.pbl
  generate_fails open.lex "'(' without ')'" "100,000 unclosed groups"
  { printf '%%%%\na'; repeat ')' 100000; printf ' { x }\n%%%%\n'; } >closed.lex
  old_output closed.lex_lexerout.pbl
  generate_fails closed.lex "')' without '('" "100,000 unopened groups"
  { printf '%%%%\n'; repeat '(' 50000; printf 'a*)*)+)?'; repeat ')' 49997; printf ' { x }\n%%%%\n'; } \
    >stars.lex
  generate_ok stars.lex "nested repetitions"
}

case_many_rules() {
  {
    printf '%%%%\n'
    local i
    for ((i = 0; i < 5000; i++)); do printf '"kw%d" { ProcedureReturn %d }\n' $i $i; done
    printf '[a-z]+[0-9]* { ProcedureReturn -1 }\n%%%%\n'
  } >rules.lex
  generate_ok rules.lex "5,000 rules"
  printf 'kw4999 kw0 kwx12' >"$scratch/words.txt"
  local tokens
  tokens=$("$scan" rules.lex_lexerout.pbl "$scratch/words.txt")
  [[ $tokens == *'rule 4999  line 1  col 1  "kw4999"'* ]] || fail "5,000 rules: kw4999 not rule 4999"
  [[ $tokens == *'rule 5000  line 1  col 12  "kwx12"'* ]] || fail "5,000 rules: longest match lost"
}

case_byte_classes() {
  # One rule per byte value, the byte itself between brackets; line feed and
  # carriage return are both "\n" and share the last rule.
  local b expected=() rule=0
  {
    printf '%%%%\n'
    for ((b = 0; b < 256; b++)); do
      [ $b -eq 10 ] || [ $b -eq 13 ] && continue
      case $b in
        # The reader pairs quotes and cuts ";" comments even inside brackets.
        34) printf '[\\"\\"] { x }\n' ;;
        39) printf "[\\\\'\\\\'] { x }\\n" ;;
        59) printf '";" { x }\n' ;;
        92 | 93 | 94 | 123) printf '[\\%b] { x }\n' "\\x$(printf %02x $b)" ;;
        *) printf '[%b] { x }\n' "\\x$(printf %02x $b)" ;;
      esac
    done
    printf '[\\n] { x }\n%%%%\n'
  } >bytes.lex
  generate_ok bytes.lex "256 byte values in classes of their own"
  for ((b = 0; b < 256; b++)); do printf '%b' "\\x$(printf %02x $b)"; done >"$scratch/all-bytes.txt"
  local tokens
  tokens=$("$scan" bytes.lex_lexerout.pbl "$scratch/all-bytes.txt" | grep -c '^rule ')
  [ "$tokens" -eq 256 ] || fail "byte classes: $tokens of 256 bytes matched a rule"
  # Each byte matched its own rule: rule numbers in byte order, 10 and 13 last.
  local rules
  rules=$("$scan" bytes.lex_lexerout.pbl "$scratch/all-bytes.txt" | awk '/^rule /{print $2}' | tr '\n' ' ')
  for ((b = 0; b < 256; b++)); do
    if [ $b -eq 10 ] || [ $b -eq 13 ]; then
      expected+=(254)
    else
      expected+=($rule)
      rule=$((rule + 1))
    fi
  done
  [ "$rules" = "${expected[*]} " ] || fail "byte classes: bytes matched the wrong rules"
}

case_unbalanced() {
  local i=0 text definition
  # Expression, message. Every one also sits in front of a valid rule.
  local -a cases=(
    '"abc" { x } "' "Garbage at the end of the line"
    '[abc { x }' "'[' without ']'"
    'abc] { x }' "']' without '['"
    '(abc { x }' "'(' without ')'"
    'abc) { x }' "')' without '('"
    '"a{" { x } [' "Garbage at the end of the line"
    '[z-a] { x }' "Error Line 2:"
    '<<EO { x }' "Error Line 2:"
  )
  for ((i = 0; i < ${#cases[@]}; i += 2)); do
    definition=unbalanced-$((i / 2)).lex
    printf '%%%%\n%s\n"ok" { y }\n%%%%\n' "${cases[i]}" >"$definition"
    old_output "${definition}_lexerout.pbl"
    generate_fails "$definition" "${cases[i + 1]}" "unbalanced: ${cases[i]}"
  done
  # An action still open at the end of the file.
  printf '%%%%\n"x" { a$ = "}\n%%%%\n' >open-action.lex
  old_output open-action.lex_lexerout.pbl
  generate_fails open-action.lex "'{' without '}'" "an action whose brace is quoted"
  # A quote left open swallows the action's braces up to the end of the file.
  printf '%%%%\n"abc { x }\n%%%%\n' >open-quote.lex
  old_output open-quote.lex_lexerout.pbl
  generate_fails open-quote.lex "'{' without '}'" "an expression quote left open"
  # Outside the rules, quotes and brackets are plain text.
  printf '; "[({\n%%%%\n"x" { a$ = "}" }\n%%%%\n"unclosed [ ( {\n' >plain.lex
  generate_ok plain.lex "unbalanced quotes outside the rules"
}

case_line_ends() {
  printf '; CR only\r%%%%\r"a" { ProcedureReturn 1 }\r[b]+ {\r ProcedureReturn 2 }\r%%%%\r' >cr.lex
  generate_ok cr.lex "CR-only line ends"
  printf '; mixed\r\n%%%%\n"a" { x }\r[b]+ { y }\r\n\n\r%%%%\n\r\n' >mixed.lex
  generate_ok mixed.lex "mixed line ends"
  printf '%%%%\r\n"a" { x }\n\r\r\n' >lone.lex
  generate_ok lone.lex "unterminated sections after mixed line ends"
}

case_input_paths() {
  mkdir definition.lex
  generate_fails definition.lex "Cannot open the definition file: definition.lex" \
    "a definition path that is a directory"
  generate_fails missing.lex "Cannot open the definition file: missing.lex" "a missing definition"
  run "$tarnwick" ""
  expect 2 "Parameter error" "an empty definition path"
}

case_unreadable_input() {
  if [ "$(id -u)" -eq 0 ]; then
    as_nobody && return 0
    [ $? -eq 77 ] || {
      fail "the run as an unprivileged user failed"
      return 0
    }
    echo "SKIP: running as root, which reads every file, and no unprivileged user to run as"
    return 77
  fi
  printf '%%%%\n"a" { x }\n' >secret.lex
  chmod 000 secret.lex
  generate_fails secret.lex "Cannot open the definition file: secret.lex" "an unreadable definition"
  chmod 644 secret.lex
}

case_output_paths() {
  printf '%%%%\n"a" { x }\n%%%%\n' >calc.lex
  generate_fails calc.lex "its directory is missing or not writable" \
    "an output in a missing directory" -o missing/out.pbl
  mkdir out.pbl
  printf 'inside\n' >out.pbl/keep.txt
  # Refused before anything is written, the runtime include included.
  generate_fails calc.lex "'out.pbl' names a directory, not an output file" \
    "an output path that is a directory" -o out.pbl
  # Leftover in-between files would show as a change in the snapshot above.
  local name
  for name in calc.lex ./calc.lex "$PWD/calc.lex"; do
    generate_fails calc.lex "The output would overwrite the definition file" \
      "the output naming the input as $name" -o "$name"
  done
  ln -s calc.lex link.lex
  ln calc.lex hard.lex
  generate_fails calc.lex "The output would overwrite the definition file" "a link" -o link.lex
  generate_fails calc.lex "The output would overwrite the definition file" "a hard link" \
    -o hard.lex
  generate_fails calc.lex "The output would overwrite the definition file" "the dot file" \
    -dot calc.lex
  generate_fails calc.lex "The output would overwrite the definition file" "the pdf file" \
    -pdf link.lex
  # Outputs keep their kind: a link is written through to its target, which
  # gets the include beside it; a device node (root only, never the real
  # /dev/null) is written into.
  mkdir target
  ln -s target/real.pbl linked.pbl
  run "$tarnwick" calc.lex -o linked.pbl
  expect 0 "Done! No errors!" "a symbolic link as the output"
  [ -L linked.pbl ] && grep -q __yylexerrun0 target/real.pbl && [ -e target/PBTarnwickInc.pbi ] ||
    fail "a symbolic link as the output was not written through"
  if [ "$(id -u)" -eq 0 ] && mknod null c 1 3; then
    run "$tarnwick" calc.lex -o null -dot null
    expect 0 "Done! No errors!" "a device node as the output"
    [ -c null ] || fail "a device node as the output was replaced by a file"
  fi
}

# Every kind of output name: directories refused, streams written into,
# permission bits kept, names up to the file system's limit; each with the
# include's presence and the old files' bytes checked.
case_output_names() {
  printf '%%%%\n"a" { x }\n%%%%\n' >calc.lex
  run "$tarnwick" calc.lex -o "$scratch/reference.pbl"
  expect 0 "Done! No errors!" "the reference run"
  mkdir dir
  ln -s dir dirlink
  ln -s /dev/null nulllink
  old_output calc.lex_lexerout.pbl

  # Names that can only mean a directory: refused before anything is
  # written, so no include appears and the old output keeps its bytes.
  local row name option
  for row in "-o dir" "-o dir/" "-o dirlink" "-o dirlink/" "-o missing/" "-o sub\\" \
    "-dot dir" "-pdf dirlink/"; do
    read -r option name <<<"$row"
    generate_fails calc.lex "'$name' names a directory, not an output file" \
      "$option naming a directory ($name)" "$option" "$name"
  done

  # Streams are written into, get no include, and change no file here.
  local streamed=$scratch/streamed.pbl log=$scratch/log.txt
  for row in "/dev/stdout stdout" "/dev/stderr stderr" "/dev/null none" "nulllink none"; do
    read -r name option <<<"$row"
    before=$(snapshot)
    case $option in
      stdout) "$tarnwick" calc.lex -o "$name" 2>"$log" | cat >"$streamed" ;;
      stderr) "$tarnwick" calc.lex -o "$name" 2>&1 >"$log" | cat >"$streamed" ;;
      none) "$tarnwick" calc.lex -o "$name" >"$log" 2>&1 && cp "$scratch/reference.pbl" "$streamed" ;;
    esac
    status=$?
    [ $status -eq 0 ] || fail "the output $name: status $status"
    cmp -s "$streamed" "$scratch/reference.pbl" || fail "the output $name: not the whole scanner"
    # The log stays out of the stream and keeps to the other one.
    grep -q "Done! No errors!" "$log" || fail "the output $name: no log beside it"
    unchanged "the output $name"
  done

  # A reader that leaves early: a failed write like any other, and the run's
  # scratch folder goes all the same.
  {
    printf '%%%%\n'
    local i
    for ((i = 0; i < 2000; i++)); do printf '"kw%d" { ProcedureReturn %d }\n' $i $i; done
  } >many.lex
  mkdir -p "$scratch/tmp"
  before=$(snapshot)
  TMPDIR=$scratch/tmp "$tarnwick" many.lex -o /dev/stdout 2>"$log" | head -c 10 >/dev/null
  status=${PIPESTATUS[0]}
  [ "$status" -eq 1 ] || fail "a reader that leaves early: status $status, expected 1"
  grep -q "Cannot write /dev/stdout" "$log" || fail "a reader that leaves early: $(tail -n 1 "$log")"
  [ -z "$(ls -A "$scratch/tmp")" ] || fail "a reader that leaves early: scratch files left"
  unchanged "a reader that leaves early"

  # A FIFO with a reader is written into and stays a FIFO.
  mkfifo fifo
  cat fifo >"$streamed" &
  local reader=$!
  before=$(snapshot)
  run "$tarnwick" calc.lex -o fifo
  expect 0 "Done! No errors!" "a FIFO as the output"
  wait $reader
  cmp -s "$streamed" "$scratch/reference.pbl" || fail "a FIFO as the output: not the whole scanner"
  [ -p fifo ] || fail "a FIFO as the output was replaced"
  unchanged "a FIFO as the output"

  # A replaced output keeps its permission bits; the include is placed.
  local mode
  for mode in 600 755 444; do
    old_output "mode$mode.pbl"
    chmod "$mode" "mode$mode.pbl"
    rm -f PBTarnwickInc.pbi
    run "$tarnwick" calc.lex -o "mode$mode.pbl"
    expect 0 "Done! No errors!" "an output of mode $mode"
    [ "$(stat -c %a "mode$mode.pbl")" = "$mode" ] || fail "an output of mode $mode became $(stat -c %a "mode$mode.pbl")"
    cmp -s "mode$mode.pbl" "$scratch/reference.pbl" || fail "an output of mode $mode was not replaced"
    [ -f PBTarnwickInc.pbi ] || fail "an output of mode $mode: no include"
  done

  # Names up to the file system's limit work, also when the in-between name
  # must be cut inside a run of two-byte characters.
  local limit long
  limit=$(getconf NAME_MAX .)
  for long in "$(repeat n $((limit - 4))).pbl" "$(repeat x $((limit % 2)))$(printf 'ä%.0s' $(seq $(((limit - 4) / 2)))).pbl"; do
    old_output "$long"
    rm -f PBTarnwickInc.pbi
    before=$(snapshot)
    run "$tarnwick" calc.lex -o "$long"
    expect 0 "Done! No errors!" "a name of ${#long} characters"
    cmp -s "$long" "$scratch/reference.pbl" || fail "a name of ${#long} characters was not replaced"
    unchanged_except "a name of ${#long} characters" "$long" PBTarnwickInc.pbi
    [ -f PBTarnwickInc.pbi ] || fail "a name of ${#long} characters: no include"
  done
  # One byte more is an error that names the file, and nothing changes.
  long=$(repeat n $((limit - 3))).pbl
  generate_fails calc.lex "$long" "a name past the limit" -o "$long"
}

# A temporary directory that belongs to another user (nobody, when running
# as root), who plants links under every scratch name a run could use:
# beforehand under the fixed names, and during the run under the names
# derived from what appears there, inside the run's folder too. The run
# must write through none of them, and nothing there but the run's own
# folder may change. A Graphviz stand-in holds the run until the planter has
# seen the folder.
case_temp_folder() {
  local -a other=()
  if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    other=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  fi
  local tmp watch bin
  tmp=$(mktemp -d) && watch=$(mktemp -d) || {
    fail "no temporary folders for the test"
    return
  }
  chmod 755 "$tmp" "$watch"
  [ ${#other[@]} -gt 0 ] && chown 65534:65534 "$tmp" "$watch"
  bin=$scratch/bin
  mkdir -p "$bin" victims out
  cp "$tarnwick" "$bin/" && cp "$(dirname "$tarnwick")/PBTarnwickInc.pbi" "$bin/" || {
    fail "cannot copy the program and its include"
    return
  }
  cat >"$bin/fake-dot" <<FAKE
#!/bin/sh
for a; do case \$a in -o*) out=\${a#-o} ;; esac; done
: >"$watch/graphviz-started"
i=0
until [ -e "$watch/planted" ] || [ \$i -ge 400 ]; do sleep 0.05; i=\$((i + 1)); done
printf '%%PDF- stand-in' >"\$out"
FAKE
  chmod +x "$bin/fake-dot"
  printf '[Global]\ngraphviz = %s\n' "$bin/fake-dot" >"$bin/Yarrowkit.ini"
  {
    printf '%%%%\n'
    local i
    for ((i = 0; i < 1500; i++)); do printf '"kw%d" { ProcedureReturn %d }\n' $i $i; done
    printf '%%%%\n'
  } >big.lex

  local names="tarnwick.pb tarnwick.dot tarnwick.pdf tarnwick.gv gv dot PBTarnwickInc.pbi"
  local n
  for n in $names; do
    printf 'victim %s\n' "$n" >"victims/$n"
    "${other[@]}" ln -s "$PWD/victims/$n" "$tmp/$n"
    "${other[@]}" ln -s "$PWD/victims/$n" "$tmp/tarnwick-$n"
  done
  local tmp_before
  tmp_before=$(cd "$tmp" && find . -printf '%p %y %l\n' | sort)

  # The planter: for every folder or file the run makes, links beside it
  # under the names a run derived from it once, and (as another user) inside
  # it; it reports what it saw in its own folder.
  "${other[@]}" bash -c '
    tmp=$1 watch=$2 victims=$3 names=$4 inside=$5
    deadline=$((SECONDS + 120))
    while [ ! -e "$watch/stop" ] && ((SECONDS < deadline)); do
      for entry in "$tmp"/tarnwick-*; do
        [ -L "$entry" ] && continue
        [ -e "$entry" ] || continue
        case " $(cat "$watch/seen" 2>/dev/null) " in *" $entry "*) continue ;; esac
        echo "$entry" >>"$watch/seen"
        stat -c "mode %a" "$entry" >>"$watch/report"
        for n in $names; do
          rm -f "$entry-$n" 2>/dev/null
          ln -s "$victims/$n" "$entry-$n" 2>/dev/null
          if [ "$inside" = 1 ] && ln -sf "$victims/$n" "$entry/$n" 2>/dev/null; then
            echo "planted inside $entry/$n" >>"$watch/report"
          fi
        done
      done
      [ -e "$watch/graphviz-started" ] && [ -s "$watch/seen" ] && : >"$watch/planted"
      sleep 0.005
    done' planter "$tmp" "$watch" "$PWD/victims" "$names" "$([ ${#other[@]} -gt 0 ] && echo 1)" &
  local planter=$!

  before=$(snapshot)
  TMPDIR=$tmp run "$bin/tarnwick" big.lex -o out/big.pbl -dot out/big.dot -pdf out/big.pdf
  : >"$watch/stop"
  wait $planter
  expect 0 "Done! No errors!" "a run in a temporary directory full of links"
  for n in $names; do
    [ "$(cat "victims/$n")" = "victim $n" ] || fail "a planted link was written through: $n"
  done
  grep -q __yylexerrun1499 out/big.pbl || fail "the scanner was not placed"
  [ "$(cat out/big.pdf)" = "%PDF- stand-in" ] || fail "the drawing was not placed"
  grep -q "digraph G" out/big.dot || fail "the graph was not placed"
  unchanged_except "a run in a temporary directory full of links" out out/big.pbl out/big.dot \
    out/big.pdf out/PBTarnwickInc.pbi
  if [ -e "$watch/planted" ]; then
    grep -q "^mode 700$" "$watch/report" || fail "the run's folder was not private: $(cat "$watch/report")"
    grep "^planted inside" "$watch/report" && fail "links could be planted inside the run's folder"
  else
    fail "the planter never saw the run's folder"
  fi
  # Only the run's own folder (and what the planter put beside it) came and went.
  local tmp_after
  tmp_after=$(cd "$tmp" && find . -printf '%p %y %l\n' | grep -v -F -f <(sed 's|.*/||' "$watch/seen" | sed 's|^|./|') | sort)
  [ "$tmp_after" = "$tmp_before" ] || {
    fail "the temporary directory changed"
    diff <(echo "$tmp_before") <(echo "$tmp_after") | head >&2
  }
  rm -rf "$tmp" "$watch"
}

case_readonly_output_dir() {
  if [ "$(id -u)" -eq 0 ]; then
    as_nobody && return 0
    [ $? -eq 77 ] || {
      fail "the run as an unprivileged user failed"
      return 0
    }
    echo "SKIP: running as root, which writes into read-only directories, and no unprivileged user to run as"
    return 77
  fi
  printf '%%%%\n"a" { x }\n%%%%\n' >calc.lex
  mkdir locked
  old_output locked/out.pbl
  chmod 555 locked
  generate_fails calc.lex "not writable" "an output in a read-only directory" -o locked/out.pbl
  chmod 755 locked
}

case_dfa_explosion() {
  {
    printf '%%%%\n(a|b)*a'
    repeat x 30 | sed 's/x/(a|b)/g'
    printf ' { ProcedureReturn 1 }\n%%%%\n'
  } >explode.lex
  old_output explode.lex_lexerout.pbl
  export TARNWICK_MAX_DFA_STATES=20000
  generate_fails explode.lex "The automaton grew past 20000 states (20001 states reached)" \
    "a DFA that explodes"
  unset TARNWICK_MAX_DFA_STATES
}

case_out_of_memory() {
  if [ -z "$memory_kb" ]; then
    echo "SKIP: the sanitizer's allocator cannot run under an address-space cap"
    return 77
  fi
  # A 1 MB literal needs about half a gigabyte of automata; 100 MB is too
  # little, and running out must end like any other generation error.
  { printf '%%%%\n"'; repeat a 1000000; printf '" { x }\n%%%%\n'; } >literal.lex
  old_output literal.lex_lexerout.pbl
  local saved=$memory_kb
  memory_kb=$((100 * 1024))
  generate_fails literal.lex "Out of memory" "memory running out"
  memory_kb=$saved
}

# A device that never ends, read until memory runs out.
case_endless_input() {
  if [ -z "$memory_kb" ]; then
    echo "SKIP: without an address-space cap this would take all the machine's memory"
    return 77
  fi
  local saved=$memory_kb
  memory_kb=$((300 * 1024))
  before=$(snapshot)
  run "$tarnwick" /dev/zero -o endless.pbl
  expect 1 "Out of memory" "an endless definition"
  run "$korvane" --install /dev/zero
  expect 1 "Can't open the file:" "an endless tool list"
  unchanged "an endless input"
  memory_kb=$saved
}

# A full disk, as a file size limit: writes past it fail with EFBIG once the
# signal that would otherwise end the process is ignored.
case_full_disk() {
  {
    printf '%%%%\n"key" { ProcedureReturn 1 }\n%%%%\n'
    yes 'Procedure P() : ProcedureReturn 1 : EndProcedure' | head -c 4000000
  } >big.lex
  old_output big.lex_lexerout.pbl
  { printf '[ToolsInfo]\nToolCount = 0\n'; yes 'Key = value value value' | head -c 4000000; } \
    >tools.prefs
  mkdir -p "$scratch/tmp"
  before=$(snapshot)
  (
    trap '' XFSZ
    ulimit -f 1024
    TMPDIR=$scratch/tmp run "$tarnwick" big.lex
    expect 1 "Cannot write the scanner file" "a full disk under the scanner"
    run "$korvane" --install tools.prefs
    expect 1 "Can't write the file:" "a full disk under the tool list"
    exit $failures
  ) || failures=$((failures + $?))
  unchanged "a full disk"
  [ -z "$(ls -A "$scratch/tmp")" ] || fail "a full disk: scratch files left in the temporary directory"
}

# The preview tool on files that are not, or no longer, generated scanners.
case_scan_inputs() {
  printf '%%%%\n"a" { x }\n[0-9]+ { y }\n%%%%\n' >small.lex
  generate_ok small.lex "a scanner to cut"
  printf 'a1' >input.txt
  mkdir folder.pbl
  : >empty.pbl
  garbage 4096 5 >garbage.pbl
  local size cut
  size=$(wc -c <small.lex_lexerout.pbl)
  for cut in 10 200 600; do head -c $((size - cut)) small.lex_lexerout.pbl >cut-$cut.pbl; done
  before=$(snapshot)
  run "$scan" folder.pbl input.txt
  expect 2 "cannot read" "a scanner path that is a directory"
  run "$scan" small.lex_lexerout.pbl folder.pbl
  expect 2 "cannot read" "an input path that is a directory"
  local file
  for file in empty.pbl garbage.pbl cut-10.pbl cut-200.pbl cut-600.pbl; do
    run "$scan" "$file" input.txt
    expect 3 "$file" "a damaged scanner: $file"
  done
  unchanged "the preview tool"
}

# The built-in limit itself: about half a minute and half a gigabyte in an
# optimised build, so only run on request.
case_dfa_default_limit() {
  {
    printf '%%%%\n(a|b)*a'
    repeat x 30 | sed 's/x/(a|b)/g'
    printf ' { ProcedureReturn 1 }\n%%%%\n'
  } >explode.lex
  old_output explode.lex_lexerout.pbl
  time_limit=$((time_limit * 20))
  generate_fails explode.lex "The automaton grew past 2000000 states (2000001 states reached)" \
    "a DFA that explodes past the built-in limit"
}

# ---- korvane-installer ------------------------------------------------------

# install_fails FILE TEXT DESCRIPTION: status 1 with the message; the folder
# unchanged (no backup or in-between file either).
install_fails() {
  local action
  for action in --install --uninstall; do
    before=$(snapshot)
    run "$korvane" "$action" "$1"
    expect 1 "$2" "$3 ($action)"
    unchanged "$3 ($action)"
  done
}

# install_round FILE DESCRIPTION: install then uninstall succeed, the file
# reads back as a tool list, and nothing but the file and its backup changed.
install_round() {
  before=$(snapshot)
  run "$korvane" --install "$1"
  expect 0 "Successfully install!" "$2 (install)"
  grep -q 'Korvane AFTER_EXE' "$1" || fail "$2: entries missing after install"
  run "$korvane" --uninstall "$1"
  expect 0 "Successfully uninstall!" "$2 (uninstall)"
  grep -q 'Korvane' "$1" && fail "$2: entries left after uninstall"
  unchanged_except "$2" "$1" "$1.bak"
}

case_prefs_files() {
  install_fails missing.prefs "Can't open the file:" "a missing tool list"
  mkdir folder.prefs
  install_fails folder.prefs "Can't open the file:" "a tool list path that is a directory"
  : >empty.prefs
  install_fails empty.prefs "File isn't the Tools.prefs:" "an empty tool list"
  garbage 4096 3 | tr -d '[' >garbage.prefs
  install_fails garbage.prefs "File isn't the Tools.prefs:" "binary garbage"

  printf '[ToolsInfo]\r\nToolCount = 1\0\r\n\0\0\0[Tool_0]\0\n[Tool_0]\rMenuItemName = x\0\r' \
    >nul.prefs
  install_round nul.prefs "NUL bytes and mixed line ends"
  printf '[ToolsInfo]\nToolCount = 99999999999999999999999999\n[Tool_5]\nMenuItemName = Korvane BEFORE_EXE\n' \
    >huge-count.prefs
  # Install and uninstall succeed; the count saturates, so the added entries
  # can lie beyond the numbers a later uninstall looks at.
  before=$(snapshot)
  run "$korvane" --install huge-count.prefs
  expect 0 "Successfully install!" "an absurd tool count (install)"
  run "$korvane" --uninstall huge-count.prefs
  expect 0 "Successfully uninstall!" "an absurd tool count (uninstall)"
  [ "$(wc -c <huge-count.prefs)" -lt 2000 ] || fail "an absurd tool count: the file grew"
  {
    printf '\xef\xbb\xbf\r\n[ToolsInfo]\r\nToolCount = 2\r\n[Tool_0]\r\nMenuItemName = a\r\n'
    yes 'Key = value value value value value value value value' | head -c 10000000
    printf '\r\n[Tool_1]\r\nMenuItemName = b\r\n'
  } >big.prefs
  install_round big.prefs "a 10 MB tool list"
  grep -q 'MenuItemName = b' big.prefs || fail "10 MB tool list: the last tool was lost"
}

case_prefs_permissions() {
  if [ "$(id -u)" -eq 0 ]; then
    as_nobody && return 0
    [ $? -eq 77 ] || {
      fail "the run as an unprivileged user failed"
      return 0
    }
    echo "SKIP: running as root, which reads and writes every file, and no unprivileged user to run as"
    return 77
  fi
  printf '[ToolsInfo]\nToolCount = 0\n' >secret.prefs
  chmod 000 secret.prefs
  install_fails secret.prefs "Can't open the file:" "an unreadable tool list"
  chmod 644 secret.prefs
  mkdir locked
  printf '[ToolsInfo]\nToolCount = 0\n' >locked/tools.prefs
  chmod 555 locked
  before=$(snapshot)
  run "$korvane" --install locked/tools.prefs
  expect 1 "Can't write the file:" "a tool list in a read-only directory"
  unchanged "a tool list in a read-only directory"
  chmod 755 locked
}

# Root reads and writes every file, so the permission cases run again as the
# unprivileged user "nobody" when the system allows it, in a folder of theirs.
as_nobody() {
  local tmp
  command -v setpriv >/dev/null || return 77
  local -a drop=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  "${drop[@]}" test -x "$tarnwick" -a -x "$korvane" -a -x "$scan" -a -r "$0" 2>/dev/null ||
    return 77
  tmp=$(mktemp -d) || return 77
  chmod 777 "$tmp"
  "${drop[@]}" bash "$0" "$case_name" "$tarnwick" "$korvane" "$scan" "$tmp" "$sanitized"
  local result=$?
  rm -rf "$tmp"
  return $result
}

if ! declare -F "case_$case_name" >/dev/null; then
  echo "unknown case: $case_name" >&2
  exit 2
fi
"case_$case_name"
result=$?
[ $result -eq 77 ] && exit 77
if [ $failures -gt 0 ]; then
  echo "$case_name: $failures failure(s)" >&2
  exit 1
fi
echo "$case_name: passed"
