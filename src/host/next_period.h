#pragma once

#include "declfile/declaration.h"
#include "host/draft_store.h"
#include "host/host_ui.h"
#include "render/page_text.h"

#include <optional>
#include <string>

namespace formulario {

// Starting a new declaration from the one of an earlier month.

// A month of a period, as the form's month and year boxes hold it ("01", "2014").
struct PeriodMonth {
    std::string month;
    std::string year;
};

// The month after the one a declaration's period starts in (December 2013
// gives January 2014); nothing when the saved period is no month and year.
std::optional<PeriodMonth> FollowingMonth(const PeriodDate& saved);

// What the blank form is filled with to start the declaration of `period`
// from `previous`: its NIT and name, and the brand, price and base of every
// annex row, in order. The form gives it its own number; everything else
// stays empty for the person to type.
Draft NextPeriodDraft(const Declaration& previous, const PeriodMonth& period);

// Reads the earlier declaration the person chose, `path`, exactly as Consult
// reads it, with the same refusals and messages; shows no page. `page` is
// the room the check's page is built in.
std::optional<Declaration> ReadPreviousDeclaration(const std::string& path, HostUi& ui, CPageText& page);

}  // namespace formulario
