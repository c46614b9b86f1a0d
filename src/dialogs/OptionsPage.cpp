#include "dialogs/OptionsPage.h"

void COptionsPage::EnsureInitialised()
{
    if (m_initialised)
        return;
    m_initialised = true;
    OnInitDialog();
}

void COptionsPage::showEvent(QShowEvent* event)
{
    EnsureInitialised();
    TreePropSheet::CPropertyPage::showEvent(event);
}
