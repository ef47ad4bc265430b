#include "host/next_period.h"

#include "host/reopen.h"
#include "render/consult_page.h"

#include <charconv>

namespace formulario {

namespace {

std::optional<int> Number(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::string TwoDigits(int value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

std::optional<PeriodMonth> FollowingMonth(const PeriodDate& saved)
{
    const std::optional<int> month = Number(saved.Month()), year = Number(saved.Year());
    if (!month || !year || *month < 1 || *month > 12 || saved.Year().size() != 4)
        return std::nullopt;
    if (*month == 12)
        return PeriodMonth{"01", std::to_string(*year + 1)};
    return PeriodMonth{TwoDigits(*month + 1), std::string(saved.Year())};
}

Draft NextPeriodDraft(const Declaration& previous, const PeriodMonth& period)
{
    Draft draft;
    draft.origin = DraftOrigin::kNew;
    draft.annexRows = static_cast<int>(previous.rows.size());
    draft.fields = {{"c2", previous.nit}, {"c3", previous.name}, {"mes_ini", period.month}, {"anio_ini", period.year}};
    for (std::size_t i = 0; i < previous.rows.size(); ++i) {
        const std::string row = "f1" + std::to_string(i + 1) + "c";
        for (int column = 1; column <= 3; ++column)
            draft.fields.push_back(
                {row + std::to_string(column), previous.rows[i].cells[static_cast<std::size_t>(column - 1)]});
    }
    return draft;
}

std::optional<Declaration> ReadPreviousDeclaration(const std::string& path, HostUi& ui, CPageText& page)
{
    std::optional<Declaration> read;
    const PageBuilder keep = [&read](const Declaration& declaration, CPageText& built) {
        if (!BuildConsultPage(declaration, built))
            return false;
        read = declaration;
        return true;
    };
    if (!BuildReopenedPage(ReopenMode::kConsult, keep, path, ui, page))
        return std::nullopt;
    return read;
}

}  // namespace formulario
