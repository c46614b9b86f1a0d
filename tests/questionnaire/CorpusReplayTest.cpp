// Replays the fuzz corpus (tests/questionnaire/fuzz/corpus) and damaged copies of the samples
// through every reader: each read either succeeds or fails with a reason and an empty
// questionnaire; none crashes or hangs.

#include "TestPaths.h"

#include "questionnaire/Questionnaire.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

using namespace qnr;

namespace {

const int kTypes[] = {DataBaseZoz, DataBaseDimensions, DataBaseTripleS};

void ReplayAll(const QByteArray& bytes, const QString& what)
{
    for (int type : kTypes) {
        CQuestionnaire questionnaire;
        if (questionnaire.ReadBuffer(bytes, type, 1033, what)) {
            EXPECT_TRUE(questionnaire.GetLastError().isEmpty()) << qPrintable(what);
            // Every question handed out is usable.
            for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
                const CQuestion* question = questionnaire.GetQuestion(i);
                ASSERT_NE(question, nullptr);
                question->GetShortCaption();
                question->DonnerModalites();
                EXPECT_LT(questionnaire.GetParentQuestion(i), i);
            }
        } else {
            EXPECT_FALSE(questionnaire.GetLastError().isEmpty()) << qPrintable(what);
            EXPECT_EQ(questionnaire.GetNbreQuestion(), 0) << qPrintable(what);
            EXPECT_EQ(questionnaire.GetLanguageCount(), 0) << qPrintable(what);
        }
    }
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(CorpusReplay, FuzzCorpus)
{
    int files = 0;
    QDirIterator it(QStringLiteral(PLIM_SOURCE_DIR "/tests/questionnaire/fuzz/corpus"), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ReplayAll(FileBytes(path), path);
        ++files;
    }
    EXPECT_GT(files, 10);
}

TEST(CorpusReplay, DamagedSamples)
{
    for (const char* extension : {"zoz", "mdd", "sss"}) {
        const QByteArray sample = FileBytes(qnrtest::SamplePath(2, extension));
        ASSERT_FALSE(sample.isEmpty());
        // Cut at 40 places.
        for (int i = 1; i <= 40; ++i) {
            const qsizetype cut = sample.size() * i / 41;
            ReplayAll(sample.left(cut), QStringLiteral("%1 cut at %2").arg(extension).arg(cut));
        }
        // Bytes overwritten at 60 places, with a character that breaks the markup or a number.
        const char replacements[] = {'<', '>', '"', '&', '\0', 'x', '9', '-', '/', '\xff'};
        for (int i = 0; i < 60; ++i) {
            QByteArray damaged = sample;
            const qsizetype at = (static_cast<qsizetype>(i) * 7919 * 31) % damaged.size();
            damaged[at] = replacements[i % 10];
            ReplayAll(damaged, QStringLiteral("%1 byte %2").arg(extension).arg(at));
        }
    }
}
