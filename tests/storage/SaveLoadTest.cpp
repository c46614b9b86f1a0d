#include "StorageTestSupport.h"

#include "storage/DBAccessDAO.h"

using namespace pelko_wave;
using namespace storage_test;

namespace {

class SaveLoad : public CStorageTest
{
};

TEST_F(SaveLoad, EveryRecordKindReadsBackEqual)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(SameDump(StoredDump(*loaded), StoredDump(*campaign)));
    EXPECT_TRUE(m_windows.Prompts.isEmpty()) << m_windows.Prompts.join('\n').toStdString();
}

} // namespace
