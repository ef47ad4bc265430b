#include "declfile/status.h"

#include <iterator>
#include <string_view>

namespace formulario {

namespace {

struct Meaning {
    int code;
    std::string_view text;  // the detail follows it, when there is one
};

// By Cause, in its order.
constexpr Meaning kMeanings[] = {
    {0, "ok"},
    {1, "the check digits do not match the declaration (the file was changed or sealed with other keys)"},
    {2, "too short to hold a declaration"},
    {3, "not enough memory to unseal it"},
    {4, "not a sealed declaration text (a character outside the alphabet)"},
    {4, "not a sealed declaration text (wrong padding)"},
    {4, "not a sealed declaration text (text after the padding)"},
    {4, "not a sealed declaration text (its last group is cut short)"},
    {4, "not a sealed declaration text (bits left over after the last byte)"},
    {4, "not enough memory to decode it"},
    {5, "cannot be read"},
    {5, "cannot be read: not a regular file (a folder, a FIFO or a device)"},
    {5, "cannot be read: larger than any declaration file (over 4 MiB)"},
    {1, "no CODIGO_FORMULARIO element"},
    {1, "no NUMERO_VERSION element"},
    {1, "the declaration of another form"},
    {1, "lacks "},
    {1, "a value too long or with a control character in "},
    {1, "the cipher key is empty"},
    {1, "the declaration is empty"},
    {1, "characters Windows-1252 cannot write: "},
    {1, "No pudo crearse el archivo "},
    {1, "No pudo escribirse el archivo "},
    {1, "No pudo leerse el archivo "},
    {1, "Fue guardada por otra versión del programa"},
    {1, "Su archivo está incompleto"},
    {1, "Su archivo está dañado"},
    {1, "Nombra una casilla que el formulario no tiene: "},
    {1, "No pudo apartarse el archivo "},
    {1, "La carpeta "},
};
static_assert(std::size(kMeanings) == static_cast<std::size_t>(Cause::kUnsafeFolder) + 1);

const Meaning& MeaningOf(Cause cause)
{
    return kMeanings[static_cast<std::size_t>(cause)];
}

}  // namespace

int CStatus::Code() const
{
    return MeaningOf(m_cause).code;
}

std::string CStatus::Describe() const
{
    const std::string text(MeaningOf(m_cause).text);
    switch (m_cause) {
    case Cause::kOtherVersion:
    case Cause::kTruncated:
        return text;
    case Cause::kDamaged:
        return text + " (" + m_detail + ")";
    case Cause::kUnknownField:
        return text + m_detail.substr(0, 40);
    case Cause::kUnsafeFolder:
        return text + m_detail + " es un enlace o no es solo suya; no se guardan borradores en ella";
    default:
        return text.ends_with(' ') ? text + m_detail : text;
    }
}

}  // namespace formulario
