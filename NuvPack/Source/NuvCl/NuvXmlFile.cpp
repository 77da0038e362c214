#include "NuvXmlFile.h"

#include "GbkCodec.h"
#include "NuvCodePage.h"
#include "NuvSaveFile.h"

#include <sys/stat.h>

#include <cctype>
#include <optional>
#include <string_view>

namespace {

const char* const NodeIndent = "\t";
// " 没找到" ("not found") in GBK.
const char* const NotFound = " \xC3\xBB\xD5\xD2\xB5\xBD";

bool FileExists(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0;
}

bool IsUtf8(const std::string& encoding)
{
    std::string upper;
    for (const char c : encoding)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper.empty() || upper == "UTF-8" || upper == "UTF8";
}

pugi::xml_node FindDeclaration(const pugi::xml_document& doc)
{
    for (pugi::xml_node node = doc.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_declaration)
            return node;
    }
    return {};
}

// The document's declaration, added (declaring version 1.0) when it has none.
pugi::xml_node Declaration(pugi::xml_document& doc)
{
    pugi::xml_node declaration = FindDeclaration(doc);
    if (!declaration) {
        declaration = doc.prepend_child(pugi::node_declaration);
        declaration.append_attribute("version").set_value("1.0");
    }
    return declaration;
}

void SetDeclared(pugi::xml_node declaration, const char* name, const std::string& value)
{
    pugi::xml_attribute attribute = declaration.attribute(name);
    if (value.empty()) {
        declaration.remove_attribute(attribute);
        return;
    }
    if (!attribute)
        attribute = declaration.append_attribute(name);
    attribute.set_value(nuv::AnsiToUtf8(value).c_str());
}

// Every line end as CR LF; one already written so stays as it is.
std::string WithCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, std::size_t size) override
    {
        text.append(static_cast<const char*>(data), size);
    }
};

// Comments, processing instructions and the document type are kept, so a file
// saved again loses nothing but the blanks between elements. Read as a
// fragment, so that text outside the root shows as a node instead of being
// dropped unseen.
constexpr unsigned ParseOptions = pugi::parse_full | pugi::parse_fragment;

std::shared_ptr<pugi::xml_document> ParseAs(
    const std::string& bytes, pugi::xml_encoding form, const std::string& fileName)
{
    auto doc = std::make_shared<pugi::xml_document>();
    const pugi::xml_parse_result result = doc->load_buffer(bytes.data(), bytes.size(), ParseOptions, form);
    if (!result)
        throw EDOMParseError(Abbreviated(fileName) + ": " + result.description() + " at byte "
            + std::to_string(result.offset));
    return doc;
}

bool IsReservedTarget(const pugi::xml_node& node)
{
    std::string target;
    for (const char* c = node.name(); *c != 0; ++c)
        target += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    return node.type() == pugi::node_pi && target == "xml";
}

// What pugixml takes besides a document: more or fewer than one root element,
// text outside it, "<?xml" anywhere but as the declaration, and a declaration
// of other values.
void CheckDocument(const pugi::xml_document& doc, const std::string& fileName)
{
    int elements = 0;
    for (pugi::xml_node node = doc.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element)
            ++elements;
        else if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            elements = 2;
    }
    if (elements != 1)
        throw EDOMParseError(Abbreviated(fileName) + ": not one root element, or text outside it");
    if (doc.find_node(IsReservedTarget))
        throw EDOMParseError(Abbreviated(fileName) + ": an XML declaration that is none");
    if (const pugi::xml_node declaration = FindDeclaration(doc)) {
        bool valid = !declaration.attribute("version").empty();
        for (const pugi::xml_attribute attribute : declaration.attributes()) {
            const std::string name = attribute.name();
            valid = valid && (name == "version" || name == "encoding" || name == "standalone");
        }
        if (!valid)
            throw EDOMParseError(Abbreviated(fileName)
                + ": a declaration needs a version and has nothing but version, encoding and standalone");
    }
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The encoding named by the declaration of a file whose markup is in ASCII
// bytes: the declaration may follow blanks and comments; empty when there is
// none, or it names none.
std::string DeclaredEncoding(std::string_view text)
{
    std::size_t at = 0;
    for (;;) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        if (text.compare(at, 4, "<!--") != 0)
            break;
        const std::size_t end = text.find("-->", at + 4);
        if (end == std::string_view::npos)
            return {};
        at = end + 3;
    }
    if (text.compare(at, 5, "<?xml") != 0 || at + 5 >= text.size() || !IsBlank(text[at + 5]))
        return {};
    const std::size_t end = text.find("?>", at);
    const std::string_view declaration = text.substr(at, end == std::string_view::npos ? 0 : end - at);
    std::size_t name = declaration.find("encoding");
    while (name != std::string_view::npos && name > 0 && !IsBlank(declaration[name - 1]))
        name = declaration.find("encoding", name + 1);
    if (name == std::string_view::npos)
        return {};
    std::size_t i = name + 8;
    while (i < declaration.size() && IsBlank(declaration[i]))
        ++i;
    if (i >= declaration.size() || declaration[i] != '=')
        return {};
    ++i;
    while (i < declaration.size() && IsBlank(declaration[i]))
        ++i;
    if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\''))
        return {};
    const std::size_t close = declaration.find(declaration[i], i + 1);
    if (close == std::string_view::npos)
        return {};
    return std::string(declaration.substr(i + 1, close - i - 1));
}

// UTF-16 of either byte order, strictly: a lone surrogate is no character.
std::optional<std::u16string> DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] < 0xDC00;
        const bool low = text[i] >= 0xDC00 && text[i] < 0xE000;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            ++i;
        else if (high || low)
            return std::nullopt;
    }
    return text;
}

// A file's bytes as UTF-8 text for the parser. The encoding is the byte-order
// mark's, else the declaration's (found after blanks and comments), else
// UTF-8. Every byte must belong to it: nothing is read as a stand-in
// character, so nothing could be saved back as one.
std::string DecodeFile(std::string_view bytes, const std::string& fileName)
{
    std::optional<std::u16string> text;
    std::string encoding;
    if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4))
        || bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4))) {
        encoding = "UTF-32";
        text = nuv::DecodeCharset(bytes, encoding); // iconv reads the mark
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        encoding = "UTF-16";
        text = DecodeUtf16(bytes.substr(2), bytes[0] == '\xFE');
    } else if (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0')) {
        encoding = "UTF-16"; // without a mark: "<" tells the byte order
        text = DecodeUtf16(bytes, bytes[0] == '\0');
    } else {
        const bool marked = bytes.starts_with("\xEF\xBB\xBF");
        if (marked)
            bytes.remove_prefix(3);
        encoding = marked ? std::string("UTF-8") : DeclaredEncoding(bytes);
        if (encoding.empty())
            encoding = "UTF-8";
        text = nuv::DecodeCharset(bytes, encoding);
    }
    if (!text)
        throw EDOMParseError(Abbreviated(fileName) + ": bytes that are not in its encoding ("
            + Abbreviated(encoding, 40) + ")");
    return Utf16ToUtf8(*text);
}

// The document in a file's bytes: decoded first (DecodeFile), then parsed as
// UTF-8 text.
std::shared_ptr<pugi::xml_document> Parse(const std::string& bytes, const std::string& fileName)
{
    const auto doc = ParseAs(DecodeFile(bytes, fileName), pugi::encoding_utf8, fileName);
    CheckDocument(*doc, fileName);
    return doc;
}

} // namespace

TNuvXmlFile::TNuvXmlFile()
{
    CreateXMLDoc();
    InitObject();
}

void TNuvXmlFile::InitObject()
{
    AutoCreate = true;
    Encoding = "GB2312";
    Version = "1.0";
    RootName = "Root";
}

void TNuvXmlFile::CreateXMLDoc()
{
    XMLDoc = std::make_shared<pugi::xml_document>();
    Declaration(*XMLDoc);
}

void TNuvXmlFile::InitXMLDoc()
{
    pugi::xml_node declaration = Declaration(*XMLDoc);
    SetDeclared(declaration, "version", Version.empty() ? std::string("1.0") : Version);
    SetDeclared(declaration, "encoding", Encoding);
    // The version comes first in a declaration.
    if (pugi::xml_attribute version = declaration.attribute("version");
        version != declaration.first_attribute()) {
        const std::string value = version.value();
        declaration.remove_attribute(version);
        declaration.prepend_attribute("version").set_value(value.c_str());
    }

    pugi::xml_node root = GetRootNode();
    if (!root)
        root = XMLDoc->append_child(nuv::AnsiToUtf8(RootName).c_str());
    root.remove_children();
}

pugi::xml_node TNuvXmlFile::GetRootNode() const
{
    return XMLDoc->document_element();
}

void TNuvXmlFile::Load()
{
    if (!FileExists(FileName)) {
        if (!AutoCreate)
            throw EFOpenError(Abbreviated(FileName) + NotFound);
        InitXMLDoc();
        Save();
    }

    std::string bytes;
    if (nuv::ReadWholeFile(FileName, bytes) != nuv::FileRead::Done)
        throw EFOpenError(Format("Cannot open file %s", Abbreviated(FileName).c_str()));

    auto loaded = Parse(bytes, FileName);
    XMLDoc = loaded;
    const pugi::xml_node declaration = FindDeclaration(*XMLDoc);
    Encoding = nuv::Utf8ToAnsi(declaration.attribute("encoding").value());
    Version = nuv::Utf8ToAnsi(declaration.attribute("version").value());
    RootName = nuv::Utf8ToAnsi(GetRootNode().name());
}

void TNuvXmlFile::Save()
{
    StringWriter writer;
    XMLDoc->save(writer, NodeIndent, pugi::format_indent, pugi::encoding_utf8);

    // Without a declaration the file is UTF-8 (pugixml then writes one naming
    // version 1.0 alone).
    const std::string declared = FindDeclaration(*XMLDoc).attribute("encoding").value();
    std::string bytes = WithCrLf(writer.text);
    if (!IsUtf8(declared)) {
        auto converted = nuv::ConvertCharset(bytes, "UTF-8", declared);
        const std::string where
            = "Cannot write " + Abbreviated(FileName) + " in " + Abbreviated(declared, 40);
        if (!converted)
            throw EWriteError(where + ": the encoding is unknown or lacks a character of the document");
        // Written only when Load reads it back as it is.
        bool readable = false;
        try {
            readable = DecodeFile(*converted, FileName) == bytes;
        } catch (const EDOMParseError&) {
        }
        if (!readable)
            throw EWriteError(where + ": the file could not be read back");
        bytes = std::move(*converted);
    }
    nuv::ReplaceFileOrThrow(FileName, bytes);
}

namespace nuv {

void CreateXmlFile(const std::string& file, const std::string& root, const std::string& encoding)
{
    const std::string text = "<?xml version=\"1.0\" encoding=\"" + encoding + "\" ?>\r\n" + "<" + root
        + ">\r\n" + "</" + root + ">\r\n";
    nuv::ReplaceFileOrThrow(file, text);
}

} // namespace nuv
