#pragma once

#include "questionnaire/LocalisedTexts.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace qnr {

// One response of a source question: its stable code, its entry code, its captions per language
// and its properties. A response belongs to its question; `CQuestion::DonnerModalites` hands out
// copies that the caller owns.
class CModalite
{
public:
    CModalite() = default;

    // The response's code, stable for the same response from one wave's file to the next.
    int GetCode() const { return m_code; }
    void SetCode(int code) { m_code = code; }
    // The code typed at data entry (Triple-S value code, Dimensions category name).
    const QString& GetEntryCode() const { return m_entryCode; }
    void SetEntryCode(const QString& entryCode) { m_entryCode = entryCode; }

    // Caption in the questionnaire's display language (the language asked for at `Read` when
    // the questionnaire has it, else its default language), else the first caption it has.
    QString GetShortCaption() const;
    // Caption in one language; language 0 means the display language. Empty when the response
    // has no caption in that language: there is no fallback to another language.
    QString GetLocalisedShortCaption(int languageId) const;
    // Every caption: parallel lists of language ids and texts, in the questionnaire's language
    // order. Both lists are replaced.
    void GetAllLocalisedTexts(std::vector<int>& languageIds, QStringList& texts) const;
    void SetShortCaption(int languageId, const QString& text);
    const CLocalisedTexts& GetCaptions() const { return m_captions; }

    const QString& GetUserData() const { return m_userData; }
    void SetUserData(const QString& userData) { m_userData = userData; }
    // Numeric value (Triple-S score, Dimensions factor); 0 when the response has none.
    double GetValue() const { return m_value; }
    void SetValue(double value) { m_value = value; }
    // Exclusive: a multiple-choice answer that excludes every other one.
    bool IsExclusive() const { return m_exclusive; }
    void SetExclusive(bool exclusive) { m_exclusive = exclusive; }
    // One of RotationBehaviour (QuestionnaireTypes.h).
    int GetRotationBehaviour() const { return m_rotation; }
    void SetRotationBehaviour(int rotation) { m_rotation = rotation; }
    // Ids of the questionnaire versions (`CVersion`) the response belongs to.
    const std::vector<int>& GetVersions() const { return m_versions; }
    void SetVersions(const std::vector<int>& versions) { m_versions = versions; }

    // Language that GetShortCaption prefers; set by the questionnaire that holds the response.
    void SetDisplayLanguageId(int languageId) { m_displayLanguageId = languageId; }
    void SortCaptions(const std::vector<int>& languageOrder)
    {
        m_captions.SortByLanguage(languageOrder);
    }

private:
    int m_code = 0;
    QString m_entryCode;
    CLocalisedTexts m_captions;
    QString m_userData;
    double m_value = 0.0;
    bool m_exclusive = false;
    int m_rotation = 0;
    std::vector<int> m_versions;
    int m_displayLanguageId = 0;
};

} // namespace qnr
