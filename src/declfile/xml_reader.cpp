#include "declfile/xml_reader.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <ostream>
#include <string>

namespace formulario {

namespace {

constexpr std::string_view kCdataOpen = "<![CDATA[";

// Numbers the cursors of the whole process, for the trace.
int NextCursorSerial()
{
    static std::atomic<int> counter{0};
    return counter++;
}

bool StartsWithCdata(std::string_view content)
{
    return content.size() >= kCdataOpen.size() &&
           std::equal(kCdataOpen.begin(), kCdataOpen.end(), content.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
           });
}

constexpr std::string_view kCdataClose = "]]>";

// The end of the run of character-data sections that starts at `from`, or
// `from` itself when none starts there or the first is never closed.
std::size_t SkipCdataSections(std::string_view text, std::size_t from)
{
    while (from < text.size() && StartsWithCdata(text.substr(from))) {
        const auto close = text.find(kCdataClose, from + kCdataOpen.size());
        if (close == std::string_view::npos)
            break;
        from = close + kCdataClose.size();
    }
    return from;
}

// The text of the character-data sections that open the content, joined
// (a writer splits a "]]>" of its text across two sections); `rest` is what
// follows them. A section never closed is taken to end three characters
// before the content does.
std::string CdataValue(std::string_view content, std::string_view& rest)
{
    const std::size_t end = SkipCdataSections(content, 0);
    if (end == 0) {
        rest = content;
        if (content.size() < kCdataOpen.size() + kCdataClose.size())
            return {};
        return std::string(content.substr(kCdataOpen.size(), content.size() - kCdataOpen.size() - kCdataClose.size()));
    }
    std::string value;
    for (std::size_t at = 0; at < end;) {
        const auto close = content.find(kCdataClose, at + kCdataOpen.size());
        value += content.substr(at + kCdataOpen.size(), close - at - kCdataOpen.size());
        at = close + kCdataClose.size();
    }
    rest = content.substr(end);
    return value;
}

}  // namespace

void CXmlCursor::Start(std::string_view pass)
{
    text = pass;
    scanPosition = 0;
}

std::string_view CXmlCursor::Range(std::ptrdiff_t start, std::ptrdiff_t end) const
{
    if (start == kNone || end == kNone || end < start)
        return {};
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start + 1));
}

std::ptrdiff_t CXmlCursor::Find(char ch, std::ptrdiff_t from) const
{
    const auto at = text.find(ch, static_cast<std::size_t>(from));
    return at == std::string_view::npos ? kNone : static_cast<std::ptrdiff_t>(at);
}

bool CXmlCursor::FindNextTag()
{
    tagStart = tagEnd = closingTagStart = closingTagEnd = scanPosition;
    contentStart = contentEnd = kNone;

    const std::ptrdiff_t open = Find('<', scanPosition);
    if (open == kNone)
        return false;
    const std::ptrdiff_t close = Find('>', open);
    if (close == kNone)
        return false;
    tagStart = open;
    tagEnd = close;

    const bool selfClosing = tagEnd - 1 > tagStart && text[static_cast<std::size_t>(tagEnd - 1)] == '/';
    nameStart = tagStart + 1;
    nameEnd = selfClosing ? tagEnd - 2 : tagEnd - 1;
    if (const auto blank = Name().find(' '); blank != std::string_view::npos)
        nameEnd = nameStart + static_cast<std::ptrdiff_t>(blank) - 1;

    // Attribute text needs more than the name, its brackets and one blank
    // (or the slash of a self-closing tag).
    const std::ptrdiff_t tagLength = tagEnd - tagStart + 1;
    const auto nameLength = static_cast<std::ptrdiff_t>(Name().size());
    attributeStart = attributeEnd = kNone;
    if (tagLength - nameLength >= 4) {
        attributeStart = nameEnd + 2;
        attributeEnd = selfClosing ? tagEnd - 2 : tagEnd - 1;
    }

    if (selfClosing) {
        scanPosition = tagEnd + 1;
        return true;
    }

    const std::string closingTag = "</" + std::string(Name()) + ">";
    // Character data opening the content may hold anything, a closing tag too.
    const auto closing = text.find(closingTag, SkipCdataSections(text, static_cast<std::size_t>(tagEnd) + 1));
    if (closing == std::string_view::npos)
        return false;
    closingTagStart = static_cast<std::ptrdiff_t>(closing);
    closingTagEnd = closingTagStart + static_cast<std::ptrdiff_t>(closingTag.size());
    contentStart = tagEnd + 1;
    contentEnd = closingTagStart - 1;

    const std::ptrdiff_t next = Find('<', closingTagEnd);
    scanPosition = next == kNone ? closingTagEnd : next;
    return true;
}

AttributeParts SplitAttribute(std::string_view attributes)
{
    const auto equals = attributes.find('=');
    if (equals == std::string_view::npos)
        return {attributes, {}};
    return {attributes.substr(0, equals), attributes.substr(equals + 1)};
}

bool CXmlReader::Parse(std::string_view document)
{
    if (document.empty())
        return false;
    TraceLine("----- parse document -----");
    TraceLine(document);
    TraceLine({});
    TraceLine("----- start parsing -----");
    TraceLine({});
    CXmlCursor root;
    ParseNode(root, document, 1);
    return true;
}

// Reads one level: its elements one after the other, descending into those
// that hold further tags. A level ends where a tag has no closing tag, and
// where a child level ran up to the closing tag of its parent.
void CXmlReader::ParseNode(CXmlCursor& cursor, std::string_view text, int depth)
{
    cursor.serial = NextCursorSerial();
    TraceLine("parse node: ", std::to_string(cursor.serial));
    TraceLine({});
    for (;;) {
        cursor.Start(text);
        if (text.empty() || !cursor.FindNextTag())
            return;
        const std::string_view content = cursor.Content();
        if (content.find('<') == std::string_view::npos) {
            OnElement(cursor.Name(), content, cursor.Attributes());
        } else {
            OnNode(cursor.Name(), cursor.Attributes());
            std::string_view inner = content;
            if (StartsWithCdata(content))
                OnElement(cursor.Name(), CdataValue(content, inner), cursor.Attributes());
            if (depth < kMaxNestingDepth) {
                CXmlCursor child;
                ParseNode(child, inner, depth + 1);
                if (!inner.empty() && child.ScanPoint() >= cursor.ClosingTagPoint())
                    return;
            }
        }
        text = cursor.text.substr(static_cast<std::size_t>(cursor.scanPosition));
    }
}

void CXmlReader::OnNode(std::string_view name, std::string_view attributes)
{
    if (name.empty())
        return;
    TraceLine("Found Node: ");
    TraceLine("name: ", name);
    if (!attributes.empty())
        TraceLine("attributes: ", attributes);
    AddRecord(name, {}, attributes);
    TraceLine({});
}

void CXmlReader::OnElement(std::string_view name, std::string_view value, std::string_view attributes)
{
    if (name.empty())
        return;
    TraceLine("Found Element: ");
    TraceLine("name: ", name);
    if (!value.empty())
        TraceLine("value: ", value);
    if (!attributes.empty())
        TraceLine("attributes: ", attributes);
    AddRecord(name, value, attributes);
    TraceLine({});
}

void CXmlReader::AddRecord(std::string_view name, std::string_view value, std::string_view attributes)
{
    const AttributeParts parts = SplitAttribute(attributes);
    m_nodes.Add(std::string(name), std::string(value), std::string(parts.name), std::string(parts.value));
}

void CXmlReader::TraceLine(std::string_view label, std::string_view text)
{
    if (m_trace)
        *m_trace << label << text << '\n';
}

}  // namespace formulario
