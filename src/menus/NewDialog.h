#pragma once

#include <QDialog>

// The base of the program's dialogs that show themed menus (the about, matching-method,
// new-wave and validation dialogs). Its context menus and any menu bar are drawn by the
// application's menu style like every other; it keeps the id of its dialog template.
class CNewDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CNewDialog(QWidget* parent = nullptr);
    CNewDialog(unsigned templateId, QWidget* parent);

    // The id of the dialog template (0 when made without one).
    unsigned GetTemplateId() const { return m_nTemplateId; }

private:
    unsigned m_nTemplateId = 0;
};
