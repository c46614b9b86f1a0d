#pragma once

#include "storage/PlimVersionUtils.h"
#include "storage/Recordset.h"

#include <QDateTime>
#include <QString>
#include <optional>

// The row classes of the campaign file: one per table, one member per column, bound in the
// table's column order. Long and Boolean columns are ints, Double doubles, Date date-times and
// Text and Memo texts; a column where NULL means something of its own is an optional. Each
// class's CreateTable creates its table (with its key, relations and indexes).

class CSqliteDatabase;

class CCampaignsRS : public CRecordset
{
public:
    explicit CCampaignsRS(CSqliteDatabase& database) : CRecordset(database, "Campaigns") {}
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    QString m_Name;
    QString m_Description;
    QString m_VersionNumber;
};

class CWavesRS : public CRecordset
{
public:
    explicit CWavesRS(CSqliteDatabase& database) : CRecordset(database, "Waves") {}
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_WaveID = 0;
    int m_WaveOrder = 0;
    QString m_Name;
    QString m_Description;
    QDateTime m_WaveStart;
    QDateTime m_WaveEnd;
    QDateTime m_WaveMidpoint;
};

// Binds only the columns that a file of its version has: a file older than 5.1.6.15 has none
// of the two matching flags, one older than 5.2.0.0 only MatchUsingAncestorValues.
class CVolumesRS : public CRecordset, private CPlimVersionUtils
{
public:
    CVolumesRS(CSqliteDatabase& database, const QString& fileVersion)
        : CRecordset(database, "Volumes"), CPlimVersionUtils(fileVersion)
    {
    }
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_VolumeID = 0;
    QString m_Name;
    int m_WaveID = 0;
    int m_InheritsFromVolumeID = 0;
    int m_SourceType = 0;
    QString m_MetaData;
    QString m_CaseData;
    int m_IsMatchingStrict = 0;
    QString m_QuestionMatchingMethods;
    QString m_ResponseMatchingMethods;
    int m_IsMainVolume = 0;
    int m_InterviewMergeMethod = 0;
    int m_MainVolumeLinkQuestionID = 0;
    QString m_ThisVolumeLinkQuestionID;
    int m_Status = 0;
    int m_CaseSensitiveMatching = 0;
    int m_MatchUsingAncestorValues = 0;
};

// Binds IsDevelopLevels only for a file of 5.2.1.1 or later; for an older file the member keeps
// its initial value, true.
class CQuestionsRS : public CRecordset, private CPlimVersionUtils
{
public:
    CQuestionsRS(CSqliteDatabase& database, const QString& fileVersion)
        : CRecordset(database, "Questions"), CPlimVersionUtils(fileVersion)
    {
    }
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_QuestionID = 0;
    int m_IsDeleted = 0;
    int m_Order = 0;
    QString m_Shortcut;
    int m_Indent = 0;
    int m_ElementType = 0;
    int m_QuestionType = 0;
    int m_IsDontKnow = 0;
    int m_IsSemiOpen = 0;
    int m_IsScale = 0;
    int m_IsMultiple = 0;
    int m_IsRanked = 0;
    int m_MaxResponseCount = 0;
    int m_Decimals = 0;
    double m_MinValue = 0.0;
    double m_MaxValue = 0.0;
    int m_IsLevelLink = 0;
    int m_LinkQuestionID = 0;
    int m_IsProbabilityQuestion = 0;
    int m_DateType = 0;
    int m_QuestionClassID = 0;
    QString m_Versions;
    QString m_UserData;
    int m_IsDevelopLevels = 1;
    std::optional<int> m_AppearanceVolumeID;
    std::optional<int> m_DeletionWaveID;
};

class CQuestionMatchingsRS : public CRecordset
{
public:
    explicit CQuestionMatchingsRS(CSqliteDatabase& database)
        : CRecordset(database, "QuestionMatchings")
    {
    }
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_QuestionID = 0;
    int m_VolumeID = 0;
    QString m_SourceID;
    int m_StartVolumeID = 0;
    int m_EndVolumeID = 0;
};

class CQuestionClassesRS : public CRecordset
{
public:
    explicit CQuestionClassesRS(CSqliteDatabase& database) : CRecordset(database, "QuestionClasses")
    {
    }
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_QuestionClassID = 0;
    QString m_Caption;
};

class CQuestionCaptionsRS : public CRecordset
{
public:
    explicit CQuestionCaptionsRS(CSqliteDatabase& database)
        : CRecordset(database, "QuestionCaptions")
    {
    }
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_QuestionID = 0;
    int m_LanguageID = 0;
    QString m_LongCaption;
    QString m_ShortCaption;
};

class CModalitiesRS : public CRecordset
{
public:
    explicit CModalitiesRS(CSqliteDatabase& database) : CRecordset(database, "Modalities") {}
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_ModalityID = 0;
    int m_QuestionID = 0;
    int m_IsDeleted = 0;
    int m_ModalityOrder = 0;
    double m_Value = 0.0;
    QString m_EntryCode;
    int m_IsExclusive = 0;
    int m_RotationBehaviour = 0;
    QString m_Versions;
    QString m_UserData;
    std::optional<int> m_AppearanceVolumeID;
    std::optional<int> m_DeletionWaveID;
};

class CModalityMatchingsRS : public CRecordset
{
public:
    explicit CModalityMatchingsRS(CSqliteDatabase& database)
        : CRecordset(database, "ModalityMatchings")
    {
    }
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_ModalityID = 0;
    int m_QuestionID = 0;
    int m_VolumeID = 0;
    QString m_ModalitySourceID;
    int m_StartVolumeID = 0;
    int m_EndVolumeID = 0;
};

class CModalityCaptionsRS : public CRecordset
{
public:
    explicit CModalityCaptionsRS(CSqliteDatabase& database)
        : CRecordset(database, "ModalityCaptions")
    {
    }
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_ModalityID = 0;
    int m_QuestionID = 0;
    int m_LanguageID = 0;
    QString m_ShortCaption;
};

class CLanguagesRS : public CRecordset
{
public:
    explicit CLanguagesRS(CSqliteDatabase& database) : CRecordset(database, "Languages") {}
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_LanguageID = 0;
    int m_IsDefault = 0;
    QString m_LanguageName;
};

class CVersionsRS : public CRecordset
{
public:
    explicit CVersionsRS(CSqliteDatabase& database) : CRecordset(database, "Versions") {}
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_VersionID = 0;
    QString m_LongCaption;
    QString m_ShortCaption;
};

class CModalityMergingsRS : public CRecordset
{
public:
    explicit CModalityMergingsRS(CSqliteDatabase& database)
        : CRecordset(database, "ModalityMergings")
    {
    }
    void DoFieldExchange(CFieldExchange& fx) override;
    static bool CreateTable(CSqliteDatabase& database);

    int m_MasterModalityID = 0;
    int m_ChildModalityID = 0;
    int m_MergeVolumeID = 0;
};
