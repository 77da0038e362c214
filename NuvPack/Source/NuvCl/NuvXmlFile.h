#pragma once
// One XML document tied to one file: created with an empty root when the file
// is missing, loaded, emptied down to its root before the owner refills it, and
// saved. The file has one element a line, each level indented by a tab, lines
// ended by CR LF, and is written in the encoding its declaration names (GBK
// bytes for the default "GB2312").
//
// The document is a pugixml document; its names and texts are UTF-8. The
// program's 8-bit text goes in and out through nuv::AnsiToUtf8 and
// nuv::Utf8ToAnsi (NuvCodePage.h).

#include "Exception.h"

#include <pugixml.hpp>

#include <memory>
#include <string>

// A file that is not well-formed XML, or not in the encoding it declares.
class EDOMParseError : public Exception {
    using Exception::Exception;
};

class TNuvXmlFile {
public:
    // CreateXMLDoc, then InitObject.
    TNuvXmlFile();

    bool AutoCreate = true; // Load creates a missing file instead of failing
    std::string FileName; // set by the owner
    std::string Encoding; // declared character encoding, "GB2312"
    std::string Version; // declared XML version, "1.0"
    std::string RootName; // root element of a new document, "Root"
    std::shared_ptr<pugi::xml_document> XMLDoc;

    // The defaults above (FileName is left alone).
    void InitObject();
    // A new, empty document declaring version "1.0".
    void CreateXMLDoc();
    // Declares Encoding and Version, adds a root element named RootName when the
    // document has none, and removes every child of the root.
    void InitXMLDoc();
    // The root element, or a null node when the document has none.
    pugi::xml_node GetRootNode() const;
    // Reads FileName into the document and takes over its declared encoding,
    // version and root name. A missing file is first created with an empty root
    // (AutoCreate), else EFOpenError "<FileName> 没找到" (in GBK). A damaged file
    // raises EDOMParseError and changes nothing, the file included.
    void Load();
    // Writes the document to FileName through a temporary file, so a failed save
    // leaves the old file whole. EWriteError when a character has no form in the
    // declared encoding; EFCreateError when the file cannot be written.
    void Save();
};

namespace nuv {

// Writes `file` (replacing it) with exactly three lines ended by CR LF: the XML
// declaration naming version 1.0 and `encoding`, then "<root>" and "</root>".
// The bytes are written as given. EFCreateError when the file cannot be written.
void CreateXmlFile(const std::string& file, const std::string& root, const std::string& encoding);

} // namespace nuv
