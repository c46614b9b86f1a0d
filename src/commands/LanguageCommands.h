#pragma once

#include "commands/CmdVirtual.h"

#include <QString>
#include <memory>

class CDBAccess;

namespace pelko_wave {
class CLanguage;
}

// Adds a language to the campaign; a language marked default becomes the campaign's default
// language. The campaign validation issues it for the languages its captions use.
class CCmdAddLanguage : public CCmdVirtual
{
public:
    CCmdAddLanguage(pelko_wave::CCampaign* campaign, int languageId, bool isDefault,
                    const QString& name, const QString& abbreviation);
    ~CCmdAddLanguage() override;

    // Fails, changing nothing, when the campaign already has a language of that id.
    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_languageId;
    bool m_isDefault;
    QString m_name;
    QString m_abbreviation;
    std::unique_ptr<pelko_wave::CLanguage> m_language; // while undone
    pelko_wave::CLanguage* m_pLanguage = nullptr;
    // The campaign's default language before the language was added.
    int m_previousDefaultLanguageId = 0;
};

// Brings an opened campaign file and the campaign in memory up to this program's version. It
// cannot be undone or redone: once it is reached while undoing, nothing older can be undone.
class CCmdMoveToMostRecentVersion : public CCmdVirtual
{
public:
    // The storage object is borrowed.
    CCmdMoveToMostRecentVersion(pelko_wave::CCampaign* campaign, CDBAccess* storage);

    // False when the file's upgrade fails; the storage object then holds the error text.
    bool Do(std::unique_ptr<CCallBackInfo>& record) override;
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override;
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override;
    bool CanUndo() const override { return false; }
    bool CanRedo() const override { return false; }
    QString GetName() const override;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    CDBAccess* m_pStorage;
};
