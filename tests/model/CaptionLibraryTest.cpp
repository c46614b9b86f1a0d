#include "FakeWaveApp.h"
#include "ModelFixtures.h"

#include "model/CaptionLibrary.h"

#include <gtest/gtest.h>

using namespace pelko_wave;

namespace {

// Two groups ("Yes" with captions "Yes", "Yeah"; "No" with "No") in two libraries: A holds
// both, B holds "Yes". A ticks "Yeah", B ticks "Yes".
struct SLibraries
{
    QList<CResponseCaptionGroup*> Groups;
    QList<CResponseLibrary*> Libraries;

    SLibraries()
    {
        auto* yes = new CResponseCaptionGroup(QStringLiteral("Yes"));
        CResponseCaption* yesCaption =
            yes->AddCaption(std::make_unique<CResponseCaption>(QStringLiteral("Yes"), yes));
        CResponseCaption* yeah =
            yes->AddCaption(std::make_unique<CResponseCaption>(QStringLiteral("Yeah"), yes));
        yes->SetBaseLabelId(yesCaption->GetGuid());
        auto* no = new CResponseCaptionGroup(QStringLiteral("No"));
        no->AddCaption(std::make_unique<CResponseCaption>(QStringLiteral("No"), no));
        Groups = {yes, no};
        auto* a = new CResponseLibrary(QStringLiteral("A"));
        a->AddGroup(yes);
        a->AddGroup(no);
        a->SetCaptionState(yeah, 1);
        auto* b = new CResponseLibrary(QStringLiteral("B"));
        b->AddGroup(yes);
        b->SetCaptionState(yesCaption, 1);
        Libraries = {a, b};
    }
    ~SLibraries() { FreeCaptionLibraries(Groups, Libraries); }
};

} // namespace

TEST(CaptionLibrary, NodesAndTheirGuids)
{
    const CResponseLibrary library(QStringLiteral("Lib"));
    const CResponseCaptionGroup group(QStringLiteral("G"));
    const CResponseCaption caption(QStringLiteral("C"), nullptr);
    EXPECT_EQ(library.GetNodeType(), 0);
    EXPECT_EQ(group.GetNodeType(), 1);
    EXPECT_EQ(caption.GetNodeType(), 2);
    EXPECT_EQ(library.GetKind(), CCaptionLibraryBase::KIND_LIBRARY);
    EXPECT_EQ(caption.GetKind(), CCaptionLibraryBase::KIND_CAPTION);
    EXPECT_FALSE(library.GetGuid() == group.GetGuid());
    EXPECT_EQ(group.GetGuidText().size(), 36);

    // Read back from the text without braces, or with them.
    const CResponseCaptionGroup again(QStringLiteral("G"), group.GetGuidText());
    EXPECT_TRUE(again.GetGuid() == group.GetGuid());
    const CResponseLibrary braced(QStringLiteral("L"), QLatin1Char('{') + library.GetGuidText() + QLatin1Char('}'));
    EXPECT_TRUE(braced.GetGuid() == library.GetGuid());
    // A text that is no GUID gives a new one, never the zero GUID.
    const CResponseCaption damaged(QStringLiteral("C"), nullptr, QStringLiteral("not a guid"));
    EXPECT_FALSE(damaged.GetGuid() == GUID());
}

TEST(CaptionLibrary, GroupCaptionsAndBaseLabel)
{
    CResponseCaptionGroup group(QStringLiteral("G"));
    EXPECT_EQ(group.GetBaseLabel(), nullptr);
    CResponseCaption* first =
        group.AddCaption(std::make_unique<CResponseCaption>(QStringLiteral("One"), nullptr));
    EXPECT_EQ(first->GetGroup(), &group);
    EXPECT_EQ(group.GetCaptionAt(0), first);
    EXPECT_EQ(group.GetCaptionAt(1), nullptr);
    // A base label id that matches none of the captions.
    GUID other;
    CreateGuid(other);
    group.SetBaseLabelId(other);
    EXPECT_EQ(group.GetBaseLabel(), nullptr);
    group.SetBaseLabelIdText(first->GetGuidText());
    EXPECT_EQ(group.GetBaseLabel(), first);
    EXPECT_EQ(group.GetBaseLabelIdText(), first->GetGuidText());

    const CResponseCaption stranger(QStringLiteral("X"), nullptr);
    EXPECT_FALSE(group.ContainsCaption(&stranger));
    EXPECT_EQ(group.RemoveCaption(&stranger), nullptr);
    std::unique_ptr<CResponseCaption> removed = group.RemoveCaption(first);
    EXPECT_EQ(removed.get(), first);
    EXPECT_EQ(group.GetCaptionCount(), 0);
}

TEST(CaptionLibrary, RemovingAGroupDropsItsStatesAndKeepsTheGroup)
{
    SLibraries data;
    CResponseLibrary* a = data.Libraries[0];
    CResponseCaptionGroup* yes = data.Groups[0];
    EXPECT_EQ(a->GetCaptionState(yes->GetCaptionAt(1)), 1);
    EXPECT_EQ(a->GetCaptionState(yes->GetCaptionAt(0)), 0);
    EXPECT_TRUE(a->RemoveGroup(yes));
    EXPECT_FALSE(a->RemoveGroup(yes));
    EXPECT_EQ(a->GetCaptionStateCount(), 0);
    EXPECT_EQ(a->GetGroupCount(), 1);
    EXPECT_TRUE(data.Groups.contains(yes));
    EXPECT_EQ(yes->GetCaptionCount(), 2);
    EXPECT_FALSE(a->RemoveCaptionState(yes->GetCaptionAt(1)));
    a->SetCaptionState(yes->GetCaptionAt(1), 3);
    a->SetCaptionState(yes->GetCaptionAt(1), 4);
    EXPECT_EQ(a->GetCaptionState(yes->GetCaptionAt(1)), 4);
    EXPECT_TRUE(a->RemoveCaptionState(yes->GetCaptionAt(1)));
}

TEST(CaptionLibrary, CopiesShareOneCopyOfEachGroupAndKeepTheStates)
{
    SLibraries data;
    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    CopyCaptionLibraries(data.Groups, data.Libraries, groups, libraries);
    ASSERT_EQ(groups.size(), 2);
    ASSERT_EQ(libraries.size(), 2);
    CResponseCaptionGroup* yesCopy = groups[0];
    EXPECT_NE(yesCopy, data.Groups[0]);
    EXPECT_TRUE(yesCopy->GetGuid() == data.Groups[0]->GetGuid());
    EXPECT_EQ(yesCopy->GetCaptionAt(0)->GetGroup(), yesCopy);
    EXPECT_EQ(yesCopy->GetBaseLabel(), yesCopy->GetCaptionAt(0));
    // Both libraries refer to the one copy of the shared group.
    EXPECT_EQ(libraries[0]->GetGroupAt(0), yesCopy);
    EXPECT_EQ(libraries[1]->GetGroupAt(0), yesCopy);
    // The states sit on the copied captions, not on the originals.
    EXPECT_EQ(libraries[0]->GetCaptionState(yesCopy->GetCaptionAt(1)), 1);
    EXPECT_EQ(libraries[0]->GetCaptionState(data.Groups[0]->GetCaptionAt(1)), 0);
    EXPECT_EQ(libraries[1]->GetCaptionState(yesCopy->GetCaptionAt(0)), 1);
    EXPECT_TRUE(libraries[1]->GetGuid() == data.Libraries[1]->GetGuid());
    FreeCaptionLibraries(groups, libraries);
    EXPECT_TRUE(groups.isEmpty());
    EXPECT_TRUE(libraries.isEmpty());
}

TEST(CaptionLibrary, TheApplicationAdoptsEditedLibraries)
{
    CFakeWaveApp app;
    {
        SLibraries data;
        app.Groups = data.Groups;
        app.Libraries = data.Libraries;
        data.Groups.clear();
        data.Libraries.clear();
    }
    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    CopyCaptionLibraries(groups, libraries);
    ASSERT_EQ(groups.size(), 2);
    groups[1]->SetName(QStringLiteral("Nope"));
    libraries[0]->RemoveGroup(groups[1]);
    EXPECT_TRUE(SetCaptionLibraries(groups, libraries));
    EXPECT_TRUE(groups.isEmpty());
    ASSERT_EQ(app.Groups.size(), 2);
    EXPECT_EQ(app.Groups[1]->GetName(), QStringLiteral("Nope"));
    EXPECT_EQ(app.Libraries[0]->GetGroupCount(), 1);
}
