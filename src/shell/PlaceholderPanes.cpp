#include "shell/PlaceholderPanes.h"

#include "app/OptionsProfile.h"

#include <QFrame>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>

namespace {

const QString kLayout = QStringLiteral("Layout");

QWidget* MakePane(const QString& name, const QString& caption)
{
    auto* pane = new QFrame;
    pane->setObjectName(name);
    pane->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    pane->setAutoFillBackground(true);
    QPalette palette = pane->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
    pane->setPalette(palette);
    auto* label = new QLabel(caption, pane);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    auto* layout = new QVBoxLayout(pane);
    layout->addWidget(label);
    // The splitters may make a pane as small as they like.
    pane->setMinimumSize(0, 0);
    label->setMinimumSize(0, 0);
    return pane;
}

} // namespace

CPlaceholderPanes::CPlaceholderPanes()
{
    m_panes[LeftPane] = MakePane(QStringLiteral("LeftView"), QStringLiteral("Campaign"));
    m_panes[RightPane] = MakePane(QStringLiteral("RightView"), QStringLiteral("Questions"));
    m_panes[BottomPane] = MakePane(QStringLiteral("BottomView"), QStringLiteral("Properties"));
}

QWidget* CPlaceholderPanes::GetPaneWidget(EPane pane) const
{
    return m_panes[pane];
}

QString CPlaceholderPanes::LayoutKeyName(EPane pane)
{
    switch (pane) {
    case LeftPane:
        return QStringLiteral("LeftView");
    case RightPane:
        return QStringLiteral("RightView");
    case BottomPane:
        return QStringLiteral("BottomView");
    }
    return QString();
}

void CPlaceholderPanes::ReadLayout(EPane pane, int& width, int& height) const
{
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    const QString name = kLayout + QLatin1Char('/') + LayoutKeyName(pane);
    bool ok = false;
    width = profile->value(name + QStringLiteral("Width"), -1).toInt(&ok);
    if (!ok)
        width = -1;
    height = profile->value(name + QStringLiteral("Height"), -1).toInt(&ok);
    if (!ok)
        height = -1;
}

void CPlaceholderPanes::SaveLayout(EPane pane)
{
    const QWidget* widget = m_panes[pane];
    if (!widget)
        return;
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    const QString name = kLayout + QLatin1Char('/') + LayoutKeyName(pane);
    profile->setValue(name + QStringLiteral("Width"), widget->width());
    profile->setValue(name + QStringLiteral("Height"), widget->height());
}
