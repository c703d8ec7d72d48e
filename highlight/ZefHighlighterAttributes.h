// One kind of token's look: display name, background and text colour, font style, with defaults and persistence.
#pragma once

#include "ZefGraphicsTypes.h"
#include "ZefPersistent.h"

#include <string>
#include <string_view>

class TZefSettingsStore;

// Owned by the highlighter that created it. Every setter stores only a different value and then calls
// Changed, which calls OnChange(this) when one is set (the owning highlighter's NotifyChange).
class TZefHighlighterAttributes : public TZefPersistent {
public:
    explicit TZefHighlighterAttributes(std::string name);

    // From another attribute: the name, then AssignColorsAndStyle. Anything else goes to the base.
    void Assign(const TZefPersistent& source) override;
    virtual void Changed();
    const char* ClassName() const override { return "TZefHighlighterAttributes"; }

    const std::string& Name() const { return name_; }
    TColor Background() const { return background_; }
    TColor Foreground() const { return foreground_; }
    TFontStyles Style() const { return style_; }
    TColor BackgroundDefault() const { return backgroundDefault_; }
    TColor ForegroundDefault() const { return foregroundDefault_; }
    TFontStyles StyleDefault() const { return styleDefault_; }

    void SetBackground(TColor value);
    void SetForeground(TColor value);
    void SetStyle(TFontStyles value);

    // Copies background, foreground and style; one Changed call when at least one of them differed.
    void AssignColorsAndStyle(const TZefHighlighterAttributes& source);
    // Records the current values as the defaults (what a form leaves out).
    void SaveAsDefaults();

    // A property is written to a form only when it differs from its recorded default.
    bool IsBackgroundStored() const { return background_ != backgroundDefault_; }
    bool IsForegroundStored() const { return foreground_ != foregroundDefault_; }
    bool IsStyleStored() const { return style_ != styleDefault_; }

    // The key holds the integer values "Background", "Foreground" (the 32 colour bits) and "Style" (0..15).
    // Load: false when the key is missing; each value that exists goes through its setter, a missing one
    // leaves the property alone; a value that is not an integer raises EZefSettingsError (values read
    // before it keep their effect). Save: false when the key cannot be created.
    bool LoadFromRegistry(const TZefSettingsStore& store, std::string_view key);
    bool SaveToRegistry(TZefSettingsStore& store, std::string_view key) const;

    TZefNotifyEvent OnChange;

private:
    TColor background_ = clNone;
    TColor backgroundDefault_ = clNone;
    TColor foreground_ = clNone;
    TColor foregroundDefault_ = clNone;
    std::string name_;
    TFontStyles style_ = 0;
    TFontStyles styleDefault_ = 0;
};
