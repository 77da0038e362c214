#include "NuvTextBookmark.h"

#include "Exception.h"
#include "Format.h"
#include "NuvCodePage.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// A decimal integer with an optional sign, nothing else, within 32 bits.
int DecimalToInt(const std::string& text)
{
    const char* start = text.c_str();
    const char* digits = start + ((text[0] == '-' || text[0] == '+') ? 1 : 0);
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(start, &end, 10);
    if (text.empty() || *digits < '0' || *digits > '9' || *end != '\0' || errno == ERANGE || value < INT_MIN
        || value > INT_MAX)
        throw EConvertError(Format("'%s' is not a valid integer value", Abbreviated(text).c_str()));
    return static_cast<int>(value);
}

// The document's text is UTF-8 that loading has checked.
std::u16string Utf16Of(const char* utf8)
{
    return nuv::DecodeCharset(utf8, "UTF-8").value_or(std::u16string());
}

} // namespace

TNuvTextBookmark::TNuvTextBookmark(QObject* owner)
    : TNuvDynamicMenuManager(owner)
{
}

TNuvTextBookmark::~TNuvTextBookmark() = default;

void TNuvTextBookmark::Add(const std::string& title, int pos)
{
    if (MaxCount() >= 0 && GetCount() >= MaxCount())
        Delete(0);
    items_.Add(new TNuvBaseBookmark { title, std::to_string(pos) });
    DynamicMenu().Add(title)->SetTag(pos);
}

void TNuvTextBookmark::Delete(int i)
{
    items_.Delete(i);
    // Both lists move their last entry into the freed place, so entry i of the
    // menu's record is still this bookmark's item.
    DynamicMenu().DeleteRecord(i);
}

void TNuvTextBookmark::Clear()
{
    items_.Clear();
    DynamicMenu().Clear();
}

void TNuvTextBookmark::Load()
{
    // The file first: a damaged one leaves the list as it was.
    XmlFile().Load();
    Clear();
    int number = 0;
    for (pugi::xml_node node = XmlFile().GetRootNode().first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element)
            continue; // comments and processing instructions are no bookmarks
        ++number;
        const pugi::xml_attribute title = node.attribute("title");
        const pugi::xml_attribute pos = node.attribute("pos");
        if (!title || !pos)
            throw EConvertError(Format("Bookmark %d of %s lacks its %s", number,
                Abbreviated(FileName()).c_str(), title ? "\"pos\"" : "\"title\""));
        // A title the program's text cannot hold is not read as "?"s that the
        // next save would write for good.
        const auto titleText = nuv::EncodeCharset(Utf16Of(title.value()), "GBK");
        const auto posText = nuv::EncodeCharset(Utf16Of(pos.value()), "GBK");
        if (!titleText || !posText)
            throw EConvertError(Format("Bookmark %d of %s holds a character without a GBK code", number,
                Abbreviated(FileName()).c_str()));
        auto* bookmark = new TNuvBaseBookmark { *titleText, *posText };
        items_.Add(bookmark);
        TMenuItem* item = DynamicMenu().Add(bookmark->Title);
        item->SetTag(DecimalToInt(bookmark->Pos));
    }
}

void TNuvTextBookmark::Save()
{
    XmlFile().InitXMLDoc();
    pugi::xml_node root = XmlFile().GetRootNode();
    for (int i = 0; i < GetCount(); ++i) {
        const TNuvBaseBookmark* bookmark = items_.Items(i);
        pugi::xml_node node = root.append_child("Bookmark");
        node.append_attribute("title").set_value(nuv::AnsiToUtf8(bookmark->Title).c_str());
        node.append_attribute("pos").set_value(nuv::AnsiToUtf8(bookmark->Pos).c_str());
    }
    XmlFile().Save();
}
