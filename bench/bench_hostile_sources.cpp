// Hostile sources: shapes that cost a reader one step per item seen before unless it guards
// against them, each read at n and at 2n items. The counter "ratio" is the time of the 2n read
// over the time of the n read: a reader whose cost grows linearly stays near 2 (the same read
// with a cost of n² gives about 4).
//
// - ZOZ: every question takes its responses from the one before it (one chain of n links);
// - Dimensions: n design fields of one name (their codes, made from the name, all clash);
// - Dimensions: one variable of n categories of one name (the category map gives each the same
//   code);
// - Triple-S: one variable of n value codes that differ only by letter case (their codes, made
//   from the lower-cased text, all clash).

#include "questionnaire/Questionnaire.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <functional>

using namespace qnr;

namespace {

QByteArray ZozSourceChain(int count)
{
    QByteArray document = "<zoz version='1'><questions>";
    for (int i = 1; i <= count; ++i) {
        document += "<question code='" + QByteArray::number(i) + "' shortcut='Q" +
                    QByteArray::number(i) + "'";
        if (i > 1)
            document += " source='" + QByteArray::number(i - 1) + "'";
        document += "/>";
    }
    return document + "</questions></zoz>";
}

QByteArray DimensionsFieldsOfOneName(int count)
{
    QByteArray document = "<xml><mdm:metadata xmlns:mdm='urn:x'><definition>"
                          "<variable id='a' name='Q' type='1'/></definition><design><fields>";
    for (int i = 0; i < count; ++i)
        document += "<variable id='d" + QByteArray::number(i) + "' name='Q' ref='a'/>";
    return document + "</fields></design></mdm:metadata></xml>";
}

QByteArray DimensionsCategoriesOfOneName(int count)
{
    QByteArray document = "<xml><mdm:metadata xmlns:mdm='urn:x'><definition>"
                          "<variable id='a' name='Q' type='3' max='1'><categories>";
    for (int i = 0; i < count; ++i)
        document += "<category id='c" + QByteArray::number(i) + "' name='Same'/>";
    return document + "</categories></variable></definition><design><fields>"
                      "<variable id='d' name='Q' ref='a'/></fields></design><categorymap>"
                      "<categoryid name='same' value='1'/></categorymap></mdm:metadata></xml>";
}

// "abcdefghijklmnop" with the letters whose bits are set in `variant` in capitals.
QByteArray CaseVariant(int variant)
{
    QByteArray text = "abcdefghijklmnop";
    for (int letter = 0; letter < text.size(); ++letter)
        if (variant & (1 << letter))
            text[letter] = char(text[letter] - 'a' + 'A');
    return text;
}

QByteArray TripleSCodesAlikeButForCase(int count)
{
    QByteArray document = "<sss version='2.0'><survey><record ident='A'>"
                          "<variable ident='1' type='single'><name>Q</name><values>";
    for (int i = 0; i < count; ++i)
        document += "<value code='" + CaseVariant(i) + "'>v</value>";
    return document + "</values></variable></record></survey></sss>";
}

double MillisecondsToRead(benchmark::State& state, const QByteArray& document, int type,
                          int expectedItems, const std::function<int(const CQuestionnaire&)>& items)
{
    QElapsedTimer timer;
    timer.start();
    CQuestionnaire questionnaire;
    const bool read = questionnaire.ReadBuffer(document, type);
    const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
    if (!read)
        state.SkipWithError(qPrintable(questionnaire.GetLastError()));
    else if (items(questionnaire) != expectedItems)
        state.SkipWithError("the read did not give every item");
    return milliseconds;
}

// Reads the shape at n and 2n items in each iteration (state.range(0) is n).
void ReadAtTwoSizes(benchmark::State& state, QByteArray (*make)(int), int type,
                    const std::function<int(const CQuestionnaire&)>& items)
{
    const int n = int(state.range(0));
    const QByteArray small = make(n);
    const QByteArray large = make(2 * n);
    double smallMilliseconds = 0.0;
    double largeMilliseconds = 0.0;
    for (auto _ : state) {
        smallMilliseconds += MillisecondsToRead(state, small, type, n, items);
        largeMilliseconds += MillisecondsToRead(state, large, type, 2 * n, items);
    }
    const double iterations = double(state.iterations());
    state.counters["n_ms"] = smallMilliseconds / iterations;
    state.counters["2n_ms"] = largeMilliseconds / iterations;
    state.counters["2n_MB"] = double(large.size()) / 1e6;
    state.counters["ratio"] = largeMilliseconds / smallMilliseconds;
}

int QuestionCount(const CQuestionnaire& questionnaire)
{
    return questionnaire.GetNbreQuestion();
}

int ResponseCount(const CQuestionnaire& questionnaire)
{
    return questionnaire.GetNbreQuestion() == 1 ? questionnaire.GetQuestion(0)->GetNbreModalite()
                                                : -1;
}

void BM_Zoz_SourceChain(benchmark::State& state)
{
    ReadAtTwoSizes(state, ZozSourceChain, DataBaseZoz, QuestionCount);
}

void BM_Dimensions_FieldsOfOneName(benchmark::State& state)
{
    ReadAtTwoSizes(state, DimensionsFieldsOfOneName, DataBaseDimensions, QuestionCount);
}

void BM_Dimensions_CategoriesOfOneName(benchmark::State& state)
{
    ReadAtTwoSizes(state, DimensionsCategoriesOfOneName, DataBaseDimensions, ResponseCount);
}

void BM_TripleS_CodesAlikeButForCase(benchmark::State& state)
{
    ReadAtTwoSizes(state, TripleSCodesAlikeButForCase, DataBaseTripleS, ResponseCount);
}

} // namespace

BENCHMARK(BM_Zoz_SourceChain)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dimensions_FieldsOfOneName)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dimensions_CategoriesOfOneName)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TripleS_CodesAlikeButForCase)->Arg(20000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
