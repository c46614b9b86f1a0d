// Several threads each read their own questionnaires at once, as the comparison of a campaign
// with its sources does: every thread gets what a lone read gets.

#include "QuestionnaireDump.h"
#include "TestPaths.h"

#include "questionnaire/Questionnaire.h"

#include <gtest/gtest.h>
#include <thread>

using namespace qnr;

TEST(ConcurrentRead, ThreadsReadTheirOwnQuestionnaires)
{
    struct SSource
    {
        QString path;
        int type;
        QString dump;
    };
    std::vector<SSource> sources;
    for (int wave = 1; wave <= 3; ++wave) {
        for (const auto& [extension, type] :
             {std::pair{"zoz", 0}, std::pair{"mdd", 1}, std::pair{"sss", 2}}) {
            SSource source{qnrtest::SamplePath(wave, extension), type, QString()};
            CQuestionnaire questionnaire;
            EXPECT_TRUE(questionnaire.Read(source.path, {}, type, 1033));
            source.dump = DumpQuestionnaire(questionnaire);
            sources.push_back(source);
        }
    }
    std::vector<int> mismatches(8, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&sources, &mismatches, t] {
            for (int round = 0; round < 5; ++round) {
                for (size_t s = 0; s < sources.size(); ++s) {
                    const SSource& source = sources[(s + static_cast<size_t>(t)) % sources.size()];
                    CQuestionnaire questionnaire;
                    questionnaire.Read(source.path, {}, source.type, 1033);
                    questionnaire.PreparerSaisie();
                    if (DumpQuestionnaire(questionnaire) != source.dump)
                        ++mismatches[static_cast<size_t>(t)];
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches, std::vector<int>(8, 0));
}
