#pragma once

#include "declfile/form_facts.h"
#include "host/safe_file_writer.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace formulario {

// The draft: what a working form holds while it is being filled, kept on disk
// so that typed work survives a crash. Each running program keeps its own
// draft file in the drafts folder; the next start offers those left behind.

enum class DraftOrigin { kNew, kModify };

struct DraftField {
    std::string name;
    std::string value;
    bool operator==(const DraftField&) const = default;
};

struct Draft {
    DraftOrigin origin = DraftOrigin::kNew;
    std::string sourceFile;  // the declaration a Modify page was opened from
    std::string formNumber;  // c1
    int annexRows = 0;
    std::vector<DraftField> fields;  // in the order of the page

    // The value of the field `name`, or nullptr when the draft has none.
    const std::string* Value(std::string_view name) const;
    bool operator==(const Draft&) const = default;
};

// A draft operation's failure is a CStatus of the drafts' causes
// (Cause::kDraftUnreadable to kUnsafeFolder, kNotWritten), which describes
// itself to the user in one Spanish sentence without a final full stop.

// Far above any form's draft (a full annex writes some 60 kB), so that a
// stray huge file is refused before it is read.
constexpr std::uintmax_t kMaxDraftBytes = std::uintmax_t{16} * 1024 * 1024;
inline constexpr std::string_view kTooLargeDraft = "demasiado grande";

// The most annex rows a form has.
constexpr int kMaxDraftAnnexRows = kMaxAnnexRows;

// True when the form has a field of that name with `annexRows` annex rows:
// the header, period and boxes, the row-count fields, and the annex cells
// f1<row>c<column> (columns 1 to 9).
bool IsFormField(std::string_view name, int annexRows);

// True for the fields a person types into: NIT, name, month and year of the
// period, the rectification boxes, the fine, interest and late charge, and
// the six entry columns of every annex row.
bool IsTypedField(std::string_view name);

// True when a typed field of the draft holds something.
bool HoldsTypedValues(const Draft& draft);

// True when both drafts hold the same typed values (a field missing from
// one counts as empty).
bool SameTypedValues(const Draft& a, const Draft& b);

// The draft file's text: a version line, the origin, source file, form
// number and row count, one line per field, and a closing line with the
// field count and a check of everything before it.
std::string DraftText(const Draft& draft);

// Reads a draft file's text with the care due to any file from disk: its
// version, completeness, check, every line, value and field name.
CResult<Draft> ReadDraftText(std::string_view text);

// A new name for the draft of a program that starts now: its start time and
// a random part, so that names sort by start and never repeat.
std::string NewDraftId();

// The drafts folder: each program's draft "borrador-<id>.txt" (with the
// temporary written on its way beside it), the lock "borrador-<id>.lock" the
// desktop holds while the program runs, the last draft set aside
// "descartado.txt" and the last damaged one "danado.txt".
class CDraftStore {
public:
    // The drafts of the program `ownId` in `folder` (UTF-8 path).
    CDraftStore(std::string folder, std::string ownId, FileWriter writer = WritePrivateFileWhole);

    const std::string& OwnId() const { return m_ownId; }
    std::string DraftPath(std::string_view id) const;
    std::string LockPath(std::string_view id) const;
    std::string BackupPath() const;
    std::string DamagedPath() const;

    // Makes the folder, readable by its owner only; refuses one that is a
    // link, not the user's own or writable by others, in which no draft is
    // kept then.
    CStatus Prepare();

    // Replaces the program's own draft, whole or not at all.
    CStatus Save(const Draft& draft);
    // Removes the program's own draft (nothing to keep any more).
    CStatus Remove();
    // Moves the program's own draft to the backup, replacing the previous one.
    CStatus SetAside() { return SetAside(m_ownId); }

    // The other programs' drafts in the folder, oldest first.
    std::vector<std::string> OtherIds() const;
    CResult<Draft> Load(std::string_view id) const;
    // Moves the draft `id` to the backup.
    CStatus SetAside(std::string_view id);
    // Moves the draft `id` to the damaged draft's place.
    CStatus SetAsideDamaged(std::string_view id);
    // Removes the draft `id` and any temporary its program left.
    CStatus Forget(std::string_view id);
    // Takes over another program's draft: it becomes this program's own draft,
    // and the other file goes.
    CStatus Adopt(std::string_view id, const Draft& draft);

private:
    CStatus MoveTo(std::string_view id, const std::string& target);

    std::string m_folder;
    std::string m_ownId;
    FileWriter m_writer;
    bool m_folderUnsafe = false;
};

}  // namespace formulario
