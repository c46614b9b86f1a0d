#include "reconcile/DiffsOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

TEST(DiffsOptions, NewObjectsEnableEveryQuestionKindAndNoResponseKind)
{
    const CQuestionDiffsOptions questions;
    const CModalityDiffsOptions responses;
    for (int kind = 0; kind < 30; ++kind) {
        EXPECT_TRUE(questions.IsEnabled(kind)) << kind;
        EXPECT_FALSE(responses.IsEnabled(kind)) << kind;
    }
}

TEST(DiffsOptions, SetEnabledChangesOnlyThatKind)
{
    CQuestionDiffsOptions questions;
    EXPECT_TRUE(questions.SetEnabled(3, false));
    EXPECT_FALSE(questions.IsEnabled(3));
    EXPECT_TRUE(questions.IsEnabled(2));
    EXPECT_TRUE(questions.IsEnabled(4));
    EXPECT_TRUE(questions.SetEnabled(3, true));
    EXPECT_TRUE(questions.IsEnabled(3));
    EXPECT_EQ(questions.GetEntries().size(), 1u);

    CModalityDiffsOptions responses;
    EXPECT_TRUE(responses.SetEnabled(9, true));
    EXPECT_TRUE(responses.IsEnabled(9));
    EXPECT_FALSE(responses.IsEnabled(8));
}

TEST(DiffsOptions, EqualityIsStructural)
{
    CQuestionDiffsOptions fresh;
    CQuestionDiffsOptions explicitDefault;
    explicitDefault.SetEnabled(5, true);
    EXPECT_TRUE(fresh != explicitDefault);
    EXPECT_FALSE(fresh == explicitDefault);

    CQuestionDiffsOptions same;
    same.SetEnabled(5, true);
    EXPECT_TRUE(same == explicitDefault);
    same.SetEnabled(5, false);
    EXPECT_TRUE(same != explicitDefault);

    CModalityDiffsOptions a;
    CModalityDiffsOptions b;
    EXPECT_TRUE(a == b);
    b.SetEnabled(3, false);
    EXPECT_TRUE(a != b);
}

TEST(DiffsOptions, CopyAndAssignmentReplaceTheWholeMap)
{
    CModalityDiffsOptions source;
    source.SetEnabled(3, true);
    source.SetEnabled(5, false);

    CModalityDiffsOptions target;
    target.SetEnabled(9, true);
    target = source;
    EXPECT_TRUE(target == source);
    EXPECT_FALSE(target.IsEnabled(9));

    const CModalityDiffsOptions copy(source);
    EXPECT_TRUE(copy == source);

    CQuestionDiffsOptions self;
    self.SetEnabled(7, false);
    auto& alias = self;
    self = alias;
    EXPECT_FALSE(self.IsEnabled(7));
    EXPECT_EQ(self.GetEntries().size(), 1u);
}

TEST(DiffsOptions, HiddenSetsHoldExactlyTheirKinds)
{
    auto sorted = [](auto& table) {
        std::vector<int> v(std::begin(table), std::end(table));
        std::sort(v.begin(), v.end());
        return v;
    };
    EXPECT_EQ(sorted(kHiddenQuestionDiffKinds), (std::vector<int>{0, 1, 19, 20, 27, 28}));
    EXPECT_EQ(sorted(kDialogHiddenQuestionDiffKinds),
              (std::vector<int>{0, 1, 19, 20, 25, 26, 27, 28}));
    EXPECT_EQ(sorted(kHiddenModalityDiffKinds), (std::vector<int>{0, 1, 2, 4, 7, 10, 11}));
    EXPECT_EQ(sorted(kDialogHiddenModalityDiffKinds), (std::vector<int>{0, 1, 2, 4, 7, 10, 11}));
}
