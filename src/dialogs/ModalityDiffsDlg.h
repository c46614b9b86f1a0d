#pragma once

#include "dialogs/DiffsDlg.h"

namespace pelko_wave {
class CModality;
}
namespace qnr {
class CModalite;
}

// Shows how a source response differs from the campaign response it is matched to, one row per
// difference, and lets the user choose the campaign's value difference by difference. Opened
// by the reconciliation page's View Response Differences, which reads the choices (GetResults)
// or acts on Update All (257) and New Response (258) itself.
class CModalityDiffsDlg : public CDiffsDlg
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 215,
        IDC_NEW_RESPONSE = 1057
    };

    explicit CModalityDiffsDlg(QWidget* parent = nullptr);

    // The campaign response and the source response compared (borrowed; alive while the dialog
    // is). Before the dialog is shown.
    void SetModalities(const pelko_wave::CModality* campaignModality,
                       const qnr::CModalite* sourceModality);

protected:
    QString RowCaption(int kind, int languageId) const override;
    SDiffRowView DescribeRow(int kind, int languageId) const override;
    bool IsInFirstSet(int kind) const override;
    bool IsInSecondSet(int kind) const override;
    std::optional<QString> SourceValue(int kind, int languageId) const override;
    QString ShownValue(int kind, const QString& value) const override;
    QString StoredValue(int kind, const QString& shown) const override;
    unsigned UpdateAllPrompt() const override;
    unsigned NewItemPrompt() const override;

private:
    QString SourceCaption(int languageId) const;

    const pelko_wave::CModality* m_modality = nullptr;
    const qnr::CModalite* m_source = nullptr;
};
