#include "BoundedMarkup.h"

#include <QHash>
#include <QStringView>

#include <algorithm>
#include <vector>

namespace {

const QString Cut = QStringLiteral("...");

bool IsLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsNameChar(QChar c)
{
    return IsLetter(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u':' || c == u'_';
}

bool OneOf(QStringView name, std::initializer_list<const char16_t*> names)
{
    for (const char16_t* candidate : names)
        if (name == QStringView(candidate))
            return true;
    return false;
}

bool IsVoid(QStringView name)
{
    return OneOf(name,
        { u"area", u"base", u"br", u"col", u"embed", u"hr", u"img", u"input", u"link", u"meta", u"param",
            u"source", u"track", u"wbr" });
}

bool IsTablePart(QStringView name)
{
    return OneOf(
        name, { u"tr", u"td", u"th", u"tbody", u"thead", u"tfoot", u"caption", u"colgroup", u"col" });
}

struct Open {
    QString name;
    bool kept;
};

class Bounder {
public:
    Bounder(const QString& html, const MarkupBounds& bounds)
        : html_(html)
        , bounds_(bounds)
    {
        out_.reserve(std::min(html.size(), bounds.maxLength) + Cut.size());
    }

    QString Run()
    {
        qsizetype i = 0;
        const qsizetype size = html_.size();
        while (i < size && !full_) {
            if (html_[i] != u'<') {
                qsizetype end = html_.indexOf(u'<', i);
                if (end < 0)
                    end = size;
                Text(QStringView(html_).mid(i, end - i));
                i = end;
            } else {
                i = Markup(i);
            }
        }
        if (full_)
            out_ += Cut;
        return out_;
    }

private:
    // Handles the markup starting at `at` (a "<"); returns where the text goes on.
    qsizetype Markup(qsizetype at)
    {
        const QStringView rest = QStringView(html_).mid(at);
        if (rest.startsWith(u"<!--"))
            return SkipPast(at + 4, u"-->");
        if (rest.startsWith(u"<!") || rest.startsWith(u"<?"))
            return SkipPast(at + 2, u">");
        const bool closing = rest.size() > 1 && rest[1] == u'/';
        const qsizetype nameStart = at + (closing ? 2 : 1);
        if (nameStart >= html_.size() || !IsLetter(html_[nameStart])) {
            Emit(u"&lt;", false); // a lone "<" is text
            return at + 1;
        }
        qsizetype nameEnd = nameStart;
        while (nameEnd < html_.size() && IsNameChar(html_[nameEnd]))
            ++nameEnd;
        const qsizetype end = TagEnd(nameEnd);
        if (end < 0)
            return html_.size(); // a tag cut off by the end of the page
        const QString name = html_.mid(nameStart, nameEnd - nameStart).toLower();
        const QStringView tag = QStringView(html_).mid(at, end + 1 - at);
        if (closing)
            Close(name, tag);
        else if (name == u"script")
            return SkipPast(end + 1, u"</script", true);
        else
            Start(name, tag, html_[end - 1] == u'/');
        return end + 1;
    }

    // The ">" that ends a tag whose name ends at `from`; quoted values may hold one.
    qsizetype TagEnd(qsizetype from) const
    {
        QChar quote;
        for (qsizetype i = from; i < html_.size(); ++i) {
            const QChar c = html_[i];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == u'"' || c == u'\'') {
                quote = c;
            } else if (c == u'>') {
                return i;
            }
        }
        return -1;
    }

    qsizetype SkipPast(qsizetype from, QStringView marker, bool thenTag = false) const
    {
        const qsizetype found = html_.indexOf(marker, from, Qt::CaseInsensitive);
        if (found < 0)
            return html_.size();
        if (!thenTag)
            return found + marker.size();
        const qsizetype end = TagEnd(found + marker.size());
        return end < 0 ? html_.size() : end + 1;
    }

    bool InKeptTable() const
    {
        for (auto open = stack_.rbegin(); open != stack_.rend(); ++open)
            if (open->name == u"table")
                return open->kept;
        return false;
    }

    // What goes inside tables costs once more for every table around it.
    void Charge(qsizetype length)
    {
        if (tableDepth_ == 0 || tablesDone_)
            return;
        tableText_ += length << std::min(tableDepth_ - 1, 16);
        if (tableText_ > bounds_.maxTableText)
            EndTables();
    }

    void Text(QStringView text, bool cuttable = true)
    {
        Charge(text.size());
        Emit(text, cuttable);
    }

    // Closes the open tables (and what is open inside them) here; no table
    // tag is kept after this.
    void EndTables()
    {
        tablesDone_ = true;
        const auto outermost = std::find_if(stack_.begin(), stack_.end(),
            [](const Open& open) { return open.kept && open.name == u"table"; });
        for (auto open = stack_.end(); open != outermost;) {
            --open;
            if (!open->kept)
                continue;
            open->kept = false;
            --depth_;
            if (open->name == u"table")
                --tableDepth_;
            Emit(QStringLiteral("</") + open->name + QStringLiteral(">"), false);
        }
    }

    void Start(const QString& name, QStringView tag, bool selfClosing)
    {
        Charge(tag.size());
        bool keep = depth_ < bounds_.maxDepth;
        if (name == u"table") {
            keep = keep && !tablesDone_ && tableDepth_ < bounds_.maxTableDepth;
        } else if (IsTablePart(name)) {
            const bool cell = name == u"td" || name == u"th";
            if (cell && !tablesDone_ && InKeptTable() && cells_ == bounds_.maxTableCells)
                EndTables();
            keep = keep && !tablesDone_ && InKeptTable();
            if (keep && cell)
                ++cells_;
            if (!keep)
                Text(name == u"tr" ? u"<br>" : u" ", false);
        }
        if (IsVoid(name) || selfClosing) {
            if (keep)
                Emit(tag, false);
            return;
        }
        stack_.push_back({ name, keep });
        ++openByName_[name];
        if (keep) {
            ++depth_;
            if (name == u"table")
                ++tableDepth_;
            Emit(tag, false);
        }
    }

    // Elements left open inside the one closed are closed with it. An end tag
    // that closes nothing goes at once, so the search costs no more in all than
    // the elements it pops.
    void Close(const QString& name, QStringView tag)
    {
        if (openByName_.value(name) == 0)
            return;
        for (std::size_t i = stack_.size(); i-- > 0;) {
            if (stack_[i].name != name)
                continue;
            const bool kept = stack_[i].kept;
            while (stack_.size() > i) {
                if (stack_.back().kept) {
                    --depth_;
                    if (stack_.back().name == u"table")
                        --tableDepth_;
                }
                --openByName_[stack_.back().name];
                stack_.pop_back();
            }
            if (kept)
                Emit(tag, false);
            return;
        }
    }

    // Text may be cut anywhere; a tag goes whole or not at all.
    void Emit(QStringView piece, bool text)
    {
        const qsizetype room = bounds_.maxLength - out_.size();
        if (piece.size() <= room) {
            out_ += piece;
            return;
        }
        if (text)
            out_ += piece.left(room);
        full_ = true;
    }

    const QString& html_;
    const MarkupBounds& bounds_;
    QString out_;
    std::vector<Open> stack_;
    QHash<QString, int> openByName_;
    int depth_ = 0; // kept elements open
    int tableDepth_ = 0; // kept tables open
    int cells_ = 0; // kept cells so far
    qsizetype tableText_ = 0; // text inside kept tables so far, weighted by their nesting
    bool tablesDone_ = false; // a table bound was reached: no more tables
    bool full_ = false;
};

} // namespace

QString BoundedMarkup(const QString& html, const MarkupBounds& bounds)
{
    return Bounder(html, bounds).Run();
}

QString BoundedText(const QString& text, const MarkupBounds& bounds)
{
    if (text.size() <= bounds.maxLength)
        return text;
    return text.left(bounds.maxLength) + Cut;
}
