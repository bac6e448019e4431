#!/usr/bin/env bash
# The help document as built: a heading for every screen, named as its window caption names it;
# the contents' page numbers lead to the chapters and sections; the title page; and the layout tool's
# refusals of an input it cannot read and an output it cannot write.
#     HelpDocTest.sh REVORA-HELPDOC RV2016Help.pdf VERSION CHAPTER.md
set -u
tool=$1
pdf=$2
version=$3
chapter=$4
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

[ -s "$pdf" ] || { echo "FAIL: $pdf was not built"; exit 1; }
# A page's first line follows the form feed that ends the page before it.
pdftotext -enc UTF-8 -f 3 "$pdf" - | tr -d '\f' >"$work/body.txt" || { echo "FAIL: pdftotext cannot read $pdf"; exit 1; }
# The contents run from page 2 to the page before the first chapter's.
first=$(pdftotext -enc UTF-8 -layout -f 2 -l 2 "$pdf" - | grep -m 1 -F "Getting started" | grep -oE '[0-9]+[[:space:]]*$' | tr -d '[:space:]')
pdftotext -enc UTF-8 -layout -f 2 -l $(( ${first:-3} - 1 )) "$pdf" "$work/contents.txt"
pdftotext -enc UTF-8 -f 1 -l 1 "$pdf" "$work/title.txt"

# Screen | chapter (1) or section (2) | the heading the help gives it.
screens=(
  "main window|1|The main window: \"Revora 2016 Ver: $version\""
  "initialise all|2|Initialise All"
  "printer setup|2|Printer Setup"
  "desktop calculator|2|MS-Calculator"
  "about window|2|The \"About Revora 2016...\" window"
  "help window|2|The \"Revora Help\" window"
  "video window|2|The \"Video\" window"
  "quick tax|1|The \"QuickTax\" screen"
  "employee settings panel|1|The PAYE screens and their \"Setup\" panel"
  "monthly PAYE|1|The \"Monthly\" screen"
  "weekly PAYE|1|The \"Weekly\" and \"Fortnightly\" screens"
  "fortnightly PAYE|1|The \"Weekly\" and \"Fortnightly\" screens"
  "daily PAYE|1|The \"Daily\" screen"
  "annual PAYE|1|The \"Annual\" screen"
  "payroll run|1|The \"Payroll run\" screen"
  "Revora annual package|2|\"Revora : Annual Calculation\""
  "Revora monthly package|2|\"Revora : Monthly Calculation\""
  "Avanta annual package|2|\"Avanta : Annual Calculation\""
  "Avanta monthly package|2|\"Avanta : Monthly Calculation\""
  "company car|1|The \"Full use of Company Car\" screen"
  "travel allowance|1|The \"Travel Allowance\" screen"
  "loans|1|The \"Loans\" screen"
  "loan graph|2|The annual graph: \"Loan - Annual Graph\""
  "loan buster|1|The \"Loan Buster\" screen"
  "loan comparison|1|The \"Loan Comparison\" screen"
  "daily balance|1|The \"Daily Balance\" screen"
  "inflation|1|The \"Inflation\" screen"
  "report window|2|The report window"
  "export|2|Exporting a report"
  "direct printing|2|Printing straight to the printer"
  "databases and settings|1|Files and settings"
  "command-line companion|1|The command-line companion: revora-calc"
)

for row in "${screens[@]}"; do
    IFS='|' read -r name level heading <<<"$row"
    if ! grep -Fxq -- "$heading" "$work/body.txt"; then
        fail "$name: no heading \"$heading\""
        continue
    fi
    # The contents line ends in the chapter's or section's page; the heading must be on it.
    # A section's line begins with its dash.
    [ "$level" = 1 ] && line="$heading" || line="– $heading"
    page=$(grep -F -- "$line" "$work/contents.txt" | head -n 1 | grep -oE '[0-9]+[[:space:]]*$' | tr -d '[:space:]')
    if [ -z "$page" ]; then
        fail "$name: \"$heading\" is not in the contents"
        continue
    fi
    if ! pdftotext -enc UTF-8 -f "$page" -l "$page" "$pdf" - | tr -d '\f' | grep -Fxq -- "$heading"; then
        fail "$name: the contents give page $page, but \"$heading\" is not on it"
    fi
done

# The title page and the document's title.
for text in "Revora 2016 Help" "Version $version" "Tax year 1 March 2015 to 29 February 2016"; do
    grep -Fxq -- "$text" "$work/title.txt" || fail "title page: no \"$text\""
done
pdfinfo "$pdf" | grep -Eq '^Title:[[:space:]]+Revora 2016 Help$' || fail "the PDF's title is not \"Revora 2016 Help\""
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
[ "${pages:-0}" -ge 20 ] || fail "only ${pages:-0} pages: the chapters are missing"

# Refusals: one line naming the file, a non-zero status, and no document written.
missing="$work/no-such-chapter.md"
if "$tool" "$work/out.pdf" "Revora 2016 Help" "$version" "$chapter" "$missing" >"$work/out" 2>"$work/err"; then
    fail "a missing chapter was accepted"
fi
grep -Fq -- "$missing" "$work/err" || fail "the message for a missing chapter does not name it: $(cat "$work/err")"
[ ! -e "$work/out.pdf" ] || fail "a document was written although a chapter was missing"

printf 'No heading here.\n' >"$work/headless.md"
if "$tool" "$work/out.pdf" "Revora 2016 Help" "$version" "$work/headless.md" >"$work/out" 2>"$work/err"; then
    fail "a chapter without a heading was accepted"
fi
grep -Fq -- "$work/headless.md" "$work/err" || fail "the message for a chapter without a heading does not name it"

unwritable="$work/no-such-folder/RV2016Help.pdf"
if "$tool" "$unwritable" "Revora 2016 Help" "$version" "$chapter" >"$work/out" 2>"$work/err"; then
    fail "an output that cannot be written was reported as written"
fi
grep -Fq -- "$unwritable" "$work/err" || fail "the message for an unwritable output does not name it: $(cat "$work/err")"

if [ "$failures" -gt 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "help document: ${#screens[@]} headings, $pages pages"
