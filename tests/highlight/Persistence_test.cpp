// Attribute persistence through the settings store interface, with the in-memory store.
#include "support/TestHighlighter.h"

#include "ZefMemorySettingsStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using T = TZefTestHighlighter;

const std::string kKey = std::string(kZefSettingsKey) + "\\Test";

// Every attribute as "name=background/foreground/style".
std::string Colours(const TZefCustomHighlighter& highlighter)
{
    std::string text;
    for (int i = 0; i < highlighter.GetAttribCount(); ++i) {
        const TZefHighlighterAttributes& a = *highlighter.GetAttribute(i);
        text += a.Name() + "=" + std::to_string(a.Background()) + "/" + std::to_string(a.Foreground()) + "/" +
                std::to_string(a.Style()) + " ";
    }
    return text;
}

} // namespace

TEST(Persistence, SaveThenLoadRestoresEveryColourAndStyle)
{
    T saved;
    saved.keyAttri_->SetForeground(clWindowText);
    saved.keyAttri_->SetBackground(clWindow);
    saved.keyAttri_->SetStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
    saved.commentAttri_->SetBackground(ColorRGB(1, 2, 3));
    TZefMemorySettingsStore store;
    ASSERT_TRUE(saved.SaveToRegistry(store, kKey));

    // The layout: a subkey per attribute with three integers; clNone is 536870911, system colours keep their bits.
    EXPECT_EQ(store.ReadInteger(kKey + "\\Identifier", "Background"), 536870911);
    EXPECT_EQ(store.ReadInteger(kKey + "\\Reserved Word", "Foreground"), static_cast<int32_t>(0xFF000008u));
    EXPECT_EQ(store.ReadInteger(kKey + "\\Reserved Word", "Style"), 15);
    EXPECT_EQ(store.ReadInteger(kKey + "\\Comment", "Background"), 0x030201);

    T loaded;
    loaded.identifierAttri_->SetForeground(clRed); // overwritten by the stored clNone
    std::string log;
    loaded.AddChangeHook(&log, [&](TZefPersistent*) { log += "."; });
    ASSERT_TRUE(loaded.LoadFromRegistry(store, kKey));
    EXPECT_EQ(Colours(loaded), Colours(saved));
    EXPECT_EQ(log, ".....") << "one notice per property that changed: comment background, identifier foreground, "
                               "and the three of the reserved word";
}

TEST(Persistence, MissingKeysSubkeysAndValues)
{
    T highlighter;
    TZefMemorySettingsStore store;
    EXPECT_FALSE(highlighter.LoadFromRegistry(store, kKey)) << "no key";

    // Only the Comment subkey, with only a foreground: that attribute loads, the result is still false.
    ASSERT_TRUE(store.WriteInteger(kKey + "\\comment", "Foreground", static_cast<int32_t>(clBlue)));
    const std::string before = Colours(highlighter);
    EXPECT_FALSE(highlighter.LoadFromRegistry(store, kKey));
    EXPECT_EQ(highlighter.commentAttri_->Foreground(), clBlue);
    EXPECT_EQ(highlighter.commentAttri_->Style(), fsItalic) << "a missing value leaves the property alone";
    highlighter.commentAttri_->SetForeground(clGreen);
    EXPECT_EQ(Colours(highlighter), before);

    // A read-only store cannot take a save.
    store.SetReadOnly(true);
    EXPECT_FALSE(highlighter.SaveToRegistry(store, kKey + "2"));
}

TEST(Persistence, AValueOfTheWrongTypeStopsTheLoadWithItsName)
{
    T saved;
    TZefMemorySettingsStore store;
    saved.commentAttri_->SetForeground(clFuchsia);
    saved.keyAttri_->SetForeground(clOlive);
    ASSERT_TRUE(saved.SaveToRegistry(store, kKey));
    ASSERT_TRUE(store.WriteString(kKey + "\\Comment", "Style", "bold"));

    T loaded;
    try {
        loaded.LoadFromRegistry(store, kKey);
        FAIL() << "a string style was accepted";
    } catch (const EZefSettingsError& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'Style'");
    }
    EXPECT_EQ(loaded.commentAttri_->Foreground(), clFuchsia) << "values read before the error keep their effect";
    EXPECT_EQ(loaded.keyAttri_->Foreground(), clNone) << "attributes after the error are not read";
}

TEST(Persistence, StyleBitsBeyondTheFourStylesAreIgnored)
{
    T highlighter;
    TZefMemorySettingsStore store;
    ASSERT_TRUE(highlighter.SaveToRegistry(store, kKey));
    ASSERT_TRUE(store.WriteInteger(kKey + "\\Number", "Style", 0x12)); // 16 is no style, 2 is italic
    EXPECT_TRUE(highlighter.LoadFromRegistry(store, kKey));
    EXPECT_EQ(highlighter.numberAttri_->Style(), fsItalic);
}

TEST(MemorySettingsStore, KeysAndValuesIgnoreCaseAndParentsAreCreated)
{
    TZefMemorySettingsStore store;
    EXPECT_FALSE(store.KeyExists("A\\B"));
    ASSERT_TRUE(store.WriteString("A\\B\\", "Name", "x"));
    ASSERT_TRUE(store.WriteInteger("\\a\\b", "NAME", 7)); // the same value, now an integer
    ASSERT_TRUE(store.CreateKey("a\\c"));
    EXPECT_TRUE(store.KeyExists("a"));
    EXPECT_EQ(store.ReadInteger("A\\b", "name"), 7);
    EXPECT_EQ(store.ReadString("A\\b", "name"), "7");
    EXPECT_EQ(store.ReadString("A\\b", "other"), std::nullopt);
    EXPECT_EQ(store.ReadInteger("A\\missing", "name"), std::nullopt);
    EXPECT_EQ(store.DebugDump(), "A\nA\\B\n  Name=i:7\na\\c\n");
    EXPECT_TRUE(store.DeleteValue("a\\b", "Name"));
    EXPECT_FALSE(store.DeleteValue("a\\b", "Name"));
    EXPECT_TRUE(store.DeleteKey("A"));
    EXPECT_EQ(store.DebugDump(), "");
    EXPECT_FALSE(store.CreateKey("")) << "the branch itself is not a key";
}
