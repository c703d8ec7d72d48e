// The application's highlighters: one instance of each language, the highlighter list and the dialog filters.
#pragma once

#include "ZefCodePageText.h"
#include "uHighlighterProcs.h"

#include <QString>

#include <memory>
#include <vector>

class TZefCustomHighlighter;

// Owned by the command module; every document only references these instances.
class TZefHighlighterSet {
public:
    TZefHighlighterSet();
    ~TZefHighlighterSet();
    TZefHighlighterSet(const TZefHighlighterSet&) = delete;
    TZefHighlighterSet& operator=(const TZefHighlighterSet&) = delete;

    const THighlighterList& List() const { return list_; }
    // "All files (*.*)|*.*|" + "Text (*.txt)|*.txt|" + every highlighter's filter.
    const QString& DialogFilter() const { return dialogFilter_; }
    // None for an empty name; otherwise by the extension of the name.
    TZefCustomHighlighter* HighlighterForFile(const QString& fileName) const;
    // The Save As filter: the highlighter's own filter, or all files and text without one.
    static QString SaveFilter(const TZefCustomHighlighter* highlighter);

private:
    std::vector<std::unique_ptr<TZefCustomHighlighter>> owned_;
    THighlighterList list_;
    QString dialogFilter_;
};

// The one highlighter list of the running program (null before the command module exists and after it is
// gone); documents pick entries from it by index.
extern const THighlighterList* HighlighterList;
// The running program's set (null alike).
extern TZefHighlighterSet* HighlighterSet;

