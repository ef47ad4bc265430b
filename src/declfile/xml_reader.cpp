#include "declfile/xml_reader.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <ostream>
#include <string>

namespace {

constexpr std::string_view kCdataOpen = "<![CDATA[";
constexpr std::size_t kCdataClose = 3; // "]]>"

// Numbers the cursors of the whole process, for the trace.
int NextCursorSerial()
{
    static std::atomic<int> counter{0};
    return counter++;
}

bool StartsWithCdata(std::string_view content)
{
    return content.size() >= kCdataOpen.size()
        && std::equal(kCdataOpen.begin(), kCdataOpen.end(), content.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a))
                   == std::toupper(static_cast<unsigned char>(b));
           });
}

// The text of a character-data section that opens the content; its last
// three characters are taken to close it.
std::string_view CdataValue(std::string_view content)
{
    if (content.size() < kCdataOpen.size() + kCdataClose)
        return {};
    return content.substr(kCdataOpen.size(), content.size() - kCdataOpen.size() - kCdataClose);
}

} // namespace

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
    const auto closing = text.find(closingTag, static_cast<std::size_t>(tagEnd));
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
            if (StartsWithCdata(content))
                OnElement(cursor.Name(), CdataValue(content), cursor.Attributes());
            if (depth < kMaxNestingDepth) {
                CXmlCursor child;
                ParseNode(child, content, depth + 1);
                if (child.ScanPoint() >= cursor.ClosingTagPoint())
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
    nodes_.Add(std::string(name), std::string(value), std::string(parts.name), std::string(parts.value));
}

void CXmlReader::TraceLine(std::string_view label, std::string_view text)
{
    if (trace_)
        *trace_ << label << text << '\n';
}
