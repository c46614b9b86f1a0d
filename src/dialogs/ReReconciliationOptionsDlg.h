#pragma once

#include <QDialog>

class QCheckBox;
class QWidget;

// Asked before a reconciled wave is reconciled again: warns that the wave's manual matchings
// will be lost and asks whether a response caption library is to be applied and whether the
// campaign's chapters are to be kept. Ticking "Apply caption library" opens the caption library
// dialog in its reconcile mode, so that the libraries to apply are chosen there and then.
class CReReconciliationOptionsDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 152,
        IDC_APPLY_CAPTION_LIBRARY = 1090,
        IDC_KEEP_CHAPTERS = 1102,
        IDC_WARNING = 1220,
        IDC_OK = 1,
        IDC_CANCEL = 2
    };

    explicit CReReconciliationOptionsDlg(QWidget* parent = nullptr);

    bool GetApplyCaptionLibrary() const { return m_applyCaptionLibrary; }
    bool GetKeepChapters() const { return m_keepChapters; }

    // The white band behind the warning.
    QWidget* GetWhiteBand() const { return m_band; }

private:
    void OnApplyCaptionLibrary();
    void TakeValues();

    QWidget* m_band = nullptr;
    QCheckBox* m_applyBox = nullptr;
    QCheckBox* m_keepBox = nullptr;
    bool m_applyCaptionLibrary = false;
    bool m_keepChapters = false;
};
