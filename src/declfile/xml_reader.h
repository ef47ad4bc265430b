#pragma once

#include "declfile/node_list.h"

#include <cstddef>
#include <iosfwd>
#include <string_view>

namespace formulario {

// One level of the reader's walk over a text: where the next search starts
// and the ranges of the tag found last. Positions are offsets into `text`,
// both ends of a range included; kNone marks a range that is not there.
struct CXmlCursor {
    static constexpr std::ptrdiff_t kNone = -1;

    int serial = 0;
    std::string_view text;
    std::ptrdiff_t scanPosition = 0;
    std::ptrdiff_t tagStart = kNone;
    std::ptrdiff_t tagEnd = kNone;
    std::ptrdiff_t closingTagStart = kNone;
    std::ptrdiff_t closingTagEnd = kNone;  // just after the closing tag
    std::ptrdiff_t nameStart = kNone;
    std::ptrdiff_t nameEnd = kNone;
    std::ptrdiff_t attributeStart = kNone;
    std::ptrdiff_t attributeEnd = kNone;
    std::ptrdiff_t contentStart = kNone;
    std::ptrdiff_t contentEnd = kNone;

    // Makes `pass` the text scanned from its start.
    void Start(std::string_view pass);

    // Finds the next tag from the scan position and, unless it closes itself,
    // the first closing tag of the same name after it (nesting is not
    // counted). False when there is no complete tag or no closing tag.
    bool FindNextTag();

    std::string_view Name() const { return Range(nameStart, nameEnd); }
    std::string_view Attributes() const { return Range(attributeStart, attributeEnd); }
    std::string_view Content() const { return Range(contentStart, contentEnd); }

    // Where the scan stands, as a position in the whole document.
    const char* ScanPoint() const { return text.data() + scanPosition; }
    const char* ClosingTagPoint() const { return text.data() + closingTagStart; }

private:
    std::string_view Range(std::ptrdiff_t start, std::ptrdiff_t end) const;
    std::ptrdiff_t Find(char ch, std::ptrdiff_t from) const;
};

// An attribute text split at its first "=": name before, value after, the
// value keeping its quotes. Without "=" the whole text is the name.
struct AttributeParts {
    std::string_view name;
    std::string_view value;
};
AttributeParts SplitAttribute(std::string_view attributes);

// A small, forgiving reader for the declaration XML. It walks the text tag by
// tag and adds one flat record per element to its node list; what is not
// well formed is read as far as it goes and the rest is skipped.
class CXmlReader {
public:
    // Elements nested deeper than this are not descended into.
    static constexpr int kMaxNestingDepth = 256;

    // Reads `document` into the node list. False for an empty text.
    [[nodiscard]] bool Parse(std::string_view document);

    const CNodeList& Nodes() const { return m_nodes; }

    // Where the trace of what is read goes; nullptr (the default) for none.
    void SetTrace(std::ostream* trace) { m_trace = trace; }

private:
    void ParseNode(CXmlCursor& cursor, std::string_view text, int depth);
    void OnNode(std::string_view name, std::string_view attributes);
    void OnElement(std::string_view name, std::string_view value, std::string_view attributes);
    void AddRecord(std::string_view name, std::string_view value, std::string_view attributes);
    void TraceLine(std::string_view label, std::string_view text = {});

    CNodeList m_nodes;
    std::ostream* m_trace = nullptr;
};

}  // namespace formulario
