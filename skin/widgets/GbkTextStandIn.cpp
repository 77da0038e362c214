// TEMPORARY STAND-IN, see GbkTextStandIn.h.
#include "GbkTextStandIn.h"

#include <iconv.h>

#include <cerrno>

namespace {

// One converter per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from)
        : cd_(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts in; an input sequence that fails is replaced by bad (and one
    // input unit of unitSize bytes is skipped).
    std::string Run(const char* in, size_t size, size_t unitSize, const std::string& bad)
    {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            return out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.resize(size * 2 + 16);
        char* src = const_cast<char*>(in);
        size_t left = size;
        size_t used = 0;
        while (left > 0) {
            char* dst = out.data() + used;
            size_t room = out.size() - used;
            const size_t result = iconv(cd_, &src, &left, &dst, &room);
            used = out.size() - room;
            if (result != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL: replace one unit and go on.
            const size_t skip = std::min(unitSize, left);
            src += skip;
            left -= skip;
            out.resize(std::max(out.size(), used + bad.size() + left * 2 + 16));
            out.replace(used, bad.size(), bad);
            used += bad.size();
        }
        out.resize(used);
        return out;
    }

private:
    iconv_t cd_;
};

} // namespace

QString GbkToQString(const std::string& gbk)
{
    bool ascii = true;
    for (char c : gbk)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
    thread_local Converter decoder("UTF-8", "GBK");
    const std::string utf8 = decoder.Run(gbk.data(), gbk.size(), 1, "\xEF\xBF\xBD");
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string QStringToGbk(const QString& text)
{
    bool ascii = true;
    for (QChar c : text)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return text.toLatin1().toStdString();
    thread_local Converter encoder("GBK", "UTF-16LE");
    const std::u16string utf16 = text.toStdU16String();
    return encoder.Run(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2, 2, "?");
}
