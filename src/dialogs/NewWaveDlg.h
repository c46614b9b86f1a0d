#pragma once

#include "menus/NewDialog.h"

#include <QDateTime>

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Collects what a new wave needs: a name, a description and its start, mid-point and end
// dates. The opener may propose any of the dates before the dialog is shown; as the user finishes
// editing each date (not at each key typed) the dates are put in order (the mid-point between
// start and end, the start not after the end). OK, enabled while the name is not empty, takes
// the values.
class CNewWaveDlg : public CNewDialog
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 119,
        IDC_DESCRIPTION = 1034,
        IDC_START = 1041,
        IDC_END = 1044,
        IDC_OK = 1047,
        IDC_CANCEL = 1048,
        IDC_MID_POINT = 1049,
        IDC_NAME = 1073,
        IDC_SEPARATOR = 1111
    };

    explicit CNewWaveDlg(QWidget* parent = nullptr);

    // Proposed dates, each optional (a null date leaves its picker on today without bounds);
    // set before the dialog is shown. After OK, the dates the pickers show.
    void SetStartDate(const QDateTime& date) { m_start = date; }
    void SetEndDate(const QDateTime& date) { m_end = date; }
    void SetMidPointDate(const QDateTime& date) { m_midPoint = date; }
    const QDateTime& GetStartDate() const { return m_start; }
    const QDateTime& GetEndDate() const { return m_end; }
    const QDateTime& GetMidPointDate() const { return m_midPoint; }

    // After OK.
    const QString& GetName() const { return m_name; }
    const QString& GetDescription() const { return m_description; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Puts the proposed dates in the pickers and bounds the others by them.
    void InitDates();
    void OnStartChanged();
    void OnEndChanged();
    void OnOk();
    void UpdateOk();

    QString m_name;
    QString m_description;
    QDateTime m_start;
    QDateTime m_end;
    QDateTime m_midPoint;

    QLineEdit* m_nameEdit = nullptr;
    QPlainTextEdit* m_descriptionEdit = nullptr;
    QDateEdit* m_startPicker = nullptr;
    QDateEdit* m_endPicker = nullptr;
    QDateEdit* m_midPointPicker = nullptr;
    QPushButton* m_ok = nullptr;
    bool m_initialised = false;
};
