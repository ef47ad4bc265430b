#pragma once

#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <utility>

namespace formulario {

// Far above any declaration file (a full one is under 100 kB): a larger
// file, or stream, is refused before it is read.
inline constexpr std::uintmax_t kMaxDeclarationFileBytes = std::uintmax_t{4} * 1024 * 1024;

// Every way an operation of the core can fail, one cause per thing a caller
// or a person tells apart.
enum class Cause : unsigned char {
    kNone,
    // Unsealing a declaration file.
    kCheckMismatch,
    kTooShort,
    kNoMemory,
    kOutsideAlphabet,
    kWrongPadding,
    kTextAfterPadding,
    kGroupCutShort,
    kBitsLeftOver,
    kNoMemoryToDecode,
    // Reading a declaration file.
    kUnreadable,
    kNotRegularFile,
    kFileTooLarge,
    // The declaration the XML holds (the detail names the element).
    kNoFormCode,
    kNoVersion,
    kOtherForm,
    kMissingValue,
    kBadValue,
    // Sealing.
    kEmptyKey,
    kNothingToSeal,
    kNotWindows1252,  // the detail lists the characters
    // Writing a file (the detail is its path).
    kNotCreated,
    kNotWritten,
    // Drafts (the detail is a file, a folder or what is wrong).
    kDraftUnreadable,
    kOtherVersion,
    kTruncated,
    kDamaged,
    kUnknownField,
    kNotMoved,
    kUnsafeFolder,
};

// How an operation went: ok, or the cause of its failure and a detail, which
// together describe themselves.
class [[nodiscard]] CStatus {
public:
    CStatus() = default;
    CStatus(Cause cause, std::string detail = {}) : m_cause(cause), m_detail(std::move(detail)) {}

    bool ok() const { return m_cause == Cause::kNone; }
    Cause cause() const { return m_cause; }
    const std::string& detail() const { return m_detail; }

    // The unsealing code the command line exits with: 0 ok, 1 check digits,
    // 2 too short, 3 memory, 4 not a sealed text, 5 unreadable (no such file,
    // not a regular file, or too large); 1 for any other failure.
    int Code() const;

    // In words: English for the file's own faults (what the command line
    // says), Spanish for the drafts (what the window says), without a final
    // full stop; "ok" when ok.
    std::string Describe() const;

    friend bool operator==(const CStatus&, const CStatus&) = default;

private:
    Cause m_cause = Cause::kNone;
    std::string m_detail;
};

// A value, or the status saying why there is none.
template <typename T> class [[nodiscard]] CResult {
public:
    CResult(T value) : m_value(std::move(value)) {}
    // `status` is a failure.
    CResult(CStatus status) : m_status(std::move(status)) {}
    CResult(Cause cause, std::string detail = {}) : m_status(cause, std::move(detail)) {}

    bool ok() const { return m_value.has_value(); }
    const CStatus& status() const { return m_status; }

    // Only when ok.
    T& value() & { return *m_value; }
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    T& operator*() & { return *m_value; }
    const T& operator*() const& { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }

private:
    CStatus m_status;
    std::optional<T> m_value;
};

// Runs `work` (which returns a CStatus or a CResult), giving `onNoMemory`
// instead when memory runs out on the way: the one place the core meets
// std::bad_alloc.
template <typename Work> auto WithinMemory(Cause onNoMemory, Work work) -> decltype(work())
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return CStatus(onNoMemory);
    }
}

}  // namespace formulario
