// The abstract highlighter: attributes, change hooks, users, word sets, persistence and the token protocol.
#pragma once

#include "ZefCharSet.h"
#include "ZefHighlighterAttributes.h"
#include "ZefPersistent.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TZefSettingsStore;

// A line's range state as the line store keeps it (the same type as its TZefRangeState); a highlighter stores
// the ordinal of its own range enumeration, so the same state always gives the same value. The store marks a
// line never scanned with -1, a value no highlighter produces.
using TZefRangeState = int32_t;

enum TZefHighlighterCapability : uint8_t {
    hcUserSettings = 1, // can import colour settings kept by other editors
    hcRegistry = 2,     // can load and save its attributes in the registry
};
using TZefHighlighterCapabilities = uint8_t;

// Indexes for GetDefaultAttribute.
enum TZefDefaultAttribute : int {
    kZefAttribComment = 0,
    kZefAttribIdentifier = 1,
    kZefAttribKeyword = 2,
    kZefAttribString = 3,
    kZefAttribWhitespace = 4,
    kZefAttribSymbol = 5,
};

// Token protocol, for one line with 0-based index i: ResetRange when i = 0, else SetRange(range stored for
// line i-1); SetLine(text, i), which makes the first token current; while !GetEol(): read GetTokenPos,
// GetToken, GetTokenAttribute / GetTokenKind, then Next. GetRange then answers the state the next line
// starts in. The highlighter keeps a view of the caller's text until the line's last token has been read.
//
// A highlighter is shared by every document of its language and is not re-entrant: each consumer sets the
// range and line itself before reading tokens. It never owns its users; users register change hooks and
// free notifications under an owner key and remove them when they let go of it.
class TZefCustomHighlighter : public TZefPersistent {
public:
    TZefCustomHighlighter();
    // Tells every registered user (free notifications) before the attributes go. By then the language's
    // own parts are destroyed: a handler may compare the pointer and unregister, but not call operations.
    ~TZefCustomHighlighter() override;
    TZefCustomHighlighter(const TZefCustomHighlighter&) = delete;
    TZefCustomHighlighter& operator=(const TZefCustomHighlighter&) = delete;

    const char* ClassName() const override { return "TZefCustomHighlighter"; }

    // The table of virtual operations, in order.
    virtual int GetAttribCount() const;
    // The index-th attribute in case-insensitive order of names; nullptr outside 0..count-1.
    virtual TZefHighlighterAttributes* GetAttribute(int index) const;
    virtual TZefHighlighterAttributes* GetDefaultAttribute(int index) const = 0;
    virtual std::string GetDefaultFilter() const;
    virtual TZefCharSet GetIdentChars() const;
    virtual void SetWordBreakChars(const TZefCharSet& chars);
    virtual std::string GetSampleSource() const;
    virtual bool IsFilterStored() const;
    virtual void SetDefaultFilter(std::string filter);
    virtual void SetSampleSource(std::string_view source);
    virtual TZefHighlighterCapabilities GetCapabilities() const;
    virtual std::string GetLanguageName() const;
    virtual bool GetEol() const = 0;
    virtual TZefRangeState GetRange() const;
    // The current token's text, a view of the line given to SetLine.
    virtual std::string_view GetToken() const = 0;
    virtual TZefHighlighterAttributes* GetTokenAttribute() const = 0;
    virtual int GetTokenKind() const = 0;
    // 0-based offset of the current token in the line.
    virtual int GetTokenPos() const = 0;
    virtual bool IsKeyword(std::string_view word) const;
    virtual void Next() = 0;
    virtual void SetLine(std::string_view line, int lineIndex) = 0;
    virtual void SetRange(TZefRangeState value);
    virtual void ResetRange();
    virtual bool UseUserSettings(int settingsIndex);
    virtual void EnumUserSettings(std::vector<std::string>& settings);
    // One subkey per attribute, named as the attribute, below `key`. Load: false when the key or any
    // attribute's subkey is missing (the others still load). Save: false when the key or a subkey cannot be
    // created. A stored value that is not an integer raises EZefSettingsError.
    virtual bool LoadFromRegistry(const TZefSettingsStore& root, std::string_view key);
    virtual bool SaveToRegistry(TZefSettingsStore& root, std::string_view key);
    // Scans `line` for its end state only, starting from the range set before (ResetRange / SetRange), and
    // leaves that state in GetRange; the token accessors mean nothing until the next SetLine. The range
    // scans of the editor use it. It must give exactly the state the token loop (SetLine, NextToEol) gives:
    // the base runs that loop, and a language may find the same state faster.
    virtual void ScanLineRange(std::string_view line, int lineIndex);

    // For each own attribute, the source attribute of the same name (exact); the sample source when the
    // source is of the same class; the word-break set, DefaultFilter and Enabled. Non-highlighters go to
    // the base, which raises EZefAssignError.
    void Assign(const TZefPersistent& source) override;

    // Takes ownership; raises EZefHighlighterError when an attribute of that name (ignoring case) exists.
    TZefHighlighterAttributes* AddAttribute(std::unique_ptr<TZefHighlighterAttributes> attribute);
    TZefHighlighterAttributes* AddAttribute(std::string name);
    // The attribute named `name` (ignoring case), or nullptr.
    TZefHighlighterAttributes* FindAttribute(std::string_view name) const;
    // Every attribute reports to `handler` from now on, and its current values become its defaults.
    void SetAttributesOnChange(const TZefNotifyEvent& handler);

    // Calls every change hook, in registration order, with `sender`; nothing while loading.
    void NotifyChange(TZefPersistent* sender);
    // Registers `handler` under `owner` (an editor); RemoveChangeHook drops every hook of that owner.
    void AddChangeHook(const void* owner, TZefNotifyEvent handler);
    void RemoveChangeHook(const void* owner);
    int ChangeHookCount() const { return static_cast<int>(changeHooks_.size()); }

    // Users that reference the highlighter learn of its destruction here (and then must not touch it).
    using TFreeNotifyEvent = std::function<void(TZefCustomHighlighter* highlighter)>;
    void AddFreeNotification(const void* owner, TFreeNotifyEvent handler);
    void RemoveFreeNotification(const void* owner);

    // Next until GetEol.
    void NextToEol();

    // Streaming bracket: between BeginLoading and Loaded, change notification is off; Loaded fires one
    // NotifyChange with no sender.
    void BeginLoading() { loading_ = true; }
    void Loaded();
    bool IsLoading() const { return loading_; }

    bool Enabled() const { return enabled_; }
    // A changed value fires NotifyChange with no sender.
    void SetEnabled(bool value);
    const TZefCharSet& WordBreakChars() const { return wordBreakChars_; }
    const std::string& DefaultFilter() const { return defaultFilter_; }

private:
    struct Hook {
        const void* owner;
        TZefNotifyEvent handler;
    };
    struct FreeHook {
        const void* owner;
        TFreeNotifyEvent handler;
    };

    std::vector<std::unique_ptr<TZefHighlighterAttributes>> attributes_; // sorted by name, ignoring case
    std::vector<Hook> changeHooks_;
    std::vector<FreeHook> freeHooks_;
    bool enabled_ = true;
    bool loading_ = false;
    TZefCharSet wordBreakChars_;
    std::string defaultFilter_;
};
