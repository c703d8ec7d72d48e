// The application's highlighter set, built once with the command module.
#include "dmHighlighters.h"

#include "CodePage1252.h"
#include "ZefEditHighlighter.h"
#include "ZefHighlighterRegistry.h"

const THighlighterList* HighlighterList = nullptr;
TZefHighlighterSet* HighlighterSet = nullptr;

namespace {

const char* const kAllAndTextFilter = "All files (*.*)|*.*|Text (*.txt)|*.txt|";

} // namespace

TZefHighlighterSet::TZefHighlighterSet() : owned_(ZefCreateHighlighters())
{
    std::vector<TZefCustomHighlighter*> owner;
    for (const auto& highlighter : owned_) owner.push_back(highlighter.get());
    CollectHighlighters(&owner, &list_, false);
    dialogFilter_ = QString::fromLatin1(kAllAndTextFilter) + ZefFromCodePage(BuildHighlighterFilter(&list_));
    HighlighterList = &list_;
    HighlighterSet = this;
}

TZefHighlighterSet::~TZefHighlighterSet()
{
    if (HighlighterList == &list_) HighlighterList = nullptr;
    if (HighlighterSet == this) HighlighterSet = nullptr;
}

TZefCustomHighlighter* TZefHighlighterSet::HighlighterForFile(const QString& fileName) const
{
    if (fileName.isEmpty()) return nullptr;
    return FindHighlighterByExt(&list_, ExtractFileExt(ZefToCodePage(fileName)));
}

QString TZefHighlighterSet::SaveFilter(const TZefCustomHighlighter* highlighter)
{
    if (highlighter == nullptr) return QString::fromLatin1(kAllAndTextFilter);
    return ZefFromCodePage(highlighter->GetDefaultFilter());
}
