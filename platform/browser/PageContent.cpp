#include "PageContent.h"

#include "GbkText.h"

#include <QBuffer>
#include <QImageReader>
#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return lower;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// "text/html; charset=GBK" -> "text/html"
std::string MediaType(std::string_view contentType)
{
    return Lower(Trim(contentType.substr(0, contentType.find(';'))));
}

// The value after "charset=" in text, lower case, without quotes; empty when none.
std::string CharsetIn(std::string_view text)
{
    const std::string lower = Lower(text);
    const auto at = lower.find("charset=");
    if (at == std::string::npos)
        return {};
    std::size_t begin = at + 8;
    while (begin < lower.size() && (lower[begin] == '"' || lower[begin] == '\'' || lower[begin] == ' '))
        ++begin;
    std::size_t end = begin;
    while (end < lower.size()
        && (std::isalnum(static_cast<unsigned char>(lower[end])) || lower[end] == '-' || lower[end] == '_'
            || lower[end] == '.' || lower[end] == ':'))
        ++end;
    return lower.substr(begin, end - begin);
}

QString Decode(std::string_view bytes, const std::string& charset)
{
    if (charset == "utf-8" || charset == "utf8")
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (charset.empty() || charset == "gbk" || charset == "gb2312" || charset == "gb18030"
        || charset == "x-gbk" || charset == "cp936" || charset == "windows-936" || charset == "euc-cn")
        return GbkToQString(bytes);
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "us-ascii" || charset == "ascii")
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder decoder(charset.c_str());
    if (!decoder.isValid())
        return GbkToQString(bytes);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

enum class Signature { None, Gif, Png, Jpeg };

Signature SignatureOf(std::string_view body)
{
    if (body.starts_with("GIF87a") || body.starts_with("GIF89a"))
        return Signature::Gif;
    if (body.starts_with("\x89PNG\r\n\x1a\n"))
        return Signature::Png;
    if (body.starts_with("\xFF\xD8\xFF"))
        return Signature::Jpeg;
    return Signature::None;
}

const char* FormatOf(Signature signature)
{
    switch (signature) {
    case Signature::Gif:
        return "gif";
    case Signature::Png:
        return "png";
    case Signature::Jpeg:
        return "jpeg";
    case Signature::None:
        break;
    }
    return nullptr;
}

// format: null lets Qt find it from the bytes.
std::optional<PageContent> ReadPicture(const std::string& body, const char* format, const PageBounds& bounds)
{
    QByteArray bytes(body.data(), static_cast<qsizetype>(body.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format ? QByteArray(format) : QByteArray());
    if (!format)
        reader.setAutoDetectImageFormat(true);
    reader.setAllocationLimit(bounds.decodeMegabytes);
    const QSize natural = reader.size();
    const bool oversized = bounds.picture.isValid() && natural.isValid()
        && (natural.width() > bounds.picture.width() || natural.height() > bounds.picture.height());
    if (oversized)
        reader.setScaledSize(natural.scaled(bounds.picture, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const int count = reader.imageCount();
    QImage first;
    if (!reader.read(&first) || first.isNull())
        return std::nullopt;
    PageContent content;
    content.size = first.size();
    if (count > 1 && reader.format() == "gif" && !oversized) {
        // The rest is decoded frame by frame as it plays; the first frame shows the data is sound.
        content.kind = PageKind::Animation;
        content.animation = bytes;
        content.frames = count;
    } else {
        content.kind = PageKind::Picture;
        content.picture = first;
        content.frames = 1;
    }
    return content;
}

// Starts like markup: "<" after blanks and a byte order mark.
bool LooksLikeMarkup(std::string_view body)
{
    if (body.starts_with("\xEF\xBB\xBF"))
        body.remove_prefix(3);
    body = Trim(body.substr(0, 512));
    return body.starts_with('<');
}

// Text has no control characters but blanks, line ends, tabs, form feeds and escapes.
bool LooksLikeText(std::string_view body)
{
    return std::none_of(body.begin(), body.end(), [](char ch) {
        const auto byte = static_cast<unsigned char>(ch);
        return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' && byte != 0x1B;
    });
}

PageContent Unshowable()
{
    return {};
}

} // namespace

QString DecodePageText(std::string_view body, std::string_view contentType, bool markup)
{
    if (body.starts_with("\xEF\xBB\xBF"))
        return Decode(body.substr(3), "utf-8");
    if (body.starts_with("\xFF\xFE"))
        return Decode(body.substr(2), "utf-16le");
    if (body.starts_with("\xFE\xFF"))
        return Decode(body.substr(2), "utf-16be");
    std::string charset = CharsetIn(contentType);
    if (charset.empty() && markup)
        charset = CharsetIn(body.substr(0, 1024));
    return Decode(body, charset);
}

PageContent InterpretPage(const PageAnswer& answer, const PageBounds& bounds)
{
    if (!answer.ok)
        return Unshowable();
    const std::string& body = answer.body;
    if (body.empty()) {
        PageContent blank;
        blank.kind = PageKind::Blank;
        return blank;
    }
    const std::string type = MediaType(answer.contentType);
    if (const Signature signature = SignatureOf(body); signature != Signature::None)
        return ReadPicture(body, FormatOf(signature), bounds).value_or(Unshowable());
    if (type.starts_with("image/"))
        return ReadPicture(body, nullptr, bounds).value_or(Unshowable());

    bool markup = false;
    if (type == "text/html" || type == "application/xhtml+xml")
        markup = true;
    else if (type.starts_with("text/"))
        markup = false;
    else if (type.empty() && LooksLikeMarkup(body))
        markup = true;
    else if (type.empty() && LooksLikeText(body))
        markup = false;
    else
        return Unshowable(); // a download, not a page

    PageContent content;
    content.kind = markup ? PageKind::Html : PageKind::Text;
    const QString text = DecodePageText(body, answer.contentType, markup);
    content.text = markup ? BoundedMarkup(text, bounds.markup) : BoundedText(text, bounds.markup);
    return content;
}
