#include "host/next_period.h"

#include "host/reopen.h"
#include "render/consult_page.h"

#include <charconv>

namespace {

std::optional<int> Number(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// The person choosing the file, with the page of the check kept from view.
class PagelessUi : public HostUi {
public:
    explicit PagelessUi(HostUi& inner) : m_inner(inner) {}

    std::optional<std::string> AskDirectory(const std::string& initial) override
    {
        return m_inner.AskDirectory(initial);
    }
    std::optional<std::string> ChooseFile() override { return m_inner.ChooseFile(); }
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        m_inner.ShowMessage(text, caption);
    }
    void ShowWarning(const std::string& text) override { m_inner.ShowWarning(text); }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        return m_inner.AskYesNo(text, caption);
    }
    void ShowPage(const std::string&) override {}

private:
    HostUi& m_inner;
};

} // namespace

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
    draft.fields = {{"c2", previous.nit}, {"c3", previous.name}, {"mes_ini", period.month},
                    {"anio_ini", period.year}};
    for (std::size_t i = 0; i < previous.rows.size(); ++i) {
        const std::string row = "f1" + std::to_string(i + 1) + "c";
        for (int column = 1; column <= 3; ++column)
            draft.fields.push_back({row + std::to_string(column),
                                    previous.rows[i].cells[static_cast<std::size_t>(column - 1)]});
    }
    return draft;
}

std::optional<Declaration> ReadPreviousDeclaration(HostUi& ui, CPageText& page)
{
    std::optional<Declaration> read;
    const PageBuilder keep = [&read](const Declaration& declaration, CPageText& built) {
        if (!BuildConsultPage(declaration, built))
            return false;
        read = declaration;
        return true;
    };
    PagelessUi pageless(ui);
    if (!Reopen(ReopenMode::Consult, keep, pageless, page))
        return std::nullopt;
    return read;
}
