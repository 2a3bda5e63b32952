#!/usr/bin/env bash
# The readouts tool: answers valid lines, names malformed ones by line
# number on standard error, and fails at the end when any line was bad.
set -u
tool=$1
fail=0
check() {  # description, condition
  if eval "$2"; then echo "ok - $1"; else echo "not ok - $1"; fail=1; fi
}

out=$(printf '51 102 153\n0 0 0\n' | "$tool"); status=$?
check "valid lines are answered" \
  '[ "$out" = "51,102,153 #336699 210,67,60 67,33,0,40 34,68,102 44,88,133 white
0,0,0 #000000 0,0,0 0,0,0,100 0,0,0 0,0,0 white" ] && [ $status -eq 0 ]'

err=$(printf '1 2 3\n256 0 0\nred green blue\n4 5\n  7\t8 9 \n1 2 3 4\n\n' | "$tool" 2>&1 >/tmp/readouts_out.$$); status=$?
out=$(cat /tmp/readouts_out.$$); rm -f /tmp/readouts_out.$$
check "malformed lines make the exit status non-zero" '[ $status -ne 0 ]'
check "valid lines among bad ones are still answered, blanks tolerated" \
  '[ "$(echo "$out" | cut -d" " -f1 | tr "\n" " ")" = "1,2,3 7,8,9 " ]'
for n in 2 3 4 6 7; do
  check "line $n is reported" 'echo "$err" | grep -q "line $n:"'
done
check "good lines are not reported" '! echo "$err" | grep -q -E "line (1|5):"'

out=$(printf '10 20 30' | "$tool")
check "a last line without a newline is answered" '[ "${out%% *}" = "10,20,30" ]'

[ $fail -eq 0 ] && echo "readouts tool: all checks passed"
exit $fail
