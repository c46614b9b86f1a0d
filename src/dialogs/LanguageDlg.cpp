#include "dialogs/LanguageDlg.h"

#include "controls/DialogUnits.h"
#include "controls/Pictures.h"
#include "menus/NewMenu.h"
#include "model/Campaign.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTreeWidget>

using namespace pelko_wave;

namespace {

// The width of a window border, taken off the list's width before the columns share it.
constexpr int kBorderWidth = 1;

// The two images of the list: a speech bubble for every language, with a gold star on the
// default language's.
QIcon LanguageImage(bool isDefault)
{
    QPixmap image(16, 16);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(0.5, 1.5, 13, 9.5), 2.5, 2.5);
    bubble.moveTo(3, 10.5);
    bubble.lineTo(3, 14);
    bubble.lineTo(7, 10.5);
    bubble = bubble.simplified();
    painter.setPen(QPen(QColor(31, 78, 140), 1));
    painter.setBrush(QColor(74, 134, 207));
    painter.drawPath(bubble);
    painter.setPen(QPen(Qt::white, 1.2));
    painter.drawLine(QPointF(3, 4.5), QPointF(11, 4.5));
    painter.drawLine(QPointF(3, 7.5), QPointF(8.5, 7.5));
    if (isDefault) {
        painter.setPen(QPen(QColor(150, 96, 0), 0.8));
        painter.setBrush(QColor(250, 196, 40));
        painter.drawPath(StarPath(QPointF(11.5, 11.5), 4.6, 2.0));
    }
    painter.end();
    return QIcon(image);
}

} // namespace

CLanguageDlg::CLanguageDlg(const CCampaign& campaign, QWidget* parent)
    : QDialog(parent), m_defaultImage(LanguageImage(true)), m_otherImage(LanguageImage(false))
{
    setWindowTitle(tr("Languages"));
    setProperty("controlId", int(IDD));

    // The template: 286 by 194 dialog units, the list above the two buttons that set the
    // selected language, OK and Cancel.
    const SDialogUnits units = SDialogUnits::FromFont(font());
    setFixedSize(units.ToPixelsX(286), units.ToPixelsY(194));
    m_list = new QTreeWidget(this);
    m_list->setGeometry(units.ToPixels(7, 7, 272, 157));
    m_list->setProperty("controlId", int(IDC_LANGUAGE_LIST));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setIconSize(QSize(16, 16));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setHeaderLabels(
        {LoadString(IDS_LANGUAGE_COLUMN), LoadString(IDS_ABBREVIATION_COLUMN), tr("State")});
    m_list->header()->setSectionsMovable(false);
    m_list->header()->setStretchLastSection(true);

    m_setDefault = new QPushButton(tr("Set as &Default"), this);
    m_setDefault->setGeometry(units.ToPixels(7, 173, 62, 14));
    m_setDefault->setProperty("controlId", int(IDC_SET_DEFAULT));
    m_setDefault->setAutoDefault(false);
    m_setCurrent = new QPushButton(tr("Set as &Current"), this);
    m_setCurrent->setGeometry(units.ToPixels(73, 173, 62, 14));
    m_setCurrent->setProperty("controlId", int(IDC_SET_CURRENT));
    m_setCurrent->setAutoDefault(false);
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setGeometry(units.ToPixels(175, 173, 50, 14));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setGeometry(units.ToPixels(229, 173, 50, 14));
    cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_setDefault, &QPushButton::clicked, this, &CLanguageDlg::OnSetDefault);
    connect(m_setCurrent, &QPushButton::clicked, this, &CLanguageDlg::OnSetCurrent);

    // The language half the width, the abbreviation a third of the rest, the state what remains.
    const int width = m_list->contentsRect().width() - kBorderWidth;
    m_list->setColumnWidth(ColumnName, width / 2);
    m_list->setColumnWidth(ColumnAbbreviation, (width - width / 2) / 3);

    for (int i = 0; i < campaign.GetLanguageCount(); ++i) {
        const CLanguage& language = *campaign.GetLanguage(i);
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(ColumnName, language.GetLanguageName());
        row->setText(ColumnAbbreviation, language.GetLanguageAbbreviation());
        if (language.GetLanguageId() == campaign.GetCurrentLanguageId()) {
            m_currentPosition = i;
            m_list->setCurrentItem(row);
        }
        if (language.IsDefault())
            m_defaultPosition = i;
    }
    RefreshRows();
    // Connected once the rows are there, so that selecting the current row does not count as
    // the user's choice.
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CLanguageDlg::UpdateButtons);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowContextMenu(m_list->viewport()->mapToGlobal(at)); });
    m_setDefault->setEnabled(false);
    m_setCurrent->setEnabled(false);
}

void CLanguageDlg::SetCurrentLanguage(int position)
{
    m_currentPosition = position;
    RefreshRows();
}

void CLanguageDlg::SetDefaultLanguage(int position)
{
    m_defaultPosition = position;
    RefreshRows();
}

QString CLanguageDlg::StateText(bool isDefault, bool isCurrent)
{
    QString text;
    if (isDefault)
        text = tr("Default");
    if (isCurrent)
        text += text.isEmpty() ? tr("Current") : tr(", current");
    return text;
}

void CLanguageDlg::OnSetDefault()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    SetDefaultLanguage(row);
    m_setDefault->setEnabled(false);
}

void CLanguageDlg::OnSetCurrent()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    SetCurrentLanguage(row);
    m_setCurrent->setEnabled(false);
}

CNewMenu* CLanguageDlg::LoadContextMenu(CNewMenu& menu) const
{
    const int row = SelectedRow();
    if (row < 0 || !menu.LoadMenu(IDR_LANGUAGE_MENU))
        return nullptr;
    CNewMenu* popup = menu.GetSubMenuAt(0);
    if (!popup)
        return nullptr;
    popup->EnableMenuItem(ID_LANGUAGE_SET_DEFAULT, row != m_defaultPosition);
    popup->EnableMenuItem(ID_LANGUAGE_SET_CURRENT, row != m_currentPosition);
    return popup;
}

int CLanguageDlg::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

void CLanguageDlg::RefreshRows()
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = m_list->topLevelItem(i);
        row->setIcon(ColumnName, i == m_defaultPosition ? m_defaultImage : m_otherImage);
        row->setText(ColumnState, StateText(i == m_defaultPosition, i == m_currentPosition));
    }
    // The callers read both positions after OK: there must be a language at each.
    m_ok->setEnabled(m_defaultPosition >= 0 && m_defaultPosition < m_list->topLevelItemCount() &&
                     m_currentPosition >= 0 && m_currentPosition < m_list->topLevelItemCount());
}

void CLanguageDlg::UpdateButtons()
{
    const int row = SelectedRow();
    m_setDefault->setEnabled(row >= 0 && row != m_defaultPosition);
    m_setCurrent->setEnabled(row >= 0 && row != m_currentPosition);
}

void CLanguageDlg::ShowContextMenu(const QPoint& globalPosition)
{
    CNewMenu menu;
    CNewMenu* popup = LoadContextMenu(menu);
    if (!popup)
        return;
    switch (popup->TrackPopupMenu(globalPosition)) {
    case ID_LANGUAGE_SET_DEFAULT:
        OnSetDefault();
        break;
    case ID_LANGUAGE_SET_CURRENT:
        OnSetCurrent();
        break;
    default:
        break;
    }
}
