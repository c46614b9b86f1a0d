#pragma once

#include "menus/NewDialog.h"

#include <QList>

class CXListCtrl;
class QLabel;
class QPushButton;

// The matching methods of a volume's questions or responses: the user ticks the methods to use
// and drags the rows into the order in which they are tried. Opened by the property pane's
// matching-method items; after OK, GetMethods holds the ticked methods in the order shown, never
// none (OK is greyed while nothing is ticked).
class CMatchingMethodDlg : public CNewDialog
{
    Q_OBJECT

public:
    // The dialog template and its controls.
    enum : int
    {
        IDD = 148,
        IDC_OK = 1,
        IDC_CANCEL = 2,
        IDC_TITLE = 1010,
        IDC_METHODS = 1189
    };
    enum EKind : int
    {
        QuestionMethods = 0,
        ResponseMethods = 1
    };

    explicit CMatchingMethodDlg(QWidget* parent = nullptr);

    // Before the dialog is shown: the kind and the methods in trial order. The methods given come
    // first, ticked, then the others by id; with none given, only the first method is ticked.
    void SetMethods(int kind, const QList<quint32>& methods);
    // After OK: the ticked methods, from the top.
    const QList<quint32>& GetMethods() const { return m_methods; }

    CXListCtrl* GetList() const { return m_list; }
    QLabel* GetTitle() const { return m_title; }
    QPushButton* GetOkButton() const { return m_ok; }

public Q_SLOTS:
    void accept() override;

private:
    void FillList();
    void UpdateOkButton();

    CXListCtrl* m_list = nullptr;
    QLabel* m_title = nullptr;
    QPushButton* m_ok = nullptr;
    int m_kind = QuestionMethods;
    QList<quint32> m_methods;
};
