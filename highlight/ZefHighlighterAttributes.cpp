// Highlighter attributes: change-checked setters, defaults and their registry layout.
#include "ZefHighlighterAttributes.h"

#include "ZefSettingsStore.h"

#include <utility>

namespace {

constexpr std::string_view kBackgroundValue = "Background";
constexpr std::string_view kForegroundValue = "Foreground";
constexpr std::string_view kStyleValue = "Style";

int32_t ColorToStored(TColor color) { return static_cast<int32_t>(color); }
TColor StoredToColor(int32_t value) { return static_cast<TColor>(value); }

} // namespace

TZefHighlighterAttributes::TZefHighlighterAttributes(std::string name) : name_(std::move(name)) {}

void TZefHighlighterAttributes::Assign(const TZefPersistent& source)
{
    const auto* attribute = dynamic_cast<const TZefHighlighterAttributes*>(&source);
    if (!attribute) {
        TZefPersistent::Assign(source);
        return;
    }
    if (attribute == this) return;
    name_ = attribute->name_;
    AssignColorsAndStyle(*attribute);
}

void TZefHighlighterAttributes::Changed()
{
    if (OnChange) OnChange(this);
}

void TZefHighlighterAttributes::SetBackground(TColor value)
{
    if (background_ == value) return;
    background_ = value;
    Changed();
}

void TZefHighlighterAttributes::SetForeground(TColor value)
{
    if (foreground_ == value) return;
    foreground_ = value;
    Changed();
}

void TZefHighlighterAttributes::SetStyle(TFontStyles value)
{
    if (style_ == value) return;
    style_ = value;
    Changed();
}

void TZefHighlighterAttributes::AssignColorsAndStyle(const TZefHighlighterAttributes& source)
{
    const bool differs =
        background_ != source.background_ || foreground_ != source.foreground_ || style_ != source.style_;
    background_ = source.background_;
    foreground_ = source.foreground_;
    style_ = source.style_;
    if (differs) Changed();
}

void TZefHighlighterAttributes::SaveAsDefaults()
{
    backgroundDefault_ = background_;
    foregroundDefault_ = foreground_;
    styleDefault_ = style_;
}

bool TZefHighlighterAttributes::LoadFromRegistry(const TZefSettingsStore& store, std::string_view key)
{
    if (!store.KeyExists(key)) return false;
    if (const auto value = store.ReadInteger(key, kBackgroundValue)) SetBackground(StoredToColor(*value));
    if (const auto value = store.ReadInteger(key, kForegroundValue)) SetForeground(StoredToColor(*value));
    if (const auto value = store.ReadInteger(key, kStyleValue)) {
        SetStyle(static_cast<TFontStyles>(static_cast<uint32_t>(*value) & kAllFontStyles));
    }
    return true;
}

bool TZefHighlighterAttributes::SaveToRegistry(TZefSettingsStore& store, std::string_view key) const
{
    if (!store.CreateKey(key)) return false;
    // A value the store refuses after the key opened is not reported: only a key that cannot be opened
    // makes the save fail.
    store.WriteInteger(key, kBackgroundValue, ColorToStored(background_));
    store.WriteInteger(key, kForegroundValue, ColorToStored(foreground_));
    store.WriteInteger(key, kStyleValue, style_);
    return true;
}
