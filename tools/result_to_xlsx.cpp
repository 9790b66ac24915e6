// Writes a saved result list (CSV) as the workbook the result grid's spreadsheet item makes,
// for checking it in a spreadsheet application: result_to_xlsx RESULT.csv MODE OUT.xlsx, with
// MODE gymkhana, drag or circuit.
#include <cstdio>
#include <string>

#include "lists/result_file.h"
#include "reports/result_sheet.h"
#include "reports/xlsx_workbook.h"

int main(int argc, char** argv) {
    using namespace vantrel;
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s RESULT.csv gymkhana|drag|circuit OUT.xlsx\n", argv[0]);
        return 2;
    }
    const std::string modeName = argv[2];
    const RaceMode mode = modeName == "drag"      ? RaceMode::kDrag
                          : modeName == "circuit" ? RaceMode::kCircuit
                                                  : RaceMode::kGymkhana;
    ResultTable table(mode);
    if (const IoResult loaded = LoadResultFile(argv[1], table); !loaded) {
        std::fprintf(stderr, "%s\n", loaded.error.c_str());
        return 1;
    }
    const WorkbookOutcome out = WriteResultWorkbook(BuildResultSheet(table, mode), argv[3]);
    if (!out.ok) {
        std::fprintf(stderr, "message %d: %s\n", out.message, out.detail.c_str());
        return 1;
    }
    return 0;
}
