#include "reconcile/NGram.h"

#include "model/OptionRecords.h"
#include "platform/AppServices.h"

#include <algorithm>

QString FrameNGramText(const QString& text, bool trim)
{
    const QString body = trim ? text.trimmed() : text;
    QString framed;
    framed.reserve(body.size() + 2);
    framed += QLatin1Char('#');
    framed += body;
    framed += QLatin1Char('#');
    return framed;
}

void UpperCaseEachUnit(QString& text)
{
    for (QChar& unit : text)
        unit = unit.toUpper();
}

int CollectNGramKeys(const QString& text, bool upperCase, bool trim, std::vector<uint32_t>& keys)
{
    // The framed text is "#", the body, "#"; every window of two that ends before the closing
    // "#" is a gram, so there are as many grams as the body has units.
    const QStringView body = trim ? QStringView(text).trimmed() : QStringView(text);
    const qsizetype taken = body.size();
    keys.clear();
    keys.reserve(size_t(taken));
    char16_t previous = u'#';
    for (qsizetype p = 0; p < taken; ++p) {
        char16_t unit = body[p].unicode();
        if (upperCase)
            unit = unit < 0x80 ? (unit >= u'a' && unit <= u'z' ? unit - (u'a' - u'A') : unit)
                               : body[p].toUpper().unicode();
        keys.push_back((uint32_t(previous) << 16) | unit);
        previous = unit;
    }
    std::sort(keys.begin(), keys.end());
    return int(taken);
}

int CountSharedNGramKeys(const std::vector<uint32_t>& first, const std::vector<uint32_t>& second)
{
    int shared = 0;
    auto a = first.begin();
    auto b = second.begin();
    while (a != first.end() && b != second.end()) {
        if (*a < *b) {
            ++a;
        } else if (*b < *a) {
            ++b;
        } else {
            ++shared;
            ++a;
            ++b;
        }
    }
    return shared;
}

double NGramDiceScore(int shared, int firstTotal, int secondTotal, int bothEmptyResult)
{
    if (firstTotal == 0 && secondTotal == 0)
        return bothEmptyResult != 0 ? 1.0 : 0.0;
    return static_cast<double>(2 * shared) / static_cast<double>(firstTotal + secondTotal);
}

QString CNGram::StoreText(const QString& text) const
{
    return FrameNGramText(text, m_trim != 0);
}

int CNGram::SetFirstText(const QString& text)
{
    m_firstText = StoreText(text);
    m_firstTotal = CountGrams(m_firstGrams, m_firstText);
    return m_firstTotal;
}

int CNGram::SetSecondText(const QString& text)
{
    m_secondText = StoreText(text);
    m_secondTotal = CountGrams(m_secondGrams, m_secondText);
    return m_secondTotal;
}

void CNGram::SetLength(int length)
{
    if (length == m_length)
        return;
    m_length = length;
    m_firstTotal = CountGrams(m_firstGrams, m_firstText);
    m_secondTotal = CountGrams(m_secondGrams, m_secondText);
}

int CNGram::CountGrams(GramMap& map, const QString& storedText) const
{
    map.clear();
    if (m_length < 1)
        return 0;
    // Upper-casing unit by unit gives the same grams whether it is done per gram or once.
    QString text = storedText;
    if (m_upperCase)
        UpperCaseEachUnit(text);
    int taken = 0;
    for (qsizetype p = 0; p + m_length < text.size(); ++p) {
        ++map[text.mid(p, m_length)];
        ++taken;
    }
    return taken;
}

double CNGram::GetSimilarity(int bothEmptyResult) const
{
    int shared = 0;
    for (const auto& [gram, count] : m_firstGrams) {
        const auto other = m_secondGrams.find(gram);
        if (other != m_secondGrams.end())
            shared += std::min(count, other->second);
    }
    return NGramDiceScore(shared, m_firstTotal, m_secondTotal, bothEmptyResult);
}

const CNGramSettings& GetAppNGramSettings()
{
    static const CNGramSettings defaults;
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetNGramSettings() : defaults;
}

const CReconciliationSettings& GetAppReconciliationSettings()
{
    static const CReconciliationSettings defaults;
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetReconciliationSettings() : defaults;
}

double GetMatchingThreshold()
{
    const CNGramSettings& settings = GetAppNGramSettings();
    if (settings.GetEnableNGramAnalysis())
        return settings.GetThresholdFraction();
    return 0.95f;
}

double GetNGramScore(const QString& first, const QString& second, int upperCase, int trim,
                     int length, int bothEmptyResult)
{
    if (length != 2) {
        CNGram ngram;
        ngram.SetUpperCase(upperCase);
        ngram.SetTrim(trim);
        ngram.SetLength(length);
        ngram.SetFirstText(first);
        ngram.SetSecondText(second);
        return ngram.GetSimilarity(bothEmptyResult);
    }
    if (first == second) {
        // The same grams on both sides: every gram is shared.
        const qsizetype total = trim != 0 ? QStringView(first).trimmed().size() : first.size();
        return NGramDiceScore(int(total), int(total), int(total), bothEmptyResult);
    }
    std::vector<uint32_t> firstKeys;
    std::vector<uint32_t> secondKeys;
    const int firstTotal = CollectNGramKeys(first, upperCase != 0, trim != 0, firstKeys);
    const int secondTotal = CollectNGramKeys(second, upperCase != 0, trim != 0, secondKeys);
    return NGramDiceScore(CountSharedNGramKeys(firstKeys, secondKeys), firstTotal, secondTotal,
                          bothEmptyResult);
}

int IsTextSimilar(const QString& text1, const QString& text2, int upperCase, int bothEmptyResult)
{
    const double score = GetNGramScore(
        text1, text2, upperCase, GetAppNGramSettings().GetIgnoreWhitespace(), 2, bothEmptyResult);
    return GetMatchingThreshold() < score ? 1 : 0;
}
