#include "menus/NewDialog.h"

CNewDialog::CNewDialog(QWidget* parent) : QDialog(parent) {}

CNewDialog::CNewDialog(unsigned templateId, QWidget* parent)
    : QDialog(parent), m_nTemplateId(templateId)
{
}
