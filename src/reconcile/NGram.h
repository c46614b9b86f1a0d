#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <vector>

// The text similarity behind every text comparison of the reconciliation: a Dice coefficient
// over the character n-grams of two texts, compared with the threshold of the n-gram options.

class CNGramSettings;
class CReconciliationSettings;

// One comparison of two texts, made as a local object by each caller. Each text is stored
// framed by "#" on both sides ("#%s#"), trimmed first when the trim flag is set; its grams are
// counted into an ordered map. A text and the length can be changed again; the maps follow.
class CNGram
{
public:
    using GramMap = std::map<QString, int>;

    CNGram() = default;

    // When set, grams are upper-cased before counting (case-insensitive comparison). Neither
    // setter recounts: set the flags before the texts.
    void SetUpperCase(int upperCase) { m_upperCase = upperCase; }
    void SetTrim(int trim) { m_trim = trim; }
    int GetUpperCase() const { return m_upperCase; }
    int GetTrim() const { return m_trim; }

    // Stores the text and recounts that side's grams; returns the number of grams taken.
    int SetFirstText(const QString& text);
    int SetSecondText(const QString& text);
    // A different length recounts both sides; the same length does nothing.
    void SetLength(int length);
    int GetLength() const { return m_length; }

    // Empties the map and counts the grams of a stored (framed) text into it. The window that
    // ends with the closing "#" is not counted: "#ab#" gives "#a" and "ab". Returns the number
    // of grams taken.
    int CountGrams(GramMap& map, const QString& storedText) const;

    // 2 * shared / (first total + second total); bothEmptyResult (1.0 when non-zero, else 0.0)
    // when neither text has a gram.
    double GetSimilarity(int bothEmptyResult) const;

    const QString& GetFirstText() const { return m_firstText; }
    const QString& GetSecondText() const { return m_secondText; }
    const GramMap& GetFirstGrams() const { return m_firstGrams; }
    const GramMap& GetSecondGrams() const { return m_secondGrams; }
    int GetFirstTotal() const { return m_firstTotal; }
    int GetSecondTotal() const { return m_secondTotal; }

private:
    QString StoreText(const QString& text) const;

    int m_upperCase = 1;
    int m_trim = 1;
    int m_length = 2;
    QString m_firstText;
    QString m_secondText;
    GramMap m_firstGrams;
    GramMap m_secondGrams;
    int m_firstTotal = 0;
    int m_secondTotal = 0;
};

// The text as CNGram stores it: trimmed when asked, then framed by "#" on both sides.
QString FrameNGramText(const QString& text, bool trim);
// Upper-cases every UTF-16 unit on its own, so that the text keeps its length and a gram its
// characters (a letter whose upper case needs more than one unit stays as it is).
void UpperCaseEachUnit(QString& text);
// The grams of two characters of the text as CNGram counts them (framed, trimmed and
// upper-cased as asked), each as one key of its two UTF-16 units, sorted; returns their number.
int CollectNGramKeys(const QString& text, bool upperCase, bool trim, std::vector<uint32_t>& keys);
// The grams that two sorted key lists share, a gram counted as often as both hold it.
int CountSharedNGramKeys(const std::vector<uint32_t>& first, const std::vector<uint32_t>& second);
// The score of two texts as a CNGram with these flags and gram length gives it (grams of two
// are counted as sorted keys, without the CNGram's maps).
double GetNGramScore(const QString& first, const QString& second, int upperCase, int trim,
                     int length, int bothEmptyResult);
// The score from the shared gram count and both totals, as CNGram computes it. Every scorer of
// the engine goes through it so that equal counts give bit-identical scores.
double NGramDiceScore(int shared, int firstTotal, int secondTotal, int bothEmptyResult);

// The application's n-gram and reconciliation options; the defaults when no application is
// installed.
const CNGramSettings& GetAppNGramSettings();
const CReconciliationSettings& GetAppReconciliationSettings();

// The threshold of the text matching methods: the n-gram threshold of the options as a
// fraction when the n-gram analysis is enabled, else the single-precision 0.95. The analysis
// flag chooses only the threshold; the text methods always compare by n-gram score.
double GetMatchingThreshold();

// Whether two texts are similar for the text matching methods: gram length 2, trimmed as the
// options' IgnoreWhitespace says, upper-cased when asked; similar when the threshold is
// strictly below the score. Returns 1 or 0.
int IsTextSimilar(const QString& text1, const QString& text2, int upperCase, int bothEmptyResult);
