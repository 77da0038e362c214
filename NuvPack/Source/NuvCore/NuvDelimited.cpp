#include "NuvDelimited.h"

#include "Exception.h"

namespace nuv {

namespace {

    const char Quote = '"';

    bool IsBlank(unsigned char c)
    {
        return c <= ' ';
    }

    bool IsGbkLeadByte(unsigned char c)
    {
        return c >= 0x81 && c <= 0xFE;
    }

    // Reads the text character by character: a GBK lead byte followed by another
    // byte is one character of two bytes.
    class Cursor {
    public:
        explicit Cursor(const std::string& text)
            : text_(text)
        {
        }

        bool AtEnd() const { return pos_ >= text_.size(); }
        unsigned char Current() const { return static_cast<unsigned char>(text_[pos_]); }
        bool Is(char c) const { return !AtEnd() && text_[pos_] == c; }
        std::size_t Position() const { return pos_; }

        std::size_t CharLength() const
        {
            return IsGbkLeadByte(Current()) && pos_ + 1 < text_.size() && text_[pos_ + 1] != '\0' ? 2 : 1;
        }
        void Next() { pos_ += CharLength(); }

        void SkipBlanks()
        {
            while (!AtEnd() && IsBlank(Current()))
                Next();
        }

        // At an opening quote: the quoted item, with doubled quotes made single; the
        // cursor ends after the closing quote (at the end when there is none).
        std::string QuotedItem()
        {
            std::string item;
            Next();
            while (!AtEnd()) {
                if (Is(Quote)) {
                    Next();
                    if (!Is(Quote))
                        return item;
                }
                item.append(text_, pos_, CharLength());
                Next();
            }
            return item;
        }

        // The item up to the first blank or `delim`.
        std::string PlainItem(char delim)
        {
            const std::size_t start = pos_;
            while (!AtEnd() && !IsBlank(Current()) && !Is(delim))
                Next();
            return text_.substr(start, pos_ - start);
        }

    private:
        const std::string& text_;
        std::size_t pos_ = 0;
    };

} // namespace

void GetDelimiterText(std::vector<std::string>* dest, const std::string& text, char delim)
{
    if (dest == nullptr)
        throw EAssertionFailed("Assertion failed: dest");
    // `text` may be one of the items about to be cleared.
    const std::string source = text;
    dest->clear();

    Cursor cursor(source);
    cursor.SkipBlanks();
    while (!cursor.AtEnd()) {
        dest->push_back(cursor.Is(Quote) ? cursor.QuotedItem() : cursor.PlainItem(delim));
        cursor.SkipBlanks();
        if (cursor.Is(delim)) {
            if (cursor.Position() + 1 == source.size())
                dest->emplace_back();
            cursor.Next();
            cursor.SkipBlanks();
        }
    }
}

std::string SetDelimiterText(const std::vector<std::string>& list, char delim)
{
    std::string joined;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            joined += delim;
        joined += list[i];
    }
    return joined;
}

} // namespace nuv
