#include "questionnaire/Question.h"

#include "questionnaire/Questionnaire.h"

namespace qnr {

CQuestion::CQuestion(const CQuestion& other)
{
    CopyFrom(other);
}

CQuestion& CQuestion::operator=(const CQuestion& other)
{
    if (this != &other) {
        CopyFrom(other);
        m_questionnaire = nullptr;
    }
    return *this;
}

CQuestion::~CQuestion() = default;

void CQuestion::CopyFrom(const CQuestion& other)
{
    m_code = other.m_code;
    m_shortcut = other.m_shortcut;
    m_captions = other.m_captions;
    m_userData = other.m_userData;
    m_indent = other.m_indent;
    m_typeElement = other.m_typeElement;
    m_typeQuestion = other.m_typeQuestion;
    m_dateType = other.m_dateType;
    m_nbMaxReponse = other.m_nbMaxReponse;
    m_nbreDecimal = other.m_nbreDecimal;
    m_nonReponse = other.m_nonReponse;
    m_semiOuverte = other.m_semiOuverte;
    m_echelle = other.m_echelle;
    m_multiple = other.m_multiple;
    m_classe = other.m_classe;
    m_levelLink = other.m_levelLink;
    m_probability = other.m_probability;
    m_developperNiveau = other.m_developperNiveau;
    m_borneMin = other.m_borneMin;
    m_borneMax = other.m_borneMax;
    m_codeQuestionSource = other.m_codeQuestionSource;
    m_questionClass = other.m_questionClass;
    m_versions = other.m_versions;
    m_displayLanguageId = other.m_displayLanguageId;
    m_modalites.clear();
    m_modalites.reserve(other.m_modalites.size());
    for (const auto& modalite : other.m_modalites)
        m_modalites.push_back(std::make_unique<CModalite>(*modalite));
}

QString CQuestion::GetShortCaption() const
{
    const CLocalisedTexts::SEntry* entry = m_captions.FindPreferred(m_displayLanguageId);
    return entry ? entry->shortCaption : QString();
}

QString CQuestion::GetLongCaption() const
{
    const CLocalisedTexts::SEntry* entry = m_captions.FindPreferred(m_displayLanguageId);
    return entry ? entry->longCaption : QString();
}

QString CQuestion::GetLocalisedShortCaption(int languageId) const
{
    if (languageId == 0)
        return GetShortCaption();
    const CLocalisedTexts::SEntry* entry = m_captions.Find(languageId);
    return entry ? entry->shortCaption : QString();
}

QString CQuestion::GetLocalisedLongCaption(int languageId) const
{
    if (languageId == 0)
        return GetLongCaption();
    const CLocalisedTexts::SEntry* entry = m_captions.Find(languageId);
    return entry ? entry->longCaption : QString();
}

void CQuestion::GetAllLocalisedTexts(std::vector<int>& languageIds, QStringList& longCaptions,
                                     QStringList& shortCaptions) const
{
    languageIds.clear();
    longCaptions.clear();
    shortCaptions.clear();
    for (const CLocalisedTexts::SEntry& entry : m_captions.GetEntries()) {
        languageIds.push_back(entry.languageId);
        longCaptions.append(entry.longCaption);
        shortCaptions.append(entry.shortCaption);
    }
}

void CQuestion::SetCaptions(int languageId, const QString& longCaption, const QString& shortCaption)
{
    m_captions.Set(languageId, longCaption, shortCaption);
}

void CQuestion::SetBornes(double borneMin, double borneMax)
{
    m_borneMin = borneMin;
    m_borneMax = borneMax;
}

const CQuestion* CQuestion::GetQuestionSource() const
{
    if (!m_questionnaire || m_codeQuestionSource == -1)
        return nullptr;
    return m_questionnaire->FindQuestionById(m_codeQuestionSource);
}

const CModalite* CQuestion::GetModalite(int index) const
{
    if (index < 0 || index >= GetNbreModalite())
        return nullptr;
    return m_modalites[static_cast<size_t>(index)].get();
}

std::vector<std::unique_ptr<CModalite>> CQuestion::DonnerModalites() const
{
    std::vector<std::unique_ptr<CModalite>> copies;
    copies.reserve(m_modalites.size());
    for (const auto& modalite : m_modalites)
        copies.push_back(std::make_unique<CModalite>(*modalite));
    return copies;
}

std::vector<int> CQuestion::DonnerCodeModalites() const
{
    std::vector<int> codes;
    codes.reserve(m_modalites.size());
    for (const auto& modalite : m_modalites)
        codes.push_back(modalite->GetCode());
    return codes;
}

bool CQuestion::FindModaliteById(int code, const CModalite*& modalite) const
{
    modalite = FindModaliteById(code);
    return modalite != nullptr;
}

const CModalite* CQuestion::FindModaliteById(int code) const
{
    for (const auto& modalite : m_modalites) {
        if (modalite->GetCode() == code)
            return modalite.get();
    }
    return nullptr;
}

CModalite* CQuestion::AddModalite(std::unique_ptr<CModalite> modalite)
{
    if (!modalite)
        return nullptr;
    modalite->SetDisplayLanguageId(m_displayLanguageId);
    m_modalites.push_back(std::move(modalite));
    return m_modalites.back().get();
}

void CQuestion::SetDisplayLanguageId(int languageId)
{
    m_displayLanguageId = languageId;
    for (const auto& modalite : m_modalites)
        modalite->SetDisplayLanguageId(languageId);
}

void CQuestion::SortCaptions(const std::vector<int>& languageOrder)
{
    m_captions.SortByLanguage(languageOrder);
    for (const auto& modalite : m_modalites)
        modalite->SortCaptions(languageOrder);
}

} // namespace qnr
