// How fetched bytes become what the browser view shows, and how page text is decoded.
#include "PageContent.h"
#include "GifPictures.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace {

std::string Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

QImage Sample()
{
    QImage image(37, 21, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    return image;
}

PageAnswer Answer(std::string contentType, std::string body, bool ok = true)
{
    PageAnswer answer;
    answer.ok = ok;
    answer.status = ok ? 200 : 404;
    answer.contentType = std::move(contentType);
    answer.body = std::move(body);
    return answer;
}

struct KindCase {
    const char* name;
    PageAnswer answer;
    PageKind kind;
    QSize size; // pictures only
    int frames;
};

} // namespace

TEST(PageContentTest, BytesAndContentTypeDecideWhatIsShown)
{
    const std::string gif = fakes::ChartPicture(60, 40);
    const std::string binary("\x00\x01\x02\x03garbage\xff\xfe\x00", 14);
    const KindCase cases[] = {
        { "failed fetch, even with a body", Answer("text/html", "<p>error</p>", false), PageKind::Unshowable,
            {}, 0 },
        { "empty answer", Answer("text/html", ""), PageKind::Blank, {}, 0 },
        { "GIF sent as text/html", Answer("text/html", gif), PageKind::Picture, { 60, 40 }, 1 },
        { "PNG without a type", Answer("", Encoded(Sample(), "png")), PageKind::Picture, { 37, 21 }, 1 },
        { "JPEG", Answer("image/jpeg", Encoded(Sample(), "jpeg")), PageKind::Picture, { 37, 21 }, 1 },
        { "animated GIF", Answer("image/gif", fakes::AnimatedPicture(16, 12, 3)), PageKind::Animation,
            { 16, 12 }, 3 },
        { "GIF cut after its header", Answer("image/gif", gif.substr(0, 30)), PageKind::Unshowable, {}, 0 },
        { "picture type with garbage", Answer("image/png", binary), PageKind::Unshowable, {}, 0 },
        { "download type", Answer("application/octet-stream", "plain words"), PageKind::Unshowable, {}, 0 },
        { "binary without a type", Answer("", binary), PageKind::Unshowable, {}, 0 },
        { "markup without a type", Answer("", "  \r\n<html><body>x</body></html>"), PageKind::Html, {}, 0 },
        { "plain text", Answer("text/plain; charset=utf-8", "<b>not markup</b>"), PageKind::Text, {}, 0 },
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PageContent content = InterpretPage(c.answer);
        EXPECT_EQ(content.kind, c.kind);
        if (c.kind == PageKind::Picture || c.kind == PageKind::Animation) {
            EXPECT_EQ(content.size, c.size);
            EXPECT_EQ(content.frames, c.frames);
        }
        if (c.kind == PageKind::Picture) {
            EXPECT_EQ(content.picture.size(), c.size);
        }
        if (c.kind == PageKind::Animation) {
            EXPECT_EQ(content.animation.size(), static_cast<qsizetype>(c.answer.body.size()));
        }
    }
}

TEST(PageContentTest, PageTextIsDecodedByTheCharsetThatApplies)
{
    const std::string gbk = "\xd6\xd0\xce\xc4"; // 中文 in GBK
    const std::string utf8 = "\xe4\xb8\xad\xe6\x96\x87";
    const QString expected = QString::fromUtf8("中文");
    struct Case {
        const char* name;
        std::string contentType;
        std::string body;
        bool markup;
        QString contains;
    };
    const Case cases[] = {
        { "charset of the content type", "text/html; charset=GBK", gbk, true, expected },
        { "meta charset when the header names none", "text/html",
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">" + utf8, true,
            expected },
        { "header charset beats the meta charset", "text/html; charset=\"gb2312\"",
            "<meta charset=utf-8>" + gbk, true, expected },
        { "meta charset ignored in plain text", "text/plain", "charset=utf-8 " + gbk, false, expected },
        { "no charset anywhere: GBK", "", gbk, true, expected },
        { "byte order mark beats the header", "text/html; charset=gbk", "\xef\xbb\xbf" + utf8, true,
            expected },
        { "other charsets through Qt", "text/plain; charset=UTF-16LE", std::string("A\0B\0", 4), false,
            QStringLiteral("AB") },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = DecodePageText(c.body, c.contentType, c.markup);
        EXPECT_TRUE(text.contains(c.contains)) << text.toStdString();
    }
}

namespace {

MarkupBounds Bounds(qsizetype length, int depth, int tableDepth, int cells)
{
    MarkupBounds bounds;
    bounds.maxLength = length;
    bounds.maxDepth = depth;
    bounds.maxTableDepth = tableDepth;
    bounds.maxTableCells = cells;
    return bounds;
}

} // namespace

// Markup the document view could not lay out in a few milliseconds loses tags
// (never text) before it gets there; ordinary markup passes unchanged.
TEST(BoundedMarkup, KeepsOrdinaryMarkupAndCutsWhatCostsTheViewTooMuch)
{
    const MarkupBounds small = Bounds(40, 64, 6, 1000);
    const QString page = QStringLiteral(
        "<html><body><p class=\"a>b\">news <b>1</b></p><table><tr><td>x</td></tr></table></body></html>");
    struct Case {
        const char* what;
        QString html;
        MarkupBounds bounds;
        QString expected;
    } const cases[] = {
        { "ordinary page", page, {}, page },
        { "comments, document type and scripts go",
            QStringLiteral(
                "<!DOCTYPE html><!-- c --><p>a<script>if (1 < 2) document.write('x')</script>b</p>"),
            {}, QStringLiteral("<p>ab</p>") },
        { "a lone < is text", QStringLiteral("1 < 2"), {}, QStringLiteral("1 &lt; 2") },
        { "an end tag that closes nothing goes", QStringLiteral("a</div>b"), {}, QStringLiteral("ab") },
        { "a tag cut off by the end goes", QStringLiteral("ab<div class="), {}, QStringLiteral("ab") },
        { "deep elements keep their text", QStringLiteral("<div><div><div>x</div></div></div>y"),
            Bounds(1000, 2, 6, 1000), QStringLiteral("<div><div>x</div></div>y") },
        { "deep tables keep their text",
            QStringLiteral(
                "<table><tr><td><table><tr><td><table><tr><td>x</td></tr></table></td></tr></table>"
                "</td></tr></table>"),
            Bounds(1000, 64, 2, 1000),
            QStringLiteral("<table><tr><td><table><tr><td><br> x</td></tr></table></td></tr></table>") },
        { "the tables end where the cells reach their bound",
            QStringLiteral("<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>"),
            Bounds(1000, 64, 6, 2),
            QStringLiteral("<table><tr><td>a</td><td>b</td></tr><tr></tr></table> c") },
        { "text is cut at the length", QStringLiteral("0123456789") + QStringLiteral("x").repeated(40), small,
            QStringLiteral("0123456789") + QStringLiteral("x").repeated(30) + QStringLiteral("...") },
        { "a tag goes whole or not at all", QStringLiteral("y").repeated(36) + QStringLiteral("<b>z</b>"),
            small, QStringLiteral("y").repeated(36) + QStringLiteral("<b>z...") },
    };
    for (const Case& c : cases)
        EXPECT_EQ(BoundedMarkup(c.html, c.bounds).toStdString(), c.expected.toStdString()) << c.what;

    const QString text = QStringLiteral("t").repeated(50);
    EXPECT_EQ(BoundedText(text, small), text.left(40) + QStringLiteral("..."));
    EXPECT_EQ(BoundedText(QStringLiteral("short"), small), QStringLiteral("short"));
}

// Hostile markup of the largest size an answer may have is bounded in a single
// pass: every shape ends within the default bounds.
TEST(BoundedMarkup, AnyFourMebibytePageComesOutBounded)
{
    const int size = 4 * 1024 * 1024;
    const QString shapes[] = {
        QStringLiteral("<div>").repeated(size / 5),
        QStringLiteral("<table><tr><td>").repeated(size / 15),
        QStringLiteral("</span>").repeated(size / 7),
        QStringLiteral("<table>") + QStringLiteral("<tr><td>a</td><td>b</td></tr>").repeated(size / 29),
        QStringLiteral("<p>word</p>").repeated(size / 11),
    };
    const MarkupBounds bounds;
    for (const QString& html : shapes) {
        const QString bounded = BoundedMarkup(html);
        EXPECT_LE(bounded.size(), bounds.maxLength + 3);
        EXPECT_LE(bounded.count(QStringLiteral("<table")), bounds.maxDepth);
        EXPECT_LE(bounded.count(QStringLiteral("<td")), bounds.maxTableCells);
        EXPECT_LE(bounded.count(QStringLiteral("<div")), bounds.maxDepth);
    }
}
