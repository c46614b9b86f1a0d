#include "views/BottomView.h"

CBottomView::CBottomView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BottomView"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setMinimumSize(0, 0);
}

CBottomView::~CBottomView() = default;

void CBottomView::SaveLayout()
{
    view_layout::SavePaneSize(QStringLiteral("BottomView"), *this);
}

void CBottomView::ReadLayout(int& width, int& height)
{
    view_layout::ReadPaneSize(QStringLiteral("BottomView"), width, height);
}

void CBottomView::ShowCampaignProperties()
{
    m_nShownKind = ShownCampaign;
}

void CBottomView::ShowWaveProperties(int)
{
    m_nShownKind = ShownWave;
}

void CBottomView::ShowVolumeProperties(int)
{
    m_nShownKind = ShownVolume;
}
