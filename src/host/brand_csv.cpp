#include "host/brand_csv.h"

#include "declfile/declaration.h"
#include "declfile/utf8.h"
#include "declfile/windows1252.h"
#include "render/brand_catalogue.h"

#include <algorithm>
#include <optional>

namespace formulario {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char kWrittenSeparator = ';';
constexpr std::array<std::string_view, 6> kHeadings = {"Marca",      "Precio sugerido", "Base imponible",
                                                       "Fabricados", "Inciso A",        "Inciso B"};

// One record of the file: the line it starts on and its fields.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
    bool unclosedQuote = false;
};

std::string DecodedText(std::string_view bytes)
{
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

// ";" when the first line holds one outside quotes, else ",".
char SeparatorOf(std::string_view text)
{
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == ';')
            return ';';
    }
    return ',';
}

std::vector<CsvRecord> RecordsOf(std::string_view text, char separator)
{
    std::vector<CsvRecord> records;
    CsvRecord record{1, {std::string()}};
    int line = 1;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            record.fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++line;
            if (quoted) {
                record.fields.back() += '\n';
                continue;
            }
            records.push_back(std::move(record));
            record = CsvRecord{line, {std::string()}};
        } else if (c == separator && !quoted) {
            record.fields.emplace_back();
        } else {
            record.fields.back() += c;
        }
    }
    record.unclosedQuote = quoted;
    records.push_back(std::move(record));
    return records;
}

std::string Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

bool IsEmpty(const CsvRecord& record)
{
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return Trimmed(field).empty(); });
}

// The catalogue entry `brand` names, by its whole text or its leading code.
std::optional<std::string_view> CatalogueBrand(std::string_view brand)
{
    for (std::string_view entry : kBrandCatalogue) {
        if (entry.empty())
            break;
        if (entry == brand || entry.substr(0, entry.find(' ')) == brand)
            return entry;
    }
    return std::nullopt;
}

// The reason a data record cannot be an annex row, or nothing.
std::optional<std::string> RecordProblem(const CsvRecord& record, int rowsBefore)
{
    if (record.unclosedQuote)
        return "tiene comillas sin cerrar";
    for (std::size_t k = kHeadings.size(); k < record.fields.size(); ++k)
        if (!Trimmed(record.fields[k]).empty())
            return "tiene más de seis columnas";
    if (rowsBefore >= kMaxAnnexRows)
        return "el anexo no admite más de " + std::to_string(kMaxAnnexRows) + " renglones";
    const std::string brand = Trimmed(record.fields[0]);
    if (brand.empty())
        return "no tiene marca";
    if (!CatalogueBrand(brand))
        return "la marca «" + brand + "» no está en el catálogo";
    return std::nullopt;
}

bool HoldsDecimalComma(const std::vector<CsvRecord>& records)
{
    for (std::size_t i = 1; i < records.size(); ++i)
        for (std::size_t k = 1; k < std::min(records[i].fields.size(), kHeadings.size()); ++k)
            if (records[i].fields[k].find(',') != std::string::npos)
                return true;
    return false;
}

CsvBrandRow RowOf(const CsvRecord& record, bool decimalComma)
{
    CsvBrandRow row{record.line, {}};
    row.cells[0] = std::string(*CatalogueBrand(Trimmed(record.fields[0])));
    for (std::size_t k = 1; k < std::min(record.fields.size(), kHeadings.size()); ++k) {
        row.cells[k] = Trimmed(record.fields[k]);
        if (decimalComma)
            std::replace(row.cells[k].begin(), row.cells[k].end(), ',', '.');
    }
    return row;
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of("\";\r\n") == std::string_view::npos && Trimmed(text) == text)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text)
        quoted.append(c == '"' ? 2 : 1, c);
    return quoted + '"';
}

}  // namespace

BrandCsv ReadBrandCsv(std::string_view bytes)
{
    const std::string text = DecodedText(bytes);
    std::vector<CsvRecord> records = RecordsOf(text, SeparatorOf(text));
    std::erase_if(records, IsEmpty);
    BrandCsv result;
    if (records.empty()) {
        result.refusals.push_back({0, "el archivo no tiene renglones de marcas"});
        return result;
    }
    if (CatalogueBrand(Trimmed(records.front().fields[0])))
        result.refusals.push_back({records.front().line, "la primera línea debe ser la de los títulos"});
    const bool decimalComma = HoldsDecimalComma(records);
    int rowsRead = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (std::optional<std::string> problem = RecordProblem(records[i], rowsRead))
            result.refusals.push_back({records[i].line, std::move(*problem)});
        else
            result.rows.push_back(RowOf(records[i], decimalComma));
        ++rowsRead;
    }
    if (result.rows.empty() && result.refusals.empty())
        result.refusals.push_back({0, "el archivo no tiene renglones de marcas"});
    return result;
}

std::string BrandCsvText(const std::vector<BrandCells>& rows)
{
    std::string text(kByteOrderMark);
    const auto line = [&text](const auto& cells, bool amounts) {
        for (std::size_t k = 0; k < cells.size(); ++k) {
            std::string cell(cells[k]);
            if (amounts && k > 0)
                std::replace(cell.begin(), cell.end(), '.', ',');
            text += (k ? std::string(1, kWrittenSeparator) : std::string()) + CsvField(cell);
        }
        text += "\r\n";
    };
    line(kHeadings, false);
    for (const BrandCells& row : rows)
        line(row, true);
    return text;
}

std::string RefusalMessage(std::vector<CsvRefusal> refusals)
{
    std::stable_sort(refusals.begin(), refusals.end(),
                     [](const CsvRefusal& a, const CsvRefusal& b) { return a.line < b.line; });
    std::string message = "Error:\nNo se importó ninguna marca; el anexo queda como estaba.";
    for (const CsvRefusal& refusal : refusals)
        message +=
            (refusal.line ? "\nLínea " + std::to_string(refusal.line) + ": " : std::string("\n")) + refusal.reason;
    return message;
}

}  // namespace formulario
