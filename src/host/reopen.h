#pragma once

#include "declfile/declaration.h"
#include "host/host_ui.h"
#include "render/page_text.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace formulario {

// The two ways of reopening a saved declaration: read-only or for correction.
// They run the same steps and differ in the page they build and the wording
// of their messages.
enum class ReopenMode { kConsult, kModify };

// Writes the page of a declaration; false when a value it needs is missing.
using PageBuilder = std::function<bool(const Declaration&, CPageText&)>;

// Reads the declaration from the chosen file `path` (unsealed, parsed,
// checked to belong to form DRN-7316) and builds its page with `build` into
// `page`, which the caller keeps from one reopen to the next so that its
// megabyte is reused rather than made anew. Every refusal is reported
// through `ui`. The reader's trace goes to `trace` when given. True when the
// page was built.
[[nodiscard]] bool BuildReopenedPage(ReopenMode mode, const PageBuilder& build, const std::string& path, HostUi& ui,
                                     CPageText& page, std::ostream* trace = nullptr);

// BuildReopenedPage, then shows the page in place of the current one; a
// refusal leaves the page shown as it was. True when the page was shown.
[[nodiscard]] bool Reopen(ReopenMode mode, const PageBuilder& build, const std::string& path, HostUi& ui,
                          CPageText& page, std::ostream* trace = nullptr);

}  // namespace formulario
