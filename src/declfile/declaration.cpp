#include "declfile/declaration.h"

#include "declfile/declaration_values.h"
#include "declfile/seal_codec.h"
#include "declfile/xml_reader.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace formulario {

std::string_view PeriodDate::Slice(std::size_t position, std::size_t count) const
{
    return std::string_view(text).substr(std::min(position, text.size()), count);
}

const std::string* Declaration::Box(int id) const
{
    const auto found = boxes.find(id);
    return found == boxes.end() ? nullptr : &found->second;
}

namespace {

// The boxes of a node list by quoted ID, each the record FindByAttribute
// would find: one walk of the list instead of one per box.
class CBoxIndex {
public:
    explicit CBoxIndex(const CNodeList& nodes)
    {
        for (const CNode& node : nodes)
            if (node.attributeName == "ID")
                m_boxes.try_emplace(node.attributeValue, &node);
    }

    const CNode* Find(int id) const { return Find(std::to_string(id)); }

    const CNode* Find(const std::string& id) const
    {
        const auto found = m_boxes.find("\"" + id + "\"");
        return found == m_boxes.end() ? nullptr : found->second;
    }

private:
    std::unordered_map<std::string_view, const CNode*> m_boxes;
};

std::string BoxName(int id)
{
    return "CASILLA " + std::to_string(id);
}

// The first value of the declaration that the form could not hold, or nothing.
std::optional<std::string> FirstBadValue(const Declaration& declaration)
{
    const std::pair<const char*, const std::string*> header[] = {{"FORMULARIO", &declaration.formNumber},
                                                                 {"NIT", &declaration.nit},
                                                                 {"NOMBRE", &declaration.name},
                                                                 {"PERIODO_DESDE", &declaration.from.text},
                                                                 {"PERIODO_HASTA", &declaration.to.text}};
    for (const auto& [name, value] : header)
        if (!IsAcceptableValue(name, *value))
            return name;
    for (const AnnexRow& row : declaration.rows)
        for (int column = 1; column <= 6; ++column)
            if (!IsAcceptableValue("CASILLA", row.cells[static_cast<std::size_t>(column - 1)]))
                return BoxName(AnnexCellId(row.number, column));
    for (const auto& [id, value] : declaration.boxes)
        if (!IsAcceptableValue("CASILLA", value))
            return BoxName(id);
    return std::nullopt;
}

}  // namespace

CResult<Declaration> ReadDeclaration(const CNodeList& nodes)
{
    Declaration declaration;
    const CNode* form = nodes.FindByName("FORMULARIO");
    if (!form)
        return {Cause::kMissingValue, "FORMULARIO"};
    const std::string_view quoted = form->attributeValue;
    if (quoted.size() >= 2)
        declaration.formNumber = quoted.substr(1, quoted.size() - 2);

    const std::pair<const char*, std::string*> header[] = {{"NIT", &declaration.nit},
                                                           {"NOMBRE", &declaration.name},
                                                           {"PERIODO_DESDE", &declaration.from.text},
                                                           {"PERIODO_HASTA", &declaration.to.text}};
    for (const auto& [name, value] : header) {
        const CNode* element = nodes.FindByName(name);
        if (!element)
            return {Cause::kMissingValue, name};
        *value = element->value;
    }

    const CBoxIndex boxes(nodes);
    for (int row = 1; row <= kMaxAnnexRows; ++row) {
        if (!boxes.Find(AnnexCellId(row, 1)))
            continue;
        AnnexRow& read = declaration.rows.emplace_back();
        read.number = row;
        for (int column = 1; column <= 6; ++column) {
            const CNode* cell = boxes.Find(AnnexCellId(row, column));
            if (!cell)
                return {Cause::kMissingValue, BoxName(AnnexCellId(row, column))};
            read.cells[static_cast<std::size_t>(column - 1)] = cell->value;
        }
    }
    for (int id = kFirstBox; id <= kLastBox; ++id)
        if (const CNode* box = boxes.Find(id))
            declaration.boxes.emplace(id, box->value);
    if (const CNode* presented = boxes.Find(std::string("FECPRE")))
        declaration.presented = presented->value;
    if (auto bad = FirstBadValue(declaration))
        return {Cause::kBadValue, std::move(*bad)};
    return declaration;
}

CResult<Declaration> ReadSealedDeclaration(std::string_view sealed, std::ostream* trace)
{
    const CResult<std::string> xml = CSealCodec().Unseal(sealed);
    if (!xml.ok())
        return xml.status();

    CXmlReader reader;
    reader.SetTrace(trace);
    if (!reader.Parse(*xml))  // an empty text, which holds no form code either
        return Cause::kNoFormCode;
    const CNodeList& nodes = reader.Nodes();
    const CNode* code = nodes.FindByName("CODIGO_FORMULARIO");
    if (!code)
        return Cause::kNoFormCode;
    const CNode* version = nodes.FindByName("NUMERO_VERSION");
    if (!version)
        return Cause::kNoVersion;
    if (code->value + version->value != "7316")
        return Cause::kOtherForm;
    return ReadDeclaration(nodes);
}

}  // namespace formulario
