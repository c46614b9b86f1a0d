#include "dialogs/ProgressDlg.h"

#include "controls/DialogUnits.h"
#include "dialogs/DialogPlacement.h"
#include "platform/WindowServices.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent)
{
    // A caption without a close box: the owner alone ends the window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    setProperty("controlId", int(IDD));

    // 187 by 38 dialog units: the text line above the bar.
    const SDialogUnits units = SDialogUnits::FromFont(font());
    setFixedSize(units.ToPixelsX(187), units.ToPixelsY(38));
    m_text = new QLabel(this);
    m_text->setGeometry(units.ToPixels(7, 6, 173, 9));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setProperty("controlId", int(IDC_MESSAGE));
    m_bar = new QProgressBar(this);
    m_bar->setGeometry(units.ToPixels(7, 19, 173, 12));
    m_bar->setTextVisible(false);
    m_bar->setProperty("controlId", int(IDC_PROGRESS));
    SetRange(0);
}

void CProgressDlg::SetRange(int upper)
{
    m_upper = std::max(upper, 0);
    // A bar of range 0..0 would show a busy animation: such a bar stands still at its start.
    m_bar->setRange(0, std::max(m_upper, 1));
    SetPos(m_pos);
}

void CProgressDlg::SetPos(int position)
{
    m_pos = std::clamp(position, 0, m_upper);
    m_bar->setValue(m_pos);
}

void CProgressDlg::OffsetPos(int steps)
{
    const qint64 next = qint64(m_pos) + steps;
    SetPos(int(std::clamp<qint64>(next, 0, m_upper)));
}

void CProgressDlg::SetPosToLast()
{
    SetPos(m_upper - 1);
}

void CProgressDlg::SetMessageText(const QString& text)
{
    m_message = text;
    ShowMessage();
}

void CProgressDlg::ShowMessage()
{
    // One line: as much as fits, ending with an ellipsis.
    QString line = m_message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_text->setText(m_text->fontMetrics().elidedText(line, Qt::ElideRight, m_text->width()));
}

void CProgressDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    ShowMessage();
}

void CProgressDlg::DestroyWindow()
{
    if (m_destroying)
        return;
    m_destroying = true;
    hide();
    deleteLater();
}

void CProgressDlg::closeEvent(QCloseEvent* event)
{
    if (!m_destroying)
        event->ignore();
}

void CProgressDlg::reject()
{
    // Escape does not close the window either.
}

CProgressDlg* CreateProgressDlg(const QString& caption, const QString& text, int range,
                                QWidget* parent)
{
    auto* dialog = new CProgressDlg(parent);
    dialog->setWindowTitle(caption);
    CentreOnMainWindow(*dialog);
    dialog->show();
    dialog->SetMessageText(text);
    dialog->SetRange(range);
    GetWindowServices().PumpMessages();
    return dialog;
}
