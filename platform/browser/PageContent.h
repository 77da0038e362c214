#pragma once
// What a fetched page becomes in the browser view: a picture, an animation,
// a document or nothing showable. Works on Qt Gui types only (no widgets), so
// the fetch's worker thread does the decoding and the user-interface thread
// only puts the result on screen.

#include "BoundedMarkup.h"
#include "WebAccess.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <string_view>

enum class PageKind {
    Blank, // an empty answer
    Picture, // a still picture: GIF, PNG, JPEG or another format Qt reads
    Animation, // a GIF of more than one frame
    Html, // markup, shown without scripts or external loads
    Text, // plain text
    Unshowable, // a failed fetch, or bytes that are none of the above
};

struct PageContent {
    PageKind kind = PageKind::Unshowable;
    QImage picture; // Picture
    QByteArray animation; // Animation: the GIF's bytes, for QMovie
    QSize size; // Picture, Animation
    int frames = 0; // Picture (1), Animation
    QString text; // Html: the markup; Text: the text
};

// How much a page may cost the view that shows it.
struct PageBounds {
    // A picture larger than this (the view or the screen, whichever is larger)
    // is scaled down to fit while it is decoded, and an animation that large
    // shows its first frame only, so the view never holds or plays it whole.
    // Empty: no bound.
    QSize picture;
    // A picture that would need more memory than this to decode is unshowable.
    int decodeMegabytes = 64;
    MarkupBounds markup;
};

// Decides by the bytes first (GIF, PNG and JPEG signatures, as browsers sniff
// pictures whatever the server claims), then by the content type; without a
// content type, markup and text are recognised by their look. Documents come
// back cut to the bounds (BoundedMarkup, BoundedText).
PageContent InterpretPage(const PageAnswer& answer, const PageBounds& bounds = {});

// The page's text as Unicode: a byte order mark first, then the charset of the
// content type, then (for markup) a charset named in the first kilobyte; GBK
// when none is given, the code page of the systems the program is made for.
QString DecodePageText(std::string_view body, std::string_view contentType, bool markup);
