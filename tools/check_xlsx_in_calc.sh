#!/usr/bin/env bash
# Opens an exported result workbook the way an operator's spreadsheet would: LibreOffice Calc
# converts it headless to CSV with the cells as shown (formatted), and the CSV is printed.
# Needs libreoffice-calc-nogui (not installed by build.sh: too heavy for every machine).
#   tools/check_xlsx_in_calc.sh WORKBOOK.xlsx
#   tools/check_xlsx_in_calc.sh RESULT.csv gymkhana|drag|circuit   (writes the workbook first;
#                                                                   needs build/tools/result_to_xlsx)
set -euo pipefail
if ! command -v soffice >/dev/null; then
    echo "soffice not found: apt-get install libreoffice-calc-nogui" >&2
    exit 2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
book=$1
if [ $# -eq 2 ]; then
    tool=${BUILD_DIR:-build}/tools/result_to_xlsx
    book="$work/result.xlsx"
    "$tool" "$1" "$2" "$book"
fi
# Filter options: comma-separated, UTF-8 (76), first line 1, cells "as shown" (true).
HOME="$work" soffice --headless --calc --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true' \
    --outdir "$work" "$book" >/dev/null
cat "$work/$(basename "${book%.*}").csv"
