#pragma once

#include "controls/TreePropSheet.h"

// A page of the options sheet. It loads its controls from its records the first time it is
// shown, and remembers that it was, so that the options command takes back only the records of
// the pages the user displayed.
class COptionsPage : public TreePropSheet::CPropertyPage
{
    Q_OBJECT

public:
    using TreePropSheet::CPropertyPage::CPropertyPage;

    bool IsInitialised() const { return m_initialised; }
    // Loads the controls the first time; nothing afterwards.
    void EnsureInitialised();

protected:
    // Loads the controls from the records.
    virtual void OnInitDialog() = 0;
    void showEvent(QShowEvent* event) override;

private:
    bool m_initialised = false;
};
