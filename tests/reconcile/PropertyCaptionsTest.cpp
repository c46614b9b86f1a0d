#include "reconcile/PropertyCaptions.h"

#include <gtest/gtest.h>

TEST(PropertyCaptions, CaptionsOfIds)
{
    EXPECT_EQ(GetQuestionPropertyCaption(0), "Is deleted");
    EXPECT_EQ(GetQuestionPropertyCaption(6), "Is don't know");
    EXPECT_EQ(GetQuestionPropertyCaption(22), "Develop levels");
    EXPECT_EQ(GetQuestionPropertyCaption(26), "Responses");
    EXPECT_TRUE(GetQuestionPropertyCaption(27).isEmpty());
    EXPECT_TRUE(GetQuestionPropertyCaption(28).isEmpty());
    EXPECT_TRUE(GetQuestionPropertyCaption(29).isEmpty());
    EXPECT_TRUE(GetQuestionPropertyCaption(-1).isEmpty());

    EXPECT_EQ(GetModalityPropertyCaption(0), "Question ID");
    EXPECT_EQ(GetModalityPropertyCaption(6), "Rotation behaviour");
    EXPECT_EQ(GetModalityPropertyCaption(9), "Short captions");
    EXPECT_TRUE(GetModalityPropertyCaption(10).isEmpty());
    EXPECT_TRUE(GetModalityPropertyCaption(12).isEmpty());
}

TEST(PropertyCaptions, ReverseLookups)
{
    struct SCase
    {
        const char* Text;
        int Question;
        int Modality;
    };
    const SCase cases[] = {
        {"short captions", 23, 9},
        {"Versions", 20, 7},
        {"ORDER", 1, 2},
        {"Is deleted", 0, 1},
        {"", 27, 10},
        {"Value", 29, 3},
        {"Shortcut", 2, 12},
        {"no such caption", 29, 12},
        {" Order", 29, 12},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(FindQuestionPropertyByCaption(QString::fromUtf8(c.Text)), c.Question) << c.Text;
        EXPECT_EQ(FindModalityPropertyByCaption(QString::fromUtf8(c.Text)), c.Modality) << c.Text;
    }
    // Every captioned id is found back from its own caption.
    for (int id = 0; id < kQuestionPropertyCount; ++id) {
        if (!GetQuestionPropertyCaption(id).isEmpty()) {
            EXPECT_EQ(FindQuestionPropertyByCaption(GetQuestionPropertyCaption(id)), id);
        }
    }
    for (int id = 0; id < kModalityPropertyCount; ++id) {
        if (!GetModalityPropertyCaption(id).isEmpty()) {
            EXPECT_EQ(FindModalityPropertyByCaption(GetModalityPropertyCaption(id)), id);
        }
    }
}
