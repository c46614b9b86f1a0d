#pragma once

#include "dialogs/OptionsPage.h"
#include "model/OptionRecords.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;

// Options "Advanced::Reconciliation Options": the n-gram text similarity (on or off, its length
// and threshold on sliders from 1 to 100, whitespace at either end ignored) and whether matched
// questions must be of one type. The sliders' positions are what the page saves, so a stored
// value outside 1 to 100 comes back clamped.
class CReconOptionsPage : public COptionsPage
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 139,
        IDC_THRESHOLD_EDIT = 1045,
        IDC_ENABLE_NGRAM = 1093,
        IDC_IGNORE_WHITESPACE = 1105,
        IDC_SAME_TYPE = 1110,
        IDC_LENGTH_SLIDER = 1156,
        IDC_THRESHOLD_SLIDER = 1157,
        IDC_LENGTH_EDIT = 1158
    };
    static constexpr int kSliderMinimum = 1;
    static constexpr int kSliderMaximum = 100;

    // The page edits the records given, which outlive it.
    CReconOptionsPage(CNGramSettings& nGram, CReconciliationSettings& reconciliation,
                      QWidget* parent = nullptr);

    // Writes the sliders and the three boxes into the records.
    bool OnKillActive() override;

protected:
    void OnInitDialog() override;

private:
    // The n-gram controls follow the "Enable NGram analysis" box.
    void EnableNGramControls();

    CNGramSettings& m_nGram;
    CReconciliationSettings& m_reconciliation;
    QCheckBox* m_enable = nullptr;
    QLabel* m_lengthLabel = nullptr;
    QLabel* m_thresholdLabel = nullptr;
    QSlider* m_length = nullptr;
    QSlider* m_threshold = nullptr;
    QLineEdit* m_lengthEdit = nullptr;
    QLineEdit* m_thresholdEdit = nullptr;
    QCheckBox* m_whitespace = nullptr;
    QCheckBox* m_sameType = nullptr;
};
