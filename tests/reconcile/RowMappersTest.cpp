#include "reconcile/RowMappers.h"
#include "reconcile/RowMultimaps.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

// The page builds every mapper with these "not found" values.
constexpr long kNoId = -999999999;
constexpr int kNoRow = -999999999;

// Every row of the id, walked as the page walks them.
template <typename Mapper, typename Id> std::vector<int> RowsOf(Mapper& mapper, const Id& id)
{
    std::vector<int> rows;
    for (int row = mapper.GetFirstRow(id); row != kNoRow; row = mapper.GetNextRow(id))
        rows.push_back(row);
    return rows;
}

} // namespace

TEST(RowMapper, KeepsEachIdAndEachRowOnce)
{
    CModalityRowMapper mapper(kNoId, kNoRow);
    EXPECT_EQ(mapper.GetRow(7), kNoRow);
    EXPECT_EQ(mapper.GetId(0), kNoId);

    EXPECT_TRUE(mapper.Add(7, 0));
    EXPECT_TRUE(mapper.Add(9, 1));
    // An id already on another row, or a row already holding another id: nothing changes.
    EXPECT_FALSE(mapper.Add(7, 2));
    EXPECT_FALSE(mapper.Add(8, 1));
    EXPECT_EQ(mapper.GetRow(7), 0);
    EXPECT_EQ(mapper.GetId(1), 9);
    EXPECT_EQ(mapper.GetId(2), kNoId);
    EXPECT_EQ(mapper.GetRow(8), kNoRow);

    // Remove finds the pair by its id, else by its row.
    EXPECT_TRUE(mapper.Remove(7, 55));
    EXPECT_EQ(mapper.GetId(0), kNoId);
    EXPECT_TRUE(mapper.Remove(123, 1));
    EXPECT_EQ(mapper.GetRow(9), kNoRow);
    EXPECT_FALSE(mapper.Remove(123, 1));

    EXPECT_TRUE(mapper.Add(7, 1));
    mapper.Clear();
    EXPECT_EQ(mapper.GetRow(7), kNoRow);
    EXPECT_TRUE(mapper.Add(7, 1));
}

TEST(MultiRowMapper, WalksTheRowsOfAnIdAndFindsTheIdOfARow)
{
    CQuestionRowMultiMapper mapper(kNoId, kNoRow);
    EXPECT_EQ(mapper.GetFirstRow(4), kNoRow);
    EXPECT_EQ(mapper.GetNextRow(4), kNoRow);
    EXPECT_EQ(mapper.GetId(0), kNoId);

    EXPECT_TRUE(mapper.Add(4, 3));
    EXPECT_TRUE(mapper.Add(5, 1));
    EXPECT_TRUE(mapper.Add(4, 0));
    EXPECT_TRUE(mapper.Add(6, 0));
    EXPECT_TRUE(mapper.Add(4, 3)); // duplicates stay
    EXPECT_EQ(RowsOf(mapper, 4L), (std::vector<int>{3, 0, 3}));
    EXPECT_EQ(RowsOf(mapper, 5L), (std::vector<int>{1}));
    // The walk ends at the id's last row and stays ended.
    EXPECT_EQ(mapper.GetNextRow(5), kNoRow);
    EXPECT_EQ(mapper.GetId(0), 4); // the first id entered on the row
    EXPECT_EQ(mapper.GetId(1), 5);
    // The look-ups without a cursor answer as the walk and GetId do, on a const mapper too.
    const CQuestionRowMultiMapper& seen = mapper;
    EXPECT_EQ(seen.FindRows(4), (std::vector<int>{3, 0, 3}));
    EXPECT_EQ(seen.FindFirstRow(4), 3);
    EXPECT_EQ(seen.FindFirstRow(7), kNoRow);
    EXPECT_EQ(seen.FindRows(7), std::vector<int>{});
    EXPECT_EQ(seen.FindId(0), 4);
    EXPECT_EQ(seen.FindId(2), kNoId);

    EXPECT_TRUE(mapper.Remove(4, 3));
    EXPECT_EQ(RowsOf(mapper, 4L), (std::vector<int>{0, 3}));
    EXPECT_FALSE(mapper.Remove(4, 9));
    EXPECT_TRUE(mapper.Remove(4, 0));
    EXPECT_EQ(mapper.GetId(0), 6);

    // Removing the pair under the cursor ends the walk instead of following an erased entry.
    mapper.Clear();
    mapper.Add(4, 1);
    mapper.Add(4, 2);
    EXPECT_EQ(mapper.GetFirstRow(4), 1);
    EXPECT_TRUE(mapper.Remove(4, 1));
    EXPECT_EQ(mapper.GetNextRow(4), kNoRow);
    EXPECT_EQ(RowsOf(mapper, 4L), (std::vector<int>{2}));
}

TEST(MultiRowMapper, TextIdsCompareAsTexts)
{
    CQuestionSourceRowMultiMapper mapper(QStringLiteral("-999999999"), kNoRow);
    EXPECT_EQ(mapper.GetId(0), QStringLiteral("-999999999"));
    mapper.Add(QStringLiteral("10"), 0);
    mapper.Add(QStringLiteral("9"), 1);
    mapper.Add(QStringLiteral("10"), 2);
    EXPECT_EQ(RowsOf(mapper, QStringLiteral("10")), (std::vector<int>{0, 2}));
    EXPECT_EQ(RowsOf(mapper, QStringLiteral("010")), std::vector<int>{});
    EXPECT_EQ(mapper.GetId(1), QStringLiteral("9"));

    CModalitySourceRowMultiMapper modalities(QStringLiteral("-999999999"), kNoRow);
    modalities.Add(QStringLiteral("1"), 5);
    EXPECT_EQ(modalities.GetId(5), QStringLiteral("1"));
}

TEST(MultiRowMapper, RowsMoveBelowAnInsertedOrDeletedRow)
{
    CQuestionRowMultiMapper questions(kNoId, kNoRow);
    questions.Add(4, 2);
    questions.Add(5, 3);
    questions.Add(4, 5);
    // A row inserted at 3: rows 3 and below move down one.
    questions.ShiftRows(3, 1);
    EXPECT_EQ(RowsOf(questions, 4L), (std::vector<int>{2, 6}));
    EXPECT_EQ(questions.GetId(3), kNoId);
    EXPECT_EQ(questions.GetId(4), 5);
    questions.Add(6, 3);
    // Row 2 deleted: the rows below move up one.
    EXPECT_TRUE(questions.Remove(4, 2));
    questions.ShiftRows(3, -1);
    EXPECT_EQ(RowsOf(questions, 4L), (std::vector<int>{5}));
    EXPECT_EQ(questions.GetId(2), 6);
    EXPECT_EQ(questions.GetId(3), 5);
    EXPECT_TRUE(questions.Remove(5, 3));
    EXPECT_EQ(questions.GetId(3), kNoId);

    CModalityRowMapper responses(kNoId, kNoRow);
    responses.Add(7, 2);
    responses.Add(8, 3);
    responses.ShiftRows(3, 2);
    EXPECT_EQ(responses.GetRow(8), 5);
    EXPECT_EQ(responses.GetId(5), 8);
    EXPECT_EQ(responses.GetId(3), kNoId);
    EXPECT_TRUE(responses.Add(9, 3));
    EXPECT_EQ(responses.GetRow(7), 2);
}

TEST(RowMultimap, EntriesOfAKeyKeepTheirOrder)
{
    CRowMultimap map;
    const CRowMultimap::CKey a(12, 3);
    const CRowMultimap::CKey b(12, 4);
    const auto caption = std::make_shared<CCaptionDiffInfo>(1036);
    map.Insert(b, 26, nullptr);
    map.Insert(a, 23, caption);
    map.Insert(a, 2, nullptr);
    map.Insert(a, 23, nullptr);

    EXPECT_EQ(map.Size(), 4);
    EXPECT_EQ(map.Count(a), 3);
    EXPECT_EQ(map.GetNthRow(a, 0), 23);
    EXPECT_EQ(map.GetNthRow(a, 1), 2);
    EXPECT_EQ(map.GetNthPayload(a, 0), caption);
    EXPECT_EQ(map.GetNthPayload(a, 1), nullptr);
    // n equal to the count answers the not-found value.
    EXPECT_EQ(map.GetNthRow(a, 3), 29);
    EXPECT_EQ(map.GetNthRow({1, 1}, 0), 29);
    EXPECT_EQ(map.GetNthPayload(a, 3), nullptr);
    EXPECT_EQ(map.CountRow(23), 2);
    EXPECT_EQ(map.CountKeyRow(a, 23), 2);

    // The walk goes in key order.
    CRowMultimap::CKey key;
    int value = 0;
    std::vector<int> values;
    for (bool more = map.GetFirst(key, value); more; more = map.GetNext(key, value))
        values.push_back(value);
    EXPECT_EQ(values, (std::vector<int>{23, 2, 23, 26}));

    map.EraseKeyRow(a, 23);
    EXPECT_EQ(map.GetNthRow(a, 0), 2);
    EXPECT_EQ(map.GetNthRow(a, 1), 23);
    map.EraseKeyExceptRow(a, 23);
    EXPECT_EQ(map.Count(a), 1);
    EXPECT_EQ(map.EraseKey(a), 1);
    EXPECT_EQ(map.EraseKey(a), 0);
    EXPECT_EQ(map.Size(), 1);
    map.Clear();
    EXPECT_FALSE(map.GetFirst(key, value));
    EXPECT_FALSE(map.GetNext(key, value));
}

TEST(RowMultimap, WalkOfOneEntryEndsAtTheNextStep)
{
    CRowMultimapStr map;
    map.Insert(40, 9, nullptr);
    long key = 0;
    int value = 0;
    ASSERT_TRUE(map.GetFirst(key, value));
    EXPECT_EQ(key, 40);
    EXPECT_EQ(value, 9);
    EXPECT_FALSE(map.GetNext(key, value));
    EXPECT_FALSE(map.GetNext(key, value));
    EXPECT_EQ(map.GetNthRow(40, 1), 12);
    EXPECT_EQ(map.GetNthRow(41, 0), 12);

    // Erasing the entry under the cursor ends the walk.
    map.Insert(41, 3, nullptr);
    ASSERT_TRUE(map.GetFirst(key, value));
    map.EraseKey(40);
    EXPECT_FALSE(map.GetNext(key, value));
}
