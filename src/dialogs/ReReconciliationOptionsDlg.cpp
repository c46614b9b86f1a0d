#include "dialogs/ReReconciliationOptionsDlg.h"

#include "controls/DialogUnits.h"
#include "controls/TransparentStatic.h"
#include "dialogs/DialogControls.h"
#include "views/ViewDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CReReconciliationOptionsDlg::CReReconciliationOptionsDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Re-reconciliation options"));
    setProperty("controlId", int(IDD));
    const SDialogUnits units = SDialogUnits::FromFont(font());

    // The warning stands on a white band across the top of the dialog.
    m_band = new QWidget;
    m_band->setObjectName(QStringLiteral("WhiteBand"));
    m_band->setAutoFillBackground(true);
    QPalette white = m_band->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    m_band->setPalette(white);
    m_band->setMinimumHeight(units.ToPixelsY(24));
    auto* warning = MakeControl<CTransparentStatic>(
        IDC_WARNING,
        tr("Warning: redoing the reconciliation will remove any manual matching for this wave!"));
    warning->setWordWrap(true);
    auto* bandLayout = new QVBoxLayout(m_band);
    bandLayout->setContentsMargins(units.ToPixelsX(7), units.ToPixelsY(4), units.ToPixelsX(7),
                                   units.ToPixelsY(4));
    bandLayout->addWidget(warning);

    m_applyBox = MakeControl<QCheckBox>(IDC_APPLY_CAPTION_LIBRARY, tr("Apply &caption library"));
    m_keepBox = MakeControl<QCheckBox>(IDC_KEEP_CHAPTERS, tr("&Keep chapters"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    SetControlId(buttons->button(QDialogButtonBox::Ok), IDC_OK);
    SetControlId(buttons->button(QDialogButtonBox::Cancel), IDC_CANCEL);

    auto* options = new QVBoxLayout;
    options->setContentsMargins(units.ToPixelsX(7), units.ToPixelsY(4), units.ToPixelsX(7), 0);
    options->addWidget(m_applyBox);
    options->addWidget(m_keepBox);
    auto* buttonRow = new QVBoxLayout;
    buttonRow->setContentsMargins(units.ToPixelsX(7), 0, units.ToPixelsX(7), units.ToPixelsY(7));
    buttonRow->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_band);
    layout->addLayout(options);
    layout->addStretch(1);
    layout->addLayout(buttonRow);
    setMinimumWidth(units.ToPixelsX(192));
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(m_applyBox, &QCheckBox::clicked, this,
            &CReReconciliationOptionsDlg::OnApplyCaptionLibrary);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        TakeValues();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CReReconciliationOptionsDlg::TakeValues()
{
    m_applyCaptionLibrary = m_applyBox->isChecked();
    m_keepChapters = m_keepBox->isChecked();
}

void CReReconciliationOptionsDlg::OnApplyCaptionLibrary()
{
    TakeValues();
    if (!m_applyCaptionLibrary)
        return;
    // The libraries to apply are chosen (and may be edited) now; what the dialog answers leaves
    // the box as it is.
    if (IViewDialogs* dialogs = GetViewDialogs()) {
        const CModalDialogScope modal;
        SCaptionLibraryDlgRequest request;
        request.Mode = CAPTION_LIBRARY_RECONCILE;
        dialogs->RunCaptionLibraryDlg(this, request);
    }
}
