// Reading a large questionnaire: a generated Dimensions document of 2,000 variables in 10
// languages (about 5 MB) and the same content as Triple-S, each beside a bare QXmlStreamReader
// pass over the same bytes. The library's read should stay within 3 times the bare pass.

#include "SourceWriters.h"

#include "questionnaire/Questionnaire.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <benchmark/benchmark.h>

using namespace qnr;

namespace {

const int kLanguages[] = {2057, 1036, 1031, 3082, 1040, 1043, 1046, 1053, 1045, 1041};

std::unique_ptr<CQuestionnaire> BuildLargeQuestionnaire()
{
    auto questionnaire = std::make_unique<CQuestionnaire>();
    for (int id : kLanguages)
        questionnaire->AddLanguage(CLanguage(id));
    questionnaire->SetDefaultLanguageId(kLanguages[0]);
    for (int q = 1; q <= 2000; ++q) {
        auto question = std::make_unique<CQuestion>();
        question->SetCodeQuestion(q);
        question->SetShortcut(QStringLiteral("Q%1").arg(q));
        const bool closed = q % 2 == 0;
        question->SetTypeQuestion(closed ? QuestionClosed : QuestionNumeric);
        if (closed) {
            question->SetMultiple(q % 4 == 0);
            question->SetNbMaxReponse(q % 4 == 0 ? 3 : 1);
        } else {
            question->SetBornes(0, 1000);
        }
        for (int id : kLanguages) {
            question->SetCaptions(id, QStringLiteral("Question %1 in %2").arg(q).arg(id),
                                  QStringLiteral("Q%1 (%2)").arg(q).arg(id));
        }
        for (int r = 1; closed && r <= 3; ++r) {
            auto response = std::make_unique<CModalite>();
            response->SetCode(r);
            response->SetEntryCode(QStringLiteral("r%1").arg(r));
            for (int id : kLanguages)
                response->SetShortCaption(id, QStringLiteral("A%1 %2").arg(r).arg(id));
            question->AddModalite(std::move(response));
        }
        questionnaire->AddQuestion(std::move(question));
    }
    return questionnaire;
}

struct SDocuments
{
    QByteArray dimensions;
    QByteArray tripleS;
};

const SDocuments& Documents()
{
    static const SDocuments documents = [] {
        const std::unique_ptr<CQuestionnaire> questionnaire = BuildLargeQuestionnaire();
        QString error;
        return SDocuments{WriteDimensionsDocument(*questionnaire, error),
                          WriteTripleSDocument(*questionnaire, QStringLiteral("LARGE"))};
    }();
    return documents;
}

void BarePass(benchmark::State& state, const QByteArray& bytes)
{
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QXmlStreamReader xml(&buffer);
        qint64 elements = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement)
                ++elements;
        }
        benchmark::DoNotOptimize(elements);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void LibraryRead(benchmark::State& state, const QByteArray& bytes, int type)
{
    for (auto _ : state) {
        CQuestionnaire questionnaire;
        if (!questionnaire.ReadBuffer(bytes, type)) {
            state.SkipWithError(qPrintable(questionnaire.GetLastError()));
            return;
        }
        benchmark::DoNotOptimize(questionnaire.GetNbreQuestion());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void BM_Dimensions_BareXmlPass(benchmark::State& state)
{
    BarePass(state, Documents().dimensions);
}

void BM_Dimensions_Read(benchmark::State& state)
{
    LibraryRead(state, Documents().dimensions, DataBaseDimensions);
}

void BM_TripleS_BareXmlPass(benchmark::State& state)
{
    BarePass(state, Documents().tripleS);
}

void BM_TripleS_Read(benchmark::State& state)
{
    LibraryRead(state, Documents().tripleS, DataBaseTripleS);
}

} // namespace

BENCHMARK(BM_Dimensions_BareXmlPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dimensions_Read)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TripleS_BareXmlPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TripleS_Read)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
