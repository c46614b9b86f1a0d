#include "shell/AboutDlg.h"

#include "controls/DialogUnits.h"
#include "controls/HyperLink.h"
#include "controls/Pictures.h"
#include "grid/LogFont.h"
#include "platform/FormatString.h"
#include "platform/VersionInfo.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

CHyperLink* MakeLink(QWidget* parent, int id, unsigned textId, const QString& address)
{
    auto* link = new CHyperLink(parent);
    link->setProperty("controlId", id);
    link->SetWindowText(LoadString(textId));
    link->SetURL(address);
    // The box's opener opens the guide, with its way out when no browser can be started.
    link->SetIsLink(false);
    link->SetLinkFont(QStringLiteral("MS Shell Dlg 2"), 13, FW_NORMAL, false);
    link->resize(link->SizeForText());
    return link;
}

} // namespace

CAboutDlg::CAboutDlg(const CVersionInfo& version, const QString& guideAddress, QWidget* parent)
    : CNewDialog(IDD, parent)
{
    setWindowTitle(LoadString(IDS_ABOUT_TITLE));
    const SDialogUnits units = SDialogUnits::FromFont(font());
    setFixedSize(units.ToPixelsX(235), units.ToPixelsY(86));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("AboutIcon"));
    icon->setPixmap(QPixmap::fromImage(ProgramIconPicture(32)));
    icon->setGeometry(units.ToPixelsX(10), units.ToPixelsY(10), 32, 32);

    auto* name = new QLabel(QStringLiteral("Plim"), this);
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    name->setGeometry(units.ToPixels(38, 8, 150, 16));

    auto* versionLine =
        new QLabel(FormatString(LoadString(IDS_VERSION_LINE),
                                {version.GetProductName(), version.GetVersionNumber()}),
                   this);
    versionLine->setTextFormat(Qt::PlainText);
    versionLine->setGeometry(units.ToPixels(38, 28, 190, 9));
    auto* copyright = new QLabel(version.GetLegalCopyright(), this);
    copyright->setTextFormat(Qt::PlainText);
    copyright->setGeometry(units.ToPixels(38, 40, 190, 9));

    m_wiki = MakeLink(this, IDC_WIKI_LINK, IDS_WIKI_LINK, guideAddress);
    m_wiki->move(units.ToPixelsX(38), units.ToPixelsY(58));
    m_help = MakeLink(this, IDC_HELP_LINK, IDS_HELP_LINK, guideAddress);
    m_help->move(units.ToPixelsX(38), units.ToPixelsY(70));
    for (CHyperLink* link : {m_wiki, m_help}) {
        connect(link, &CHyperLink::Clicked, this, [this] {
            m_guideAsked = true;
            accept();
        });
    }

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setGeometry(units.ToPixels(178, 65, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
