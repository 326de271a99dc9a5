#!/usr/bin/env bash
# Reads a ctest JUnit report of the sanitizer build and sorts its failed tests.
# A test whose assertions all passed and whose only fault is LeakSanitizer's
# own tracer crashing at exit ("LeakSanitizer has encountered a fatal error",
# seen on heavily loaded machines) is a failure of the tool: its name is
# printed so that it can be run once more. Any other failure (an assertion, a
# leak report, an AddressSanitizer or UndefinedBehaviorSanitizer finding, a
# timeout) is named on stderr and makes the exit status 1.
set -euo pipefail
report=${1:?usage: sanitizer_triage.sh JUNIT.xml}
[ -r "$report" ] || { echo "no test report: $report" >&2; exit 1; }
awk '
  function judge() {
    if (status != "fail") return
    crash = index(text, "LeakSanitizer has encountered a fatal error") > 0
    passed = index(text, "[  PASSED  ]") > 0
    finding = text ~ /ERROR: (AddressSanitizer|LeakSanitizer: detected|UndefinedBehaviorSanitizer)|runtime error:|\[  FAILED  \]/
    if (crash && passed && !finding) print name
    else { print "not a tool crash: " name > "/dev/stderr"; bad = 1 }
  }
  /<testcase / {
    name = $0; sub(/.*<testcase name="/, "", name); sub(/".*/, "", name)
    status = $0; sub(/.* status="/, "", status); sub(/".*/, "", status)
    text = ""; open = 1; next
  }
  /<\/testcase>/ { if (open) judge(); open = 0; next }
  open { text = text "\n" $0 }
  END { exit bad }
' "$report"
