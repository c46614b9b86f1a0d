#pragma once

#include "dialogs/OptionsPage.h"
#include "reconcile/DiffsOptions.h"

#include <functional>

class CXListCtrl;

// The two difference pages of the options: a ticked list of the parts of a question (or of a
// response) that are compared between a source and the campaign. Every tick, and a click on the
// list's header, copies every row's tick into the difference set at once. The kinds that are
// never compared are not listed, so their flags cannot change here.
class CDiffsOptionsPage : public COptionsPage
{
    Q_OBJECT

public:
    enum : int
    {
        IDC_QUESTION_PARTS = 1166,
        IDC_RESPONSE_PARTS = 1180
    };

    CXListCtrl* GetList() const { return m_list; }

protected:
    // The kinds from 0 up to the count, with their hidden-kind test and caption.
    struct SKinds
    {
        int Count = 0;
        std::function<bool(int kind)> IsHidden;
        std::function<QString(int kind)> Caption;
    };

    CDiffsOptionsPage(const QString& caption, int templateId, int listId, const QString& text,
                      CDiffsOptions& options, SKinds kinds, QWidget* parent);

    // Whether the set enables the kind.
    virtual bool IsEnabled(int kind) const = 0;
    void OnInitDialog() override;

private:
    void CopyTicks();

    CDiffsOptions& m_options;
    SKinds m_kinds;
    CXListCtrl* m_list = nullptr;
};

// Options "Differences::Question Differences".
class CQuestionsDiffOptionsPage : public CDiffsOptionsPage
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 143
    };
    // The page edits the set given, which outlives it.
    explicit CQuestionsDiffOptionsPage(CQuestionDiffsOptions& options, QWidget* parent = nullptr);

protected:
    bool IsEnabled(int kind) const override { return m_questionOptions.IsEnabled(kind); }

private:
    CQuestionDiffsOptions& m_questionOptions;
};

// Options "Differences::Response Differences".
class CModalitiesDiffOptionsPage : public CDiffsOptionsPage
{
    Q_OBJECT

public:
    enum : int
    {
        IDD = 144
    };
    explicit CModalitiesDiffOptionsPage(CModalityDiffsOptions& options, QWidget* parent = nullptr);

protected:
    bool IsEnabled(int kind) const override { return m_modalityOptions.IsEnabled(kind); }

private:
    CModalityDiffsOptions& m_modalityOptions;
};
