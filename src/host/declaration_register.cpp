#include "host/declaration_register.h"

#include "declfile/declaration.h"
#include "host/file_reader.h"
#include "host/output_directory.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <thread>
#include <tuple>

namespace formulario {

namespace {

constexpr int kRectificationBox = 2020;
constexpr int kTaxBox = 2029;

// The number a text of digits holds; 0 when it is not one.
int Number(std::string_view digits)
{
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size() ? value : 0;
}

std::string BoxText(const Declaration& declaration, int id)
{
    const std::string* value = declaration.Box(id);
    return value ? *value : std::string();
}

RegisterRow RowOf(const Declaration& declaration, const std::string& path)
{
    RegisterRow row;
    row.path = path;
    row.nit = declaration.nit;
    row.name = declaration.name;
    row.year = Number(declaration.from.Year());
    row.month = Number(declaration.from.Month());
    if (row.month < 1 || row.month > 12)
        row.year = row.month = 0;
    const std::string_view year = declaration.from.Year();
    const std::string_view shortYear = year.substr(year.size() > 2 ? year.size() - 2 : 0);
    row.declarationNumber = declaration.nit + std::string(kFormDirectory) + std::string(shortYear) +
                            std::string(declaration.from.Month()) + declaration.formNumber;
    row.formNumber = declaration.formNumber;
    row.presented = declaration.presented;
    row.tax = BoxText(declaration, kTaxBox);
    row.rectifies = BoxText(declaration, kRectificationBox);
    if (row.rectifies.find_first_not_of('0') == std::string::npos)
        row.rectifies.clear();  // the form writes "0" for none
    return row;
}

bool Unreadable(const RegisterRow& row)
{
    return row.mark == RegisterMark::kUnreadable;
}

bool InRegisterOrder(const RegisterRow& a, const RegisterRow& b)
{
    if (Unreadable(a) || Unreadable(b))
        return std::tuple(Unreadable(a), a.path) < std::tuple(Unreadable(b), b.path);
    return std::tuple(a.nit, a.year, a.month, PresentedDateKey(a.presented), a.formNumber, a.path) <
           std::tuple(b.nit, b.year, b.month, PresentedDateKey(b.presented), b.formNumber, b.path);
}

bool SamePeriod(const RegisterRow& a, const RegisterRow& b)
{
    return a.nit == b.nit && a.year == b.year && a.month == b.month && a.year != 0;
}

// Marks each run of rows of one NIT and period that holds more than one.
void MarkDuplicates(std::vector<RegisterRow>& rows)
{
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t end = first + 1;
        while (end < rows.size() && !Unreadable(rows[end]) && SamePeriod(rows[first], rows[end]))
            ++end;
        for (std::size_t i = first; end - first > 1 && i < end; ++i) {
            rows[i].mark = i == first ? RegisterMark::kOriginal : RegisterMark::kCorrection;
            rows[i].correction = static_cast<int>(i - first);
        }
        first = end;
    }
}

int MonthIndex(const RegisterRow& row)
{
    return row.year * 12 + row.month - 1;
}

RegisterRow Gap(const RegisterRow& maker, int monthIndex)
{
    RegisterRow gap;
    gap.nit = maker.nit;
    gap.name = maker.name;
    gap.year = monthIndex / 12;
    gap.month = monthIndex % 12 + 1;
    gap.mark = RegisterMark::kGap;
    return gap;
}

}  // namespace

std::string PresentedDateKey(const std::string& presented)
{
    if (presented.size() != 10)
        return presented;
    return presented.substr(6, 4) + presented.substr(3, 2) + presented.substr(0, 2);
}

RegisterRow ReadRegisterRow(const std::string& path)
{
    const auto unreadable = [&path](const CStatus& status) {
        RegisterRow row;
        row.path = path;
        row.reason = status.Describe();
        row.mark = RegisterMark::kUnreadable;
        return row;
    };
    const std::optional<std::string> sealed = ReadWholeFile(path);
    if (!sealed)
        return unreadable(Cause::kUnreadable);
    const CResult<Declaration> declaration = ReadSealedDeclaration(*sealed);
    return declaration.ok() ? RowOf(*declaration, path) : unreadable(declaration.status());
}

std::vector<RegisterRow> ReadRegisterRows(const std::vector<std::string>& files, RegisterProgress& progress)
{
    std::vector<RegisterRow> rows(files.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; !progress.cancelled && (i = next++) < files.size(); ++progress.read)
            rows[i] = ReadRegisterRow(files[i]);
    };
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 1; t < threads; ++t)
            workers.emplace_back(work);
        work();
    }
    return rows;
}

std::vector<RegisterRow> MarkRegister(std::vector<RegisterRow> rows)
{
    std::sort(rows.begin(), rows.end(), InRegisterOrder);
    MarkDuplicates(rows);
    std::vector<RegisterRow> marked;
    marked.reserve(rows.size());
    for (RegisterRow& row : rows) {
        const bool sameMaker = !marked.empty() && marked.back().nit == row.nit && marked.back().year != 0 &&
                               row.year != 0 && !Unreadable(row);
        for (int month = sameMaker ? MonthIndex(marked.back()) + 1 : 0; sameMaker && month < MonthIndex(row); ++month)
            marked.push_back(Gap(marked.back(), month));
        marked.push_back(std::move(row));
    }
    return marked;
}

}  // namespace formulario
