#pragma once
// A page's markup cut down to what the document view can lay out in a few
// milliseconds. Qt's rich-text engine parses and lays out on the thread that
// shows the document, and some markup costs it far more than its size: each
// table nested in another doubles the time (twenty levels take seconds), and
// every table cell costs as much as a paragraph of text, and text inside a
// table is laid out again for each table around it. So, before the view sees
// it, on the fetch's worker:
//   - tables nested deeper than maxTableDepth lose their table tags and keep
//     their text (a cell ends in a blank, a row in a line break);
//   - once the page's tables hold maxTableCells cells, or maxTableText
//     characters of text (a character counting twice for each table around
//     it), the open tables are closed there and the rest of the page has no
//     tables, only their text;
//   - elements opened deeper than maxDepth lose their tags and keep their text;
//   - comments, document types, processing instructions and scripts go;
//   - the markup ends after maxLength characters (at a tag or in a text), with
//     "..." to show that something was cut.
// Everything else passes unchanged, so an ordinary page looks as it did.

#include <QString>

struct MarkupBounds {
    qsizetype maxLength = 64 * 1024;
    int maxDepth = 64;
    int maxTableDepth = 4;
    int maxTableCells = 1000;
    qsizetype maxTableText = 16 * 1024;
};

QString BoundedMarkup(const QString& html, const MarkupBounds& bounds = {});

// Plain text cut after maxLength characters, with "..." when cut.
QString BoundedText(const QString& text, const MarkupBounds& bounds = {});
