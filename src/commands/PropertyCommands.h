#pragma once

#include "commands/CmdVirtual.h"
#include "commands/PropertyCallBackInfo.h"
#include "commands/VolumePropertyValue.h"
#include "model/Value.h"
#include "res/StringTable.h"

#include <memory>
#include <type_traits>
#include <vector>

// The commands that change one property of one campaign object: built with the object, the
// property index and the new value; Do writes the value and keeps the one that was there, Undo
// writes the kept one back, Redo the new one again. Applying the value a property already has
// is a change like any other. A step fails, changing nothing, for an index that the class does
// not list and for a value of the wrong kind; no step sets an error text.
//
// Values travel as text (CValue): flags as "True"/"False", integers in decimal, numbers in the
// C locale (kept in double precision; the old value is written so that it reads back exactly),
// dates as ISO 8601 text (empty for no date). A text that is no integer, number or date where
// one is needed is a value of the wrong kind.

namespace pelko_wave {
class CCampaign;
class CLanguage;
class CModality;
class CModalityCaption;
class CQuestion;
class CQuestionCaption;
class CVolume;
class CWave;
} // namespace pelko_wave

namespace qnr {
class CQuestionnaire;
}

// Property indexes of each class.
enum ECampaignProperty
{
    CAMPAIGN_PROP_DEFAULT_LANGUAGE = 0,
    CAMPAIGN_PROP_CURRENT_LANGUAGE = 1,
    CAMPAIGN_PROP_NAME = 2,
    CAMPAIGN_PROP_DESCRIPTION = 3,
};

enum EWaveProperty
{
    WAVE_PROP_NAME = 0,
    WAVE_PROP_DESCRIPTION = 1,
    WAVE_PROP_START = 2,
    WAVE_PROP_MIDPOINT = 3,
    WAVE_PROP_END = 4,
};

enum EVolumeProperty
{
    VOLUME_PROP_NAME = 0,                 // text
    VOLUME_PROP_PATH_FORMAT = 1,          // path kind, of both source records
    VOLUME_PROP_QUESTIONNAIRE_SOURCE = 2, // text; the questionnaire is read again when needed
    VOLUME_PROP_INTERVIEW_SOURCE = 3,     // text; likewise
    VOLUME_PROP_QUESTIONNAIRE_SURVEY = 4, // integer
    VOLUME_PROP_INTERVIEW_SURVEY = 5,     // integer
    VOLUME_PROP_QUESTION_METHODS = 6,     // method-id list
    VOLUME_PROP_RESPONSE_METHODS = 7,     // method-id list
    VOLUME_PROP_STRICT = 8,               // flag
    VOLUME_PROP_CASE_SENSITIVE = 9,       // flag
    VOLUME_PROP_ANCESTOR_VALUES = 10,     // flag
};

// The question and response property ids of the difference kinds.
enum EQuestionProperty
{
    QUESTION_PROP_IS_DELETED = 0,
    QUESTION_PROP_ORDER = 1,
    QUESTION_PROP_SHORTCUT = 2,
    QUESTION_PROP_INDENT = 3,
    QUESTION_PROP_ELEMENT_TYPE = 4,
    QUESTION_PROP_QUESTION_TYPE = 5,
    QUESTION_PROP_DONT_KNOW = 6,
    QUESTION_PROP_SEMI_OPEN = 7,
    QUESTION_PROP_SCALE = 8,
    QUESTION_PROP_MULTIPLE = 9,
    QUESTION_PROP_RANKED = 10,
    QUESTION_PROP_MAX_RESPONSES = 11,
    QUESTION_PROP_DECIMALS = 12,
    QUESTION_PROP_MIN_VALUE = 13,
    QUESTION_PROP_MAX_VALUE = 14,
    QUESTION_PROP_LEVEL_LINK = 15,
    QUESTION_PROP_LINK_QUESTION = 16,
    QUESTION_PROP_PROBABILITY = 17,
    QUESTION_PROP_DATE_TYPE = 18,
    QUESTION_PROP_CLASS = 19,    // not changeable
    QUESTION_PROP_VERSIONS = 20, // not changeable
    QUESTION_PROP_USER_DATA = 21,
    QUESTION_PROP_DEVELOP_LEVELS = 22,
    QUESTION_PROP_SHORT_CAPTION = 23,
    QUESTION_PROP_LONG_CAPTION = 24,
    QUESTION_PROP_APPEARANCE_VOLUME = 27,
    QUESTION_PROP_DELETION_WAVE = 28,
};

enum EModalityProperty
{
    MODALITY_PROP_QUESTION_ID = 0, // not changeable
    MODALITY_PROP_IS_DELETED = 1,
    MODALITY_PROP_ORDER = 2,
    MODALITY_PROP_VALUE = 3,
    MODALITY_PROP_ENTRY_CODE = 4,
    MODALITY_PROP_EXCLUSIVE = 5,
    MODALITY_PROP_ROTATION = 6,
    MODALITY_PROP_VERSIONS = 7,
    MODALITY_PROP_USER_DATA = 8,
    MODALITY_PROP_SHORT_CAPTION = 9,
    MODALITY_PROP_DELETION_WAVE = 10,
    MODALITY_PROP_APPEARANCE_VOLUME = 11,
};

enum ELanguageProperty
{
    LANGUAGE_PROP_IS_DEFAULT = 0,
    LANGUAGE_PROP_ID = 1,
    LANGUAGE_PROP_NAME = 2,
    LANGUAGE_PROP_ABBREVIATION = 3,
};

// Which step ApplyProperty runs for, for the properties whose Undo puts back more than the value
// (an array sequence, a caption record Do created, a questionnaire).
enum class EPropertyStep
{
    Do,
    Undo,
    Redo
};

// The pattern of the nine classes: TValue is how the command keeps its values, TRecord its
// change record (object, new value, old value).
template <class TObject, class TValue, class TRecord> class CCmdChangeProperty : public CCmdVirtual
{
public:
    bool Do(std::unique_ptr<CCallBackInfo>& record) override
    {
        TValue previous;
        if (!ApplyProperty(m_newValue, previous, EPropertyStep::Do))
            return false;
        m_oldValue = previous;
        record = CreateCallBackInfo();
        return true;
    }
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override
    {
        TValue discarded;
        if (!ApplyProperty(m_oldValue, discarded, EPropertyStep::Undo))
            return false;
        record = CreateCallBackInfo();
        return true;
    }
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override
    {
        TValue discarded;
        if (!ApplyProperty(m_newValue, discarded, EPropertyStep::Redo))
            return false;
        record = CreateCallBackInfo();
        return true;
    }
    QString GetName() const override { return LoadString(m_nameId); }
    // The record of the object and the two values; a class whose record holds more makes its
    // own.
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override
    {
        if constexpr (std::is_constructible_v<TRecord, TObject*, const TValue&, const TValue&>)
            return std::make_unique<TRecord>(m_pObject, m_newValue, m_oldValue);
        else
            return nullptr;
    }

    TObject* GetObject() const { return m_pObject; }
    int GetProperty() const { return m_property; }
    const TValue& GetNewValue() const { return m_newValue; }
    const TValue& GetOldValue() const { return m_oldValue; }

protected:
    CCmdChangeProperty(pelko_wave::CCampaign* campaign, TObject* object, int property,
                       const TValue& newValue, unsigned nameId)
        : CCmdVirtual(campaign), m_pObject(object), m_property(property), m_newValue(newValue),
          m_nameId(nameId)
    {
    }

    // Reads the property into previous and writes in into it; false, with nothing changed, for
    // an index the class does not list or a value of the wrong kind.
    virtual bool ApplyProperty(const TValue& in, TValue& previous, EPropertyStep step) = 0;

    TObject* m_pObject; // not owned
    int m_property;
    TValue m_newValue;
    TValue m_oldValue;

private:
    unsigned m_nameId;
};

// A caption record that Do created, owned by the command while Undo has it out of the object,
// so that Undo leaves the object with exactly the captions it had.
template <class TCaption> struct SCreatedCaption
{
    bool Created = false;
    std::unique_ptr<TCaption> Kept;
};

class CCmdChangeCampaign final
    : public CCmdChangeProperty<pelko_wave::CCampaign, CValue, CCallBackInfoChangeCampaign>
{
public:
    CCmdChangeCampaign(pelko_wave::CCampaign* campaign, int property, const CValue& newValue);

private:
    bool ApplyProperty(const CValue& in, CValue& previous, EPropertyStep step) override;
};

class CCmdChangeWave final
    : public CCmdChangeProperty<pelko_wave::CWave, CValue, CCallBackInfoChangeWave>
{
public:
    CCmdChangeWave(pelko_wave::CCampaign* campaign, pelko_wave::CWave* wave, int property,
                   const CValue& newValue);

private:
    bool ApplyProperty(const CValue& in, CValue& previous, EPropertyStep step) override;
};

class CCmdChangeVolume final
    : public CCmdChangeProperty<pelko_wave::CVolume, VolumePropertyValue, CCallBackInfoChangeVolume>
{
public:
    CCmdChangeVolume(pelko_wave::CCampaign* campaign, pelko_wave::CVolume* volume, int property,
                     const VolumePropertyValue& newValue);
    ~CCmdChangeVolume() override;

    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    bool ApplyProperty(const VolumePropertyValue& in, VolumePropertyValue& previous,
                       EPropertyStep step) override;

    // The interview source's own path kind before Do, which the value (the questionnaire
    // source's) does not carry.
    int m_oldCaseDataFormat = 0;
    // The questionnaire object out of the volume: the one loaded before Do while done, the one
    // put in by Do while undone. Keeping it keeps valid whatever points into it.
    std::unique_ptr<qnr::CQuestionnaire> m_keptQuestionnaire;
};

// Changes a question property; indexes 23 and 24 only with a caption value (CCaptionValue), in
// the value's language.
class CCmdChangeQuestion final
    : public CCmdChangeProperty<pelko_wave::CQuestion, CCaptionValue, CCallBackInfoChangeQuestion>
{
public:
    CCmdChangeQuestion(pelko_wave::CCampaign* campaign, pelko_wave::CQuestion* question,
                       int property, const CValue& newValue);
    ~CCmdChangeQuestion() override;

private:
    bool ApplyProperty(const CCaptionValue& in, CCaptionValue& previous,
                       EPropertyStep step) override;

    bool m_captionGiven;                                  // the new value was a caption value
    std::vector<pelko_wave::CQuestion*> m_sequenceBefore; // the question array before Do
    SCreatedCaption<pelko_wave::CQuestionCaption> m_caption;
};

// Changes the short (index 23) or the long (index 24) caption of a question in the value's
// language; the two classes differ only in the index they accept and the record they make.
template <class TRecord>
class CCmdChangeQuestionCaption
    : public CCmdChangeProperty<pelko_wave::CQuestion, CCaptionValue, TRecord>
{
public:
    ~CCmdChangeQuestionCaption() override;

protected:
    CCmdChangeQuestionCaption(pelko_wave::CCampaign* campaign, pelko_wave::CQuestion* question,
                              int property, const CCaptionValue& newValue, int acceptedProperty);

private:
    bool ApplyProperty(const CCaptionValue& in, CCaptionValue& previous,
                       EPropertyStep step) override;

    int m_acceptedProperty;
    SCreatedCaption<pelko_wave::CQuestionCaption> m_caption;
};

class CCmdChangeQuestionShortCaption final
    : public CCmdChangeQuestionCaption<CCallBackInfoChangeQuestionShortCaption>
{
public:
    CCmdChangeQuestionShortCaption(pelko_wave::CCampaign* campaign, pelko_wave::CQuestion* question,
                                   int property, const CCaptionValue& newValue);
};

class CCmdChangeQuestionLongCaption final
    : public CCmdChangeQuestionCaption<CCallBackInfoChangeQuestionLongCaption>
{
public:
    CCmdChangeQuestionLongCaption(pelko_wave::CCampaign* campaign, pelko_wave::CQuestion* question,
                                  int property, const CCaptionValue& newValue);
};

// Changes a response property; index 9 only with a caption value, in the value's language.
class CCmdChangeModality final
    : public CCmdChangeProperty<pelko_wave::CModality, CCaptionValue, CCallBackInfoChangeModality>
{
public:
    CCmdChangeModality(pelko_wave::CCampaign* campaign, pelko_wave::CModality* modality,
                       int property, const CValue& newValue);
    ~CCmdChangeModality() override;

private:
    bool ApplyProperty(const CCaptionValue& in, CCaptionValue& previous,
                       EPropertyStep step) override;

    bool m_captionGiven;
    std::vector<pelko_wave::CModality*> m_sequenceBefore; // the question's responses before Do
    SCreatedCaption<pelko_wave::CModalityCaption> m_caption;
};

class CCmdChangeModalityShortCaption final
    : public CCmdChangeProperty<pelko_wave::CModality, CCaptionValue,
                                CCallBackInfoChangeModalityShortCaption>
{
public:
    CCmdChangeModalityShortCaption(pelko_wave::CCampaign* campaign, pelko_wave::CModality* modality,
                                   int property, const CCaptionValue& newValue);
    ~CCmdChangeModalityShortCaption() override;

private:
    bool ApplyProperty(const CCaptionValue& in, CCaptionValue& previous,
                       EPropertyStep step) override;

    SCreatedCaption<pelko_wave::CModalityCaption> m_caption;
};

// Index 1, the language id, renames the language's captions and the campaign's default and
// current language with it, and fails when the new id is in use.
class CCmdChangeLanguage final
    : public CCmdChangeProperty<pelko_wave::CLanguage, CValue, CCallBackInfoChangeLanguage>
{
public:
    CCmdChangeLanguage(pelko_wave::CCampaign* campaign, pelko_wave::CLanguage* language,
                       int property, const CValue& newValue);

private:
    bool ApplyProperty(const CValue& in, CValue& previous, EPropertyStep step) override;
};
