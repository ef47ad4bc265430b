#include "host/draft_store.h"

#include "declfile/crc.h"
#include "declfile/utf8.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <optional>
#include <random>
#include <unordered_set>

namespace formulario {

namespace {

constexpr std::string_view kSignature = "Formulario7316 borrador";
constexpr std::string_view kVersion = "1";
constexpr std::string_view kOriginKey = "origen";
constexpr std::string_view kSourceKey = "archivo";
constexpr std::string_view kNumberKey = "numero";
constexpr std::string_view kRowsKey = "renglones";
constexpr std::string_view kFieldKey = "campo";
constexpr std::string_view kEndKey = "fin";
constexpr std::string_view kOriginNew = "nuevo";
constexpr std::string_view kOriginModify = "modificar";

// The fields of the form outside the annex.
constexpr std::string_view kFixedFields[] = {
    "c1",      "c2",       "c3",         "c4",        "c5",        "c6",    "dia_ini", "mes_ini", "anio_ini", "dia_fin",
    "mes_fin", "anio_fin", "renglones1", "nrenglon1", "trenglon1", "v2",    "v3",      "c2007",   "c2008",    "c2009",
    "c2010",   "c2011",    "c2012",      "c2013",     "c2014",     "c2015", "c2016",   "c2017",   "c2018",    "c2019",
    "c2020",   "c2021",    "c2022",      "c2023",     "c2024",     "c2025", "c2026",   "c2027",   "c2028",    "c2029"};

constexpr std::string_view kTypedFixedFields[] = {"c2",    "c3",    "mes_ini", "anio_ini", "c2020",
                                                  "c2021", "c2024", "c2025",   "c2026"};

constexpr int kAnnexColumns = 9;  // 7 to 9 are the blank form's hidden columns
constexpr int kTypedAnnexColumns = 6;

// A whole number of decimal digits without a leading zero, within [1, max].
std::optional<int> PositiveNumber(std::string_view text, int max)
{
    if (text.empty() || text.size() > 3 || text.front() == '0')
        return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size() || number > max)
        return std::nullopt;
    return number;
}

struct AnnexCell {
    int row;
    int column;
};

// Row and column of an annex cell name "f1<row>c<column>".
std::optional<AnnexCell> ParseAnnexCell(std::string_view name)
{
    if (!name.starts_with("f1"))
        return std::nullopt;
    name.remove_prefix(2);
    const std::size_t c = name.find('c');
    if (c == std::string_view::npos)
        return std::nullopt;
    const auto row = PositiveNumber(name.substr(0, c), kMaxDraftAnnexRows);
    const auto column = PositiveNumber(name.substr(c + 1), kAnnexColumns);
    if (!row || !column)
        return std::nullopt;
    return AnnexCell{*row, *column};
}

void AppendEscaped(std::string& out, std::string_view value)
{
    for (char character : value) {
        switch (character) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += character;
        }
    }
}

std::optional<std::string> Unescaped(std::string_view text)
{
    std::string value;
    value.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\t' || text[i] == '\r')
            return std::nullopt;
        if (text[i] != '\\') {
            value += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\':
            value += '\\';
            break;
        case 'n':
            value += '\n';
            break;
        case 'r':
            value += '\r';
            break;
        case 't':
            value += '\t';
            break;
        default:
            return std::nullopt;
        }
    }
    if (!IsValidUtf8(value))
        return std::nullopt;
    return value;
}

std::string CheckText(std::string_view text)
{
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(ComputeCrc(text)));
    return hex;
}

// Walks the lines of a draft's text, each split at its first tab into a key
// and the rest.
class CLineReader {
public:
    explicit CLineReader(std::string_view text) : m_text(text) {}

    bool Next(std::string_view& key, std::string_view& rest)
    {
        if (m_text.empty())
            return false;
        const std::size_t end = m_text.find('\n');
        const std::string_view line = m_text.substr(0, end);
        m_text.remove_prefix(end == std::string_view::npos ? m_text.size() : end + 1);
        const std::size_t tab = line.find('\t');
        key = line.substr(0, tab);
        rest = tab == std::string_view::npos ? std::string_view{} : line.substr(tab + 1);
        m_hadTab = tab != std::string_view::npos;
        return true;
    }

    bool HadTab() const { return m_hadTab; }

private:
    std::string_view m_text;
    bool m_hadTab = false;
};

CStatus Damaged(std::string detail)
{
    return {Cause::kDamaged, std::move(detail)};
}

}  // namespace

const std::string* Draft::Value(std::string_view name) const
{
    const auto found =
        std::find_if(fields.begin(), fields.end(), [name](const DraftField& field) { return field.name == name; });
    return found == fields.end() ? nullptr : &found->value;
}

bool IsFormField(std::string_view name, int annexRows)
{
    if (std::find(std::begin(kFixedFields), std::end(kFixedFields), name) != std::end(kFixedFields))
        return true;
    const auto cell = ParseAnnexCell(name);
    return cell && cell->row <= annexRows;
}

bool IsTypedField(std::string_view name)
{
    if (std::find(std::begin(kTypedFixedFields), std::end(kTypedFixedFields), name) != std::end(kTypedFixedFields))
        return true;
    const auto cell = ParseAnnexCell(name);
    return cell && cell->column <= kTypedAnnexColumns;
}

bool HoldsTypedValues(const Draft& draft)
{
    return std::any_of(draft.fields.begin(), draft.fields.end(),
                       [](const DraftField& field) { return !field.value.empty() && IsTypedField(field.name); });
}

bool SameTypedValues(const Draft& a, const Draft& b)
{
    const auto covered = [](const Draft& one, const Draft& other) {
        for (const DraftField& field : one.fields) {
            if (!IsTypedField(field.name))
                continue;
            const std::string* there = other.Value(field.name);
            if (field.value != (there ? std::string_view(*there) : std::string_view()))
                return false;
        }
        return true;
    };
    return covered(a, b) && covered(b, a);
}

std::string DraftText(const Draft& draft)
{
    std::string text;
    text.reserve(64 + draft.fields.size() * 32);
    text.append(kSignature).append(" ").append(kVersion).append("\n");
    text.append(kOriginKey).append("\t");
    text.append(draft.origin == DraftOrigin::kModify ? kOriginModify : kOriginNew).append("\n");
    text.append(kSourceKey).append("\t");
    AppendEscaped(text, draft.sourceFile);
    text.append("\n").append(kNumberKey).append("\t");
    AppendEscaped(text, draft.formNumber);
    text.append("\n").append(kRowsKey).append("\t").append(std::to_string(draft.annexRows)).append("\n");
    for (const DraftField& field : draft.fields) {
        text.append(kFieldKey).append("\t").append(field.name).append("\t");
        AppendEscaped(text, field.value);
        text.append("\n");
    }
    const std::string check = CheckText(text);
    text.append(kEndKey).append("\t").append(std::to_string(draft.fields.size()));
    text.append("\t").append(check).append("\n");
    return text;
}

namespace {

// The body of a draft's text (everything before its closing line) and the
// field count the closing line gives, once the check of the body matches.
struct CheckedBody {
    std::string_view body;
    std::string_view count;
};

CResult<CheckedBody> CheckedBodyOf(std::string_view text)
{
    if (!text.ends_with('\n'))
        return Cause::kTruncated;
    const std::size_t endLine = text.rfind('\n', text.size() - 2) + 1;
    const std::string_view body = text.substr(0, endLine);
    CLineReader closing(text.substr(endLine, text.size() - endLine - 1));
    std::string_view key, rest;
    if (!closing.Next(key, rest) || key != kEndKey)
        return Cause::kTruncated;
    const std::size_t tab = rest.find('\t');
    if (tab == std::string_view::npos || rest.substr(tab + 1) != CheckText(body))
        return Damaged("la comprobación no coincide");
    return CheckedBody{body, rest.substr(0, tab)};
}

// The four header lines: origin, source file, form number and row count.
CStatus ReadHeader(CLineReader& lines, Draft& read)
{
    const std::string_view headerKeys[] = {kOriginKey, kSourceKey, kNumberKey, kRowsKey};
    std::string_view header[4];
    std::string_view key, rest;
    for (std::size_t i = 0; i < 4; ++i) {
        if (!lines.Next(key, rest) || key != headerKeys[i] || !lines.HadTab())
            return Damaged("falta " + std::string(headerKeys[i]));
        header[i] = rest;
    }
    if (header[0] == kOriginModify)
        read.origin = DraftOrigin::kModify;
    else if (header[0] != kOriginNew)
        return Damaged("origen desconocido");
    const auto source = Unescaped(header[1]);
    const auto number = Unescaped(header[2]);
    if (!source || !number)
        return Damaged("valor ilegible");
    read.sourceFile = *source;
    read.formNumber = *number;
    if (header[3] == "0")
        read.annexRows = 0;
    else if (const auto rows = PositiveNumber(header[3], kMaxDraftAnnexRows))
        read.annexRows = *rows;
    else
        return Damaged("número de renglones");
    return {};
}

// One line per field, each naming a field of the form once.
CStatus ReadFields(CLineReader& lines, Draft& read)
{
    std::unordered_set<std::string_view> seen;
    std::string_view key, rest;
    while (lines.Next(key, rest)) {
        const std::size_t nameEnd = rest.find('\t');
        if (key != kFieldKey || nameEnd == std::string_view::npos)
            return Damaged("línea desconocida");
        const std::string_view name = rest.substr(0, nameEnd);
        if (!IsFormField(name, read.annexRows))
            return {Cause::kUnknownField, IsValidUtf8(name) ? std::string(name) : "?"};
        if (!seen.insert(name).second)
            return Damaged("casilla repetida");
        auto value = Unescaped(rest.substr(nameEnd + 1));
        if (!value)
            return Damaged("valor ilegible");
        read.fields.push_back({std::string(name), std::move(*value)});
    }
    return {};
}

}  // namespace

CResult<Draft> ReadDraftText(std::string_view text)
{
    if (text.size() > kMaxDraftBytes)
        return Damaged(std::string(kTooLargeDraft));
    const std::string_view firstLine = text.substr(0, text.find('\n'));
    const std::string signature = std::string(kSignature) + " ";
    if (!firstLine.starts_with(signature))
        return Damaged("no es un borrador");
    if (firstLine.substr(signature.size()) != kVersion)
        return {Cause::kOtherVersion, std::string(firstLine.substr(signature.size(), 20))};

    const CResult<CheckedBody> checked = CheckedBodyOf(text);
    if (!checked.ok())
        return checked.status();
    Draft read;
    CLineReader lines(checked->body.substr(firstLine.size() + 1));
    for (CStatus (*step)(CLineReader&, Draft&) : {ReadHeader, ReadFields})
        if (CStatus status = step(lines, read); !status.ok())
            return status;
    if (checked->count != std::to_string(read.fields.size()))
        return Damaged("número de casillas");
    return read;
}

std::string NewDraftId()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::random_device random;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(random()));
    return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()) + "-" + hex;
}

}  // namespace formulario
