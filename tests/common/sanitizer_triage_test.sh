#!/usr/bin/env bash
# The triage of a sanitizer run: only a test that passed and then lost
# LeakSanitizer's tracer is run again; every finding fails the run.
set -u
triage=${1:?}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fails=0

case_() {  # case_ NAME STATUS OUTPUT...
    local name=$1 status=$2; shift 2
    printf '\t<testcase name="%s" classname="%s" time="0.1" status="%s">\n\t\t<system-out>' \
        "$name" "$name" "$status"
    printf '%s\n' "$@"
    printf '</system-out>\n\t</testcase>\n'
}
report() { { echo '<?xml version="1.0" encoding="UTF-8"?>'; echo '<testsuite name="(empty)">'; cat; echo '</testsuite>'; } > "$dir/j.xml"; }
expect() {  # expect WHAT STATUS RERUN
    local out rc
    out=$(bash "$triage" "$dir/j.xml" 2>/dev/null); rc=$?
    if [ "$rc" != "$2" ] || [ "$out" != "$3" ]; then
        echo "FAILED: $1: exit $rc (want $2), rerun '$out' (want '$3')"; fails=1
    fi
}

passed='[  PASSED  ] 1 test.'
tracer='Tracer caught signal 11: addr=0x0 pc=0x1 sp=0x2'
fatal='==7==LeakSanitizer has encountered a fatal error.'

report <<X
$(case_ A.Ok run "$passed")
$(case_ Pdf.Tracer fail "$passed" "$tracer" "$fatal")
$(case_ B.Tracer fail "$passed" "$fatal")
X
expect "tool crashes only" 0 $'Pdf.Tracer\nB.Tracer'

for finding in '==7==ERROR: LeakSanitizer: detected memory leaks' \
               '==7==ERROR: AddressSanitizer: heap-use-after-free' \
               'x.cpp:3:5: runtime error: signed integer overflow' \
               '[  FAILED  ] A.Bad'; do
    report <<X
$(case_ Pdf.Tracer fail "$passed" "$fatal")
$(case_ A.Bad fail "$passed" "$finding" "$fatal")
X
    expect "$finding" 1 "Pdf.Tracer"
done

report <<X
$(case_ A.Cut fail "[ RUN      ] A.Cut" "$fatal")
$(case_ A.Timeout fail "[ RUN      ] A.Timeout")
X
expect "crash before the test passed, timeout" 1 ""

report <<X
$(case_ A.Ok run "$passed")
X
expect "nothing failed" 0 ""

[ "$fails" = 0 ] && echo "sanitizer triage: all cases passed"
exit "$fails"
