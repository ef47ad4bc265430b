#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace formulario {

// The brand rows of the annex as a CSV file: a header line, then one line per
// row with brand, suggested price, taxable base, packages made, deductions A
// and B. Read as spreadsheets write it (see ReadBrandCsv); written with ";"
// and a decimal comma, in UTF-8 with a byte-order mark, lines ending in CRLF.

using BrandCells = std::array<std::string, 6>;

// A data line that was read: its line number in the file (the header is
// line 1) and its cells, the brand as the catalogue writes it and the
// amounts with a decimal point.
struct CsvBrandRow {
    int line = 0;
    BrandCells cells;
};

struct CsvRefusal {
    int line = 0;  // 0 for the file as a whole
    std::string reason;
};

struct BrandCsv {
    std::vector<CsvBrandRow> rows;     // the lines read, in file order
    std::vector<CsvRefusal> refusals;  // the lines refused, in file order
};

// Reads a CSV of brand rows: UTF-8 with or without a byte-order mark, or
// Windows-1252 when it is not valid UTF-8; "," or ";" as separator (";" when
// the header holds one); "." or "," as decimal mark, decided for the whole
// file ("," when an amount holds a comma); quoted fields with doubled quotes;
// CRLF, LF or CR line ends. A brand is the catalogue's text or its leading
// code; empty lines are skipped; missing trailing cells are empty. Refuses,
// each with its reason, a line with an unknown or no brand, more than six
// cells, an unclosed quote, and every row past the annex's most.
BrandCsv ReadBrandCsv(std::string_view bytes);

// The CSV text of `rows`, which a read gives back unchanged.
std::string BrandCsvText(const std::vector<BrandCells>& rows);

// One message naming every refused line (in line order) and its reason.
std::string RefusalMessage(std::vector<CsvRefusal> refusals);

}  // namespace formulario
