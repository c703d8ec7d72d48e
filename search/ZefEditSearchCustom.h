// The abstract search engine the editor control asks, one line at a time, for every occurrence of a
// pattern; and the search options that travel between the search dialogs, the editor and the engines.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Eight flags in one byte; the bit order is fixed because the set travels as that byte.
enum TSearchOption : uint8_t {
    soMatchCase = 1,
    soWholeWord = 2,
    soBackwards = 4,
    soEntireScope = 8,
    soSelectedOnly = 16,
    soReplace = 32,
    soReplaceAll = 64,
    soPrompt = 128,
};
using TSearchOptions = uint8_t;

// An engine has no state of its own at this level. Positions are 1-based byte indexes into the line given
// to FindAll; results are numbered from 0, ascend and never overlap. Editors only reference an engine and
// learn of its destruction through AddFreeNotification.
class TZefEditSearchCustom {
public:
    using TFreeNotification = std::function<void(TZefEditSearchCustom* engine)>;

    TZefEditSearchCustom() = default;
    TZefEditSearchCustom(const TZefEditSearchCustom&) = delete;
    TZefEditSearchCustom& operator=(const TZefEditSearchCustom&) = delete;
    virtual ~TZefEditSearchCustom();

    virtual std::string GetPattern() const = 0;
    virtual void SetPattern(std::string_view value) = 0;
    virtual int GetLength(int index) const = 0;
    virtual int GetResult(int index) const = 0;
    virtual int GetResultCount() const = 0;
    virtual void SetOptions(TSearchOptions value) = 0;
    // Finds every occurrence in text, replacing the previous result list; returns their number.
    virtual int FindAll(std::string_view text) = 0;
    // The text that is to take the place of the matched text.
    virtual std::string Replace(std::string_view occurrence, std::string_view replacement) = 0;
    // The text that is to take the place of result `index` of the last FindAll, built from that match in its
    // line (so a template can refer to the match's groups and to context such as word boundaries).
    virtual std::string ReplacementFor(int index, std::string_view replacement) = 0;
    // True when ReplacementFor always gives the replacement as it is, whatever the match: a caller replacing
    // many matches may then use the replacement itself instead of asking for each one.
    virtual bool ReplacementIsLiteral() const { return false; }

    std::string Pattern() const { return GetPattern(); }
    int ResultCount() const { return GetResultCount(); }
    int Results(int index) const { return GetResult(index); }
    int Lengths(int index) const { return GetLength(index); }

    // The client's callback runs once when the engine is destroyed, unless removed before.
    void AddFreeNotification(const void* client, TFreeNotification callback);
    void RemoveFreeNotification(const void* client);

private:
    std::vector<std::pair<const void*, TFreeNotification>> freeNotifications_;
};
