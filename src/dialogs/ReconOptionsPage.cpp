#include "dialogs/ReconOptionsPage.h"

#include "dialogs/DialogControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int kTickInterval = 10;

} // namespace

CReconOptionsPage::CReconOptionsPage(CNGramSettings& nGram, CReconciliationSettings& reconciliation,
                                     QWidget* parent)
    : COptionsPage(tr("Advanced::Reconciliation Options"), parent), m_nGram(nGram),
      m_reconciliation(reconciliation)
{
    setProperty("controlId", int(IDD));
    m_enable = MakeControl<QCheckBox>(IDC_ENABLE_NGRAM, tr("Enable NGram analysis"), this);
    m_lengthLabel = new QLabel(tr("NGram length:"), this);
    m_thresholdLabel = new QLabel(tr("NGram threshold:"), this);
    const auto makeSlider = [this](int id) {
        auto* slider = MakeControl<QSlider>(id, Qt::Horizontal, this);
        slider->setRange(kSliderMinimum, kSliderMaximum);
        slider->setTickInterval(kTickInterval);
        slider->setTickPosition(QSlider::TicksBelow);
        return slider;
    };
    m_length = makeSlider(IDC_LENGTH_SLIDER);
    m_threshold = makeSlider(IDC_THRESHOLD_SLIDER);
    const auto makeEdit = [this](int id) {
        auto* edit = MakeControl<QLineEdit>(id, this);
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        return edit;
    };
    m_lengthEdit = makeEdit(IDC_LENGTH_EDIT);
    m_thresholdEdit = makeEdit(IDC_THRESHOLD_EDIT);
    m_lengthLabel->setBuddy(m_length);
    m_thresholdLabel->setBuddy(m_threshold);
    m_whitespace = MakeControl<QCheckBox>(IDC_IGNORE_WHITESPACE,
                                          tr("Ignore leading/trailing whitespace"), this);
    m_sameType = MakeControl<QCheckBox>(IDC_SAME_TYPE,
                                        tr("Ensure matched questions are of the same type"), this);

    auto* nGramGroup = new QGroupBox(tr("Text matching"), this);
    auto* grid = new QGridLayout(nGramGroup);
    grid->addWidget(m_enable, 0, 0, 1, 3);
    grid->addWidget(m_lengthLabel, 1, 0);
    grid->addWidget(m_length, 1, 1);
    grid->addWidget(m_lengthEdit, 1, 2);
    grid->addWidget(m_thresholdLabel, 2, 0);
    grid->addWidget(m_threshold, 2, 1);
    grid->addWidget(m_thresholdEdit, 2, 2);
    grid->addWidget(m_whitespace, 3, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    auto* questions = new QGroupBox(tr("Questions"), this);
    auto* questionsLayout = new QVBoxLayout(questions);
    questionsLayout->addWidget(m_sameType);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(nGramGroup);
    layout->addWidget(questions);
    layout->addStretch(1);

    connect(m_enable, &QCheckBox::clicked, this, &CReconOptionsPage::EnableNGramControls);
    // The edit beside a slider shows its position while the thumb is dragged, and after a move
    // by the keyboard or a click beside the thumb.
    for (const auto& [slider, edit] :
         {std::pair{m_length, m_lengthEdit}, std::pair{m_threshold, m_thresholdEdit}}) {
        connect(slider, &QSlider::valueChanged, edit,
                [edit](int position) { edit->setText(QString::number(position)); });
    }
}

void CReconOptionsPage::OnInitDialog()
{
    m_enable->setChecked(m_nGram.GetEnableNGramAnalysis() != 0);
    m_length->setValue(m_nGram.GetNGramLength());
    m_threshold->setValue(m_nGram.GetNGramThreshold());
    // The positions as the range clamped them.
    m_lengthEdit->setText(QString::number(m_length->value()));
    m_thresholdEdit->setText(QString::number(m_threshold->value()));
    m_whitespace->setChecked(m_nGram.GetIgnoreWhitespace() != 0);
    m_sameType->setChecked(m_reconciliation.GetCheckQuesTypeForMatches() != 0);
    EnableNGramControls();
}

void CReconOptionsPage::EnableNGramControls()
{
    const bool enabled = m_enable->isChecked();
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_lengthLabel, m_thresholdLabel, m_length, m_threshold,
                                         m_lengthEdit, m_thresholdEdit, m_whitespace})
        control->setEnabled(enabled);
}

bool CReconOptionsPage::OnKillActive()
{
    if (!IsInitialised())
        return true;
    m_nGram.SetEnableNGramAnalysis(m_enable->isChecked() ? 1 : 0);
    m_nGram.SetNGramLength(m_length->value());
    m_nGram.SetNGramThreshold(m_threshold->value());
    m_nGram.SetIgnoreWhitespace(m_whitespace->isChecked() ? 1 : 0);
    m_reconciliation.SetCheckQuesTypeForMatches(m_sameType->isChecked() ? 1 : 0);
    return true;
}
