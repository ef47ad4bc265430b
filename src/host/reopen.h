#pragma once

#include "declfile/declaration.h"
#include "host/host_ui.h"
#include "render/page_text.h"

#include <functional>
#include <iosfwd>

// The two ways of reopening a saved declaration: read-only or for correction.
// They run the same steps and differ in the page they build and the wording
// of their messages.
enum class ReopenMode { Consult, Modify };

// Writes the page of a declaration; false when a value it needs is missing.
using PageBuilder = std::function<bool(const Declaration&, CPageText&)>;

// Lets the user choose a declaration file, reads the declaration from it
// (unsealed, parsed, checked to belong to form DRN-7316), builds its page with `build` and
// shows it in place of the current one. Every refusal is reported through
// `ui` and leaves the page shown as it was. The page is written into `page`,
// which the caller keeps from one reopen to the next so that its megabyte is
// reused rather than made anew. The reader's trace goes to `trace` when
// given. True when the page was shown.
bool Reopen(ReopenMode mode, const PageBuilder& build, HostUi& ui, CPageText& page,
            std::ostream* trace = nullptr);
