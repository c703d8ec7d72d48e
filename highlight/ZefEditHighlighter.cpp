// The highlighter base: the sorted attribute list, notification chains, Assign and registry persistence.
#include "ZefEditHighlighter.h"

#include "CodePage1252.h"
#include "ZefHighlighterError.h"
#include "ZefSettingsStore.h"

#include <algorithm>
#include <typeinfo>

namespace {

// Case-insensitive order of attribute names through the code page's folding.
int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char ca = cp1252::ToUpper(static_cast<unsigned char>(a[i]));
        const unsigned char cb = cp1252::ToUpper(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace

TZefCustomHighlighter::TZefCustomHighlighter() : wordBreakChars_(zefchars::DefaultWordBreakChars()) {}

TZefCustomHighlighter::~TZefCustomHighlighter()
{
    // Handlers may unregister themselves while being told; work on a copy.
    const std::vector<FreeHook> hooks = freeHooks_;
    for (const FreeHook& hook : hooks) hook.handler(this);
}

int TZefCustomHighlighter::GetAttribCount() const { return static_cast<int>(attributes_.size()); }

TZefHighlighterAttributes* TZefCustomHighlighter::GetAttribute(int index) const
{
    if (index < 0 || index >= GetAttribCount()) return nullptr;
    return attributes_[static_cast<size_t>(index)].get();
}

std::string TZefCustomHighlighter::GetDefaultFilter() const { return defaultFilter_; }

TZefCharSet TZefCustomHighlighter::GetIdentChars() const { return zefchars::AllFromBang(); }

void TZefCustomHighlighter::SetWordBreakChars(const TZefCharSet& chars) { wordBreakChars_ = chars; }

std::string TZefCustomHighlighter::GetSampleSource() const { return {}; }

bool TZefCustomHighlighter::IsFilterStored() const { return true; }

void TZefCustomHighlighter::SetDefaultFilter(std::string filter) { defaultFilter_ = std::move(filter); }

void TZefCustomHighlighter::SetSampleSource(std::string_view) {}

TZefHighlighterCapabilities TZefCustomHighlighter::GetCapabilities() const { return hcRegistry; }

std::string TZefCustomHighlighter::GetLanguageName() const { return "<Unknown>"; }

TZefRangeState TZefCustomHighlighter::GetRange() const { return 0; }

bool TZefCustomHighlighter::IsKeyword(std::string_view) const { return false; }

void TZefCustomHighlighter::SetRange(TZefRangeState) {}

void TZefCustomHighlighter::ResetRange() {}

bool TZefCustomHighlighter::UseUserSettings(int) { return false; }

void TZefCustomHighlighter::EnumUserSettings(std::vector<std::string>& settings) { settings.clear(); }

bool TZefCustomHighlighter::LoadFromRegistry(const TZefSettingsStore& root, std::string_view key)
{
    if (!root.KeyExists(key)) return false;
    bool complete = true;
    for (const auto& attribute : attributes_) {
        if (!attribute->LoadFromRegistry(root, zefsettings::JoinKey(key, attribute->Name()))) complete = false;
    }
    return complete;
}

bool TZefCustomHighlighter::SaveToRegistry(TZefSettingsStore& root, std::string_view key)
{
    if (!root.CreateKey(key)) return false;
    bool complete = true;
    for (const auto& attribute : attributes_) {
        if (!attribute->SaveToRegistry(root, zefsettings::JoinKey(key, attribute->Name()))) complete = false;
    }
    return complete;
}

void TZefCustomHighlighter::Assign(const TZefPersistent& source)
{
    const auto* other = dynamic_cast<const TZefCustomHighlighter*>(&source);
    if (!other) {
        TZefPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    for (const auto& attribute : attributes_) {
        for (int i = 0; i < other->GetAttribCount(); ++i) {
            const TZefHighlighterAttributes* match = other->GetAttribute(i);
            if (match->Name() == attribute->Name()) {
                attribute->Assign(*match);
                break;
            }
        }
    }
    if (typeid(*other) == typeid(*this)) SetSampleSource(other->GetSampleSource());
    wordBreakChars_ = other->wordBreakChars_;
    SetDefaultFilter(other->GetDefaultFilter());
    SetEnabled(other->Enabled());
}

TZefHighlighterAttributes* TZefCustomHighlighter::AddAttribute(std::unique_ptr<TZefHighlighterAttributes> attribute)
{
    const std::string& name = attribute->Name();
    const auto position = std::lower_bound(
        attributes_.begin(), attributes_.end(), name,
        [](const auto& existing, const std::string& key) { return CompareIgnoringCase(existing->Name(), key) < 0; });
    if (position != attributes_.end() && CompareIgnoringCase((*position)->Name(), name) == 0) {
        throw EZefHighlighterError("Duplicate attribute name \"" + name + "\"");
    }
    return attributes_.insert(position, std::move(attribute))->get();
}

TZefHighlighterAttributes* TZefCustomHighlighter::AddAttribute(std::string name)
{
    return AddAttribute(std::make_unique<TZefHighlighterAttributes>(std::move(name)));
}

TZefHighlighterAttributes* TZefCustomHighlighter::FindAttribute(std::string_view name) const
{
    const auto position = std::lower_bound(
        attributes_.begin(), attributes_.end(), name,
        [](const auto& existing, std::string_view key) { return CompareIgnoringCase(existing->Name(), key) < 0; });
    if (position == attributes_.end() || CompareIgnoringCase((*position)->Name(), name) != 0) return nullptr;
    return position->get();
}

void TZefCustomHighlighter::SetAttributesOnChange(const TZefNotifyEvent& handler)
{
    for (const auto& attribute : attributes_) {
        attribute->OnChange = handler;
        attribute->SaveAsDefaults();
    }
}

void TZefCustomHighlighter::NotifyChange(TZefPersistent* sender)
{
    if (loading_) return;
    // A hook may add or remove hooks (an editor dropping this highlighter); the ones registered now are called.
    const std::vector<Hook> hooks = changeHooks_;
    for (const Hook& hook : hooks) hook.handler(sender);
}

void TZefCustomHighlighter::AddChangeHook(const void* owner, TZefNotifyEvent handler)
{
    changeHooks_.push_back({owner, std::move(handler)});
}

void TZefCustomHighlighter::RemoveChangeHook(const void* owner)
{
    std::erase_if(changeHooks_, [owner](const Hook& hook) { return hook.owner == owner; });
}

void TZefCustomHighlighter::AddFreeNotification(const void* owner, TFreeNotifyEvent handler)
{
    freeHooks_.push_back({owner, std::move(handler)});
}

void TZefCustomHighlighter::RemoveFreeNotification(const void* owner)
{
    std::erase_if(freeHooks_, [owner](const FreeHook& hook) { return hook.owner == owner; });
}

void TZefCustomHighlighter::NextToEol()
{
    while (!GetEol()) Next();
}

void TZefCustomHighlighter::ScanLineRange(std::string_view line, int lineIndex)
{
    SetLine(line, lineIndex);
    NextToEol();
}

void TZefCustomHighlighter::Loaded()
{
    loading_ = false;
    NotifyChange(nullptr);
}

void TZefCustomHighlighter::SetEnabled(bool value)
{
    if (enabled_ == value) return;
    enabled_ = value;
    NotifyChange(nullptr);
}
