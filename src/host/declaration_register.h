#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

namespace formulario {

// What the register says of a row beside its values.
enum class RegisterMark {
    kNone,        // the one declaration of its NIT and period
    kOriginal,    // the first presented of two or more of one NIT and period
    kCorrection,  // a later one of them
    kGap,         // no declaration of this month, between the NIT's first and last
    kUnreadable,  // a file that does not unseal or read as a declaration
};

// One declaration data file as the register lists it, read from the file
// itself; or a month missing from a NIT's filings. Texts are as saved.
struct RegisterRow {
    std::string path;  // empty for a gap
    std::string nit;
    std::string name;
    int year = 0;  // of the period; 0 when the file does not say
    int month = 0;
    std::string declarationNumber;
    std::string formNumber;
    std::string presented;  // FECPRE, "dd/mm/yyyy"
    std::string tax;        // box 2029
    std::string rectifies;  // box 2020, empty when it is none
    std::string reason;     // why the file could not be read; empty when it was
    RegisterMark mark = RegisterMark::kNone;
    int correction = 0;  // 1, 2, … among the corrections of one NIT and period
};

// Reads the declaration in the file at `path` as reopening it does (read
// whole, unsealed, parsed, checked to be form DRN-7316) into a row; a file
// that does not read is a row with the reason and the mark kUnreadable.
RegisterRow ReadRegisterRow(const std::string& path);

// A date presented, "dd/mm/yyyy", as "yyyymmdd", which sorts by date; any
// other text as it is.
std::string PresentedDateKey(const std::string& presented);

// How far a reading of many files has come, and whether to stop it; shared
// between the thread that reads and the one that watches.
struct RegisterProgress {
    std::atomic<std::size_t> read{0};
    std::atomic<bool> cancelled{false};
};

// Reads every file into a row, in `files` order, on as many threads as the
// machine has cores. Stops early when cancelled, the rows then incomplete.
std::vector<RegisterRow> ReadRegisterRows(const std::vector<std::string>& files, RegisterProgress& progress);

// The rows in the register's order (by NIT, period, date presented, form
// number and path; unreadable files last, by path) with their marks: two or
// more declarations of one NIT and period are the original, the first
// presented, and its corrections; a gap row stands for each month missing
// between a NIT's first and last period.
std::vector<RegisterRow> MarkRegister(std::vector<RegisterRow> rows);

}  // namespace formulario
