#pragma once
// Bookmarks, each a title and a position in some text, shown as menu items
// (caption: the title, tag: the position) and kept in an XML file:
//
//   <?xml version="1.0" encoding="GB2312"?>
//   <Root>
//   	<Bookmark title="..." pos="12" />
//   </Root>
//
// A form points PopupMenu or MenuItem at the menu that lists them, sets the
// FileName, and reads the tag of the clicked item (the sender) in OnMenuClick.

#include "NuvDynamicMenuManager.h"
#include "NuvItems.h"

#include <string>

struct TNuvBaseBookmark {
    std::string Title; // also the menu caption
    std::string Pos; // the position as decimal text
};

class TNuvTextBookmark : public TNuvDynamicMenuManager {
    Q_OBJECT

public:
    explicit TNuvTextBookmark(QObject* owner = nullptr);
    ~TNuvTextBookmark() override;

    // Appends a bookmark and its menu item; with MaxCount 0 or more and the list
    // full, the first bookmark goes first (the last one takes its place).
    void Add(const std::string& title, int pos);
    // Removes bookmark `i` and its menu item (the last bookmark takes its place);
    // EListError outside the list.
    void Delete(int i);
    // Removes every bookmark and its menu item.
    void Clear();
    int GetCount() const { return items_.Count(); }
    // Bookmark `i`, still owned by the list; EListError outside the list.
    TNuvBaseBookmark* GetItem(int i) const { return items_.Items(i); }

    // Replaces the list with the file's bookmarks: every child element of the
    // root, whatever its name. A missing file is created with an empty root.
    // EConvertError for an element without "title" or "pos" (before it is added)
    // or a "pos" that is no decimal integer (after it was added with tag 0);
    // the bookmarks before it stay. The XML file's errors travel to the caller
    // and leave the list as it was.
    void Load();
    // Writes the list to the file, in list order.
    void Save();

private:
    nuv::TItems<TNuvBaseBookmark> items_;
};
