// Attribute changes reaching the users of a shared highlighter, the attribute list, and Assign.
#include "support/TestHighlighter.h"

#include "ZefHighlighterError.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using T = TZefTestHighlighter;

// An editor-like user: records each notification as "<owner>:<sender>" into a shared log.
struct User {
    std::string* log;
    std::string name;
    void Attach(TZefCustomHighlighter& highlighter)
    {
        highlighter.AddChangeHook(this, [this](TZefPersistent* sender) {
            *log += name + ":" + Describe(sender) + " ";
        });
    }
    static std::string Describe(TZefPersistent* sender)
    {
        if (!sender) return "none";
        if (auto* attribute = dynamic_cast<TZefHighlighterAttributes*>(sender)) return attribute->Name();
        if (auto* highlighter = dynamic_cast<TZefCustomHighlighter*>(sender)) return highlighter->GetLanguageName();
        return "?";
    }
};

} // namespace

TEST(HighlighterChanges, AttributeChangesReachEveryAttachedUserInOrderOnce)
{
    T highlighter;
    std::string log;
    User first{&log, "ed1"};
    User second{&log, "ed2"};
    first.Attach(highlighter);
    second.Attach(highlighter);

    highlighter.keyAttri_->SetForeground(highlighter.keyAttri_->Foreground()); // same value: nothing
    highlighter.keyAttri_->SetStyle(fsBold);                                     // constructor's value: nothing
    EXPECT_EQ(log, "");
    highlighter.keyAttri_->SetForeground(clBlue);
    highlighter.commentAttri_->SetBackground(clYellow);
    highlighter.stringAttri_->SetStyle(fsUnderline | fsStrikeOut);
    EXPECT_EQ(log, "ed1:Reserved Word ed2:Reserved Word ed1:Comment ed2:Comment ed1:String ed2:String ");

    log.clear();
    highlighter.SetEnabled(true); // unchanged
    highlighter.SetEnabled(false);
    highlighter.NotifyChange(&highlighter); // what a scanning setting does
    EXPECT_EQ(log, "ed1:none ed2:none ed1:Test ed2:Test ");

    log.clear();
    highlighter.RemoveChangeHook(&first);
    highlighter.keyAttri_->SetForeground(clRed);
    EXPECT_EQ(log, "ed2:Reserved Word ");
    EXPECT_EQ(highlighter.ChangeHookCount(), 1);
}

TEST(HighlighterChanges, NothingIsReportedWhileLoadingAndLoadedReportsOnce)
{
    T highlighter;
    std::string log;
    User user{&log, "ed"};
    user.Attach(highlighter);
    highlighter.BeginLoading();
    highlighter.keyAttri_->SetForeground(clTeal);
    highlighter.SetEnabled(false);
    EXPECT_EQ(log, "");
    highlighter.Loaded();
    EXPECT_EQ(log, "ed:none ");
    EXPECT_FALSE(highlighter.IsLoading());
}

TEST(HighlighterChanges, ConstructorColoursBecomeDefaultsAndOnlyChangedPropertiesAreStored)
{
    T highlighter;
    TZefHighlighterAttributes& comment = *highlighter.commentAttri_;
    EXPECT_EQ(comment.ForegroundDefault(), clGreen);
    EXPECT_EQ(comment.StyleDefault(), fsItalic);
    EXPECT_EQ(comment.BackgroundDefault(), clNone);
    EXPECT_FALSE(comment.IsForegroundStored() || comment.IsBackgroundStored() || comment.IsStyleStored());
    comment.SetForeground(clPurple);
    EXPECT_TRUE(comment.IsForegroundStored());
    EXPECT_FALSE(comment.IsStyleStored());
}

TEST(HighlighterChanges, UsersLearnOfTheHighlightersDestruction)
{
    std::string log;
    auto highlighter = std::make_unique<T>();
    TZefCustomHighlighter* const raw = highlighter.get();
    int first = 0;
    int second = 0;
    int third = 0;
    highlighter->AddFreeNotification(&first, [&](TZefCustomHighlighter* h) {
        log += h == raw ? "1 " : "1:other ";
        h->RemoveFreeNotification(&first); // what an editor does when it drops its reference
        h->RemoveChangeHook(&first);
    });
    highlighter->AddFreeNotification(&second, [&](TZefCustomHighlighter*) { log += "2 "; });
    highlighter->AddFreeNotification(&third, [&](TZefCustomHighlighter*) { log += "3 "; });
    highlighter->RemoveFreeNotification(&second);
    highlighter.reset();
    EXPECT_EQ(log, "1 3 ");
}

TEST(AttributeList, IndexOrderIsByNameIgnoringCaseAndDuplicatesAreRejected)
{
    T highlighter;
    highlighter.AddAttribute("alpha");
    std::string names;
    for (int i = 0; i < highlighter.GetAttribCount(); ++i) names += highlighter.GetAttribute(i)->Name() + ",";
    EXPECT_EQ(names, "alpha,Comment,Identifier,Number,Reserved Word,Space,String,Symbol,");
    EXPECT_EQ(highlighter.GetAttribute(-1), nullptr);
    EXPECT_EQ(highlighter.GetAttribute(highlighter.GetAttribCount()), nullptr);
    EXPECT_EQ(highlighter.FindAttribute("RESERVED word"), highlighter.keyAttri_);
    EXPECT_EQ(highlighter.FindAttribute("Reserved"), nullptr);
    try {
        highlighter.AddAttribute("COMMENT");
        FAIL() << "a second attribute named Comment was accepted";
    } catch (const EZefHighlighterError& error) {
        EXPECT_STREQ(error.what(), "Duplicate attribute name \"COMMENT\"");
    }
    EXPECT_EQ(highlighter.GetAttribCount(), 8);
}

TEST(AttributeList, BaseDefaultsOfTheOperationTable)
{
    struct Bare : TZefCustomHighlighter {
        TZefHighlighterAttributes* GetDefaultAttribute(int) const override { return nullptr; }
        bool GetEol() const override { return true; }
        std::string_view GetToken() const override { return {}; }
        TZefHighlighterAttributes* GetTokenAttribute() const override { return nullptr; }
        int GetTokenKind() const override { return 0; }
        int GetTokenPos() const override { return 0; }
        void Next() override {}
        void SetLine(std::string_view, int) override {}
    } bare;
    EXPECT_EQ(bare.GetLanguageName(), "<Unknown>");
    EXPECT_EQ(bare.GetCapabilities(), hcRegistry);
    EXPECT_EQ(bare.GetDefaultFilter(), "");
    EXPECT_EQ(bare.GetRange(), 0);
    EXPECT_TRUE(bare.Enabled());
    EXPECT_TRUE(bare.IsFilterStored());
    EXPECT_FALSE(bare.IsKeyword("begin"));
    EXPECT_FALSE(bare.UseUserSettings(0));
    bare.SetSampleSource("ignored");
    EXPECT_EQ(bare.GetSampleSource(), "");
    std::vector<std::string> settings{"stale"};
    bare.EnumUserSettings(settings);
    EXPECT_TRUE(settings.empty());
    EXPECT_EQ(bare.GetIdentChars(), TZefCharSet().AddRange(33, 255));
    EXPECT_EQ(bare.WordBreakChars().ToString(), "!\"'()*+,-./:;=?[\\]^{|}");
}

TEST(Assign, CopiesAttributesByNameAndTheSettings)
{
    T source;
    source.keyAttri_->SetForeground(clRed);
    source.keyAttri_->SetStyle(fsBold | fsUnderline);
    source.commentAttri_->SetBackground(clAqua);
    source.SetWordBreakChars(TZefCharSet(".,"));
    source.SetDefaultFilter("Other (*.oth)|*.oth");
    source.SetEnabled(false);
    source.SetSampleSource("begin end");

    T target;
    std::string log;
    User user{&log, "ed"};
    user.Attach(target);
    target.Assign(source);
    EXPECT_EQ(target.keyAttri_->Foreground(), clRed);
    EXPECT_EQ(target.keyAttri_->Style(), fsBold | fsUnderline);
    EXPECT_EQ(target.commentAttri_->Background(), clAqua);
    EXPECT_EQ(target.commentAttri_->Foreground(), clGreen);
    EXPECT_EQ(target.WordBreakChars(), TZefCharSet(".,"));
    EXPECT_EQ(target.GetDefaultFilter(), "Other (*.oth)|*.oth");
    EXPECT_FALSE(target.Enabled());
    EXPECT_EQ(target.GetSampleSource(), "begin end") << "same class: the sample source is copied";
    EXPECT_EQ(log, "ed:Comment ed:Reserved Word ed:none ") << "one notice per changed attribute (in list order), one for Enabled";

    // From another class: attributes are matched by exact name, and the sample source stays.
    struct Other : TZefScanHighlighter {
        Other() : TZefScanHighlighter(0)
        {
            AddAttribute("reserved word")->SetForeground(clLime);
            AddAttribute("Comment")->SetForeground(clOlive);
        }
        TZefHighlighterAttributes* GetDefaultAttribute(int) const override { return nullptr; }
        void ScanToken() override { Cursor().SkipToEnd(); }
    } other;
    T plain;
    plain.SetSampleSource("mine");
    plain.Assign(other);
    EXPECT_EQ(plain.keyAttri_->Foreground(), clNone);
    EXPECT_EQ(plain.commentAttri_->Foreground(), clOlive);
    EXPECT_EQ(plain.GetSampleSource(), "mine");
}

TEST(Assign, AttributeAssignCopiesNameColoursAndStyleWithOneNotice)
{
    TZefHighlighterAttributes source("Source");
    source.SetBackground(clBlack);
    source.SetForeground(clWhite);
    source.SetStyle(fsItalic);
    TZefHighlighterAttributes target("Target");
    int notices = 0;
    target.OnChange = [&](TZefPersistent* sender) {
        EXPECT_EQ(sender, &target);
        ++notices;
    };
    target.Assign(source);
    EXPECT_EQ(target.Name(), "Source");
    EXPECT_EQ(target.Background(), clBlack);
    EXPECT_EQ(target.Foreground(), clWhite);
    EXPECT_EQ(target.Style(), fsItalic);
    EXPECT_EQ(notices, 1);
    target.AssignColorsAndStyle(source);
    EXPECT_EQ(notices, 1) << "nothing differed";
}

TEST(Assign, UnrelatedSourcesAreRefused)
{
    T highlighter;
    TZefHighlighterAttributes attribute("Comment");
    try {
        highlighter.Assign(attribute);
        FAIL() << "an attribute was assigned to a highlighter";
    } catch (const EZefAssignError& error) {
        EXPECT_STREQ(error.what(), "Cannot assign a TZefHighlighterAttributes to a TZefTestHighlighter");
    }
    EXPECT_THROW(attribute.Assign(highlighter), EZefAssignError);
}
