#pragma once

#include "host/host_ui.h"
#include "render/node_list.h"
#include "render/page_text.h"

#include <functional>
#include <iosfwd>

// The two ways of reopening a saved declaration: read-only or for correction.
// They run the same steps and differ in the page they build and the wording
// of their messages.
enum class ReopenMode { Consult, Modify };

// Writes the page of a parsed declaration; false when a value is missing.
using PageBuilder = std::function<bool(const CNodeList&, CPageText&)>;

// Lets the user choose a declaration file, reads, unseals and parses it,
// checks that it belongs to form DRN-7316, builds its page with `build` and
// shows it in place of the current one. Every refusal is reported through
// `ui` and leaves the page shown as it was. The page is written into `page`,
// which the caller keeps from one reopen to the next so that its megabyte is
// reused rather than made anew. The reader's trace goes to `trace` when
// given. True when the page was shown.
bool Reopen(ReopenMode mode, const PageBuilder& build, HostUi& ui, CPageText& page,
            std::ostream* trace = nullptr);
