#include "NuvXmlFile.h"

#include "NuvCodePage.h"
#include "NuvSaveFile.h"

#include <sys/stat.h>

#include <cctype>

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

bool HasByteOrderMark(const std::string& bytes)
{
    return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 || bytes.compare(0, 2, "\xFF\xFE") == 0
        || bytes.compare(0, 2, "\xFE\xFF") == 0;
}

bool IsUnicodeForm(const std::string& encoding)
{
    std::string upper;
    for (const char c : encoding)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper.compare(0, 6, "UTF-16") == 0 || upper.compare(0, 6, "UTF-32") == 0;
}

// Whether Load reads `encoded` back as `utf8`: an ASCII declaration converted
// back gives the same text, or a Unicode form that pugixml tells by its first bytes.
bool ReadableBack(const std::string& encoded, const std::string& encoding, const std::string& utf8)
{
    if (encoded.compare(0, 5, "<?xml") == 0)
        return nuv::ConvertCharset(encoded, encoding, "UTF-8") == utf8;
    return IsUnicodeForm(encoding);
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
        throw EDOMParseError(
            fileName + ": " + result.description() + " at byte " + std::to_string(result.offset));
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
        throw EDOMParseError(fileName + ": not one root element, or text outside it");
    if (doc.find_node(IsReservedTarget))
        throw EDOMParseError(fileName + ": an XML declaration that is none");
    if (const pugi::xml_node declaration = FindDeclaration(doc)) {
        bool valid = !declaration.attribute("version").empty();
        for (const pugi::xml_attribute attribute : declaration.attributes()) {
            const std::string name = attribute.name();
            valid = valid && (name == "version" || name == "encoding" || name == "standalone");
        }
        if (!valid)
            throw EDOMParseError(fileName
                + ": a declaration needs a version and has nothing but version, encoding and standalone");
    }
}

// The document in a file's bytes. pugixml reads a byte-order mark and the
// UTF-16 and UTF-32 forms of a declaration itself; a file that starts with a
// declaration in ASCII is read once as it stands to find the encoding declared
// (the bytes of GBK and its kin never look like markup), then turned into UTF-8
// from that encoding and read again.
std::shared_ptr<pugi::xml_document> Parse(const std::string& bytes, const std::string& fileName)
{
    std::shared_ptr<pugi::xml_document> doc;
    if (HasByteOrderMark(bytes) || bytes.compare(0, 5, "<?xml") != 0) {
        doc = ParseAs(bytes, pugi::encoding_auto, fileName);
    } else {
        doc = ParseAs(bytes, pugi::encoding_utf8, fileName);
        const std::string declared = FindDeclaration(*doc).attribute("encoding").value();
        if (!IsUtf8(declared)) {
            const auto converted = nuv::ConvertCharset(bytes, declared, "UTF-8");
            if (!converted)
                throw EDOMParseError(fileName + ": not in the encoding it declares (" + declared + ")");
            doc = ParseAs(*converted, pugi::encoding_utf8, fileName);
        }
    }
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
            throw EFOpenError(FileName + NotFound);
        InitXMLDoc();
        Save();
    }

    std::string bytes;
    if (nuv::ReadWholeFile(FileName, bytes) != nuv::FileRead::Done)
        throw EFOpenError(Format("Cannot open file %s", FileName.c_str()));

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
        if (!converted)
            throw EWriteError("Cannot write " + FileName + " in " + declared
                + ": the encoding is unknown or lacks a character of the document");
        if (!ReadableBack(*converted, declared, bytes))
            throw EWriteError(
                "Cannot write " + FileName + " in " + declared + ": the file could not be read back");
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
