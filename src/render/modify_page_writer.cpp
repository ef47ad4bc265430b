#include "render/modify_page_writer.h"

#include "render/html_escape.h"

namespace formulario {

namespace {

constexpr std::string_view kReadOnlyStyle = "class='lectura' style='TEXT-ALIGN: right' readonly disabled";

}  // namespace

void CModifyPageWriter::PutInput(std::string_view name, std::string_view attributes,
                                 std::optional<std::string_view> value)
{
    m_tag.assign("<input name='").append(name).append("' id='").append(name).append("'");
    if (!attributes.empty())
        m_tag.append(" ").append(attributes);
    if (value)
        m_tag.append(" value='").append(EscapeHtml(*value)).append("'");
    m_tag.append(">");
    Put(m_tag);
}

bool CModifyPageWriter::PutComputedCell(int id, std::string_view cellAttributes, bool withMaxLength)
{
    const std::string* box = Box(id);
    if (!box)
        return false;
    const std::string name = BoxName(id);
    PutJoined("<td ", cellAttributes, ">");
    std::string attributes(kReadOnlyStyle);
    attributes.append(" onblur='validaciones(").append(name).append(")' size='23'");
    if (withMaxLength)
        attributes.append(" maxlength='13'");
    PutInput(name, attributes, ZeroSuppressed(*box));
    Put("</td>");
    return true;
}

bool CModifyPageWriter::PutComputedPair(int first)
{
    return PutComputedCell(first, "width='15%'") && PutComputedCell(first + 1, "width='15%'");
}

}  // namespace formulario
