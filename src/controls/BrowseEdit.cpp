#include "controls/BrowseEdit.h"

#include "controls/WindowStyles.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

void ApplyEditStyle(QLineEdit& edit, unsigned style)
{
    edit.setReadOnly(style & ES_READONLY);
    edit.setEchoMode((style & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
    if (style & ES_NUMBER)
        edit.setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), &edit));
    if (style & ES_CENTER)
        edit.setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    else if (style & ES_RIGHT)
        edit.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

CBrowseEdit::CBrowseEdit(unsigned style, QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this))
{
    ApplyEditStyle(*m_edit, style);
    m_button->setText(QStringLiteral("..."));
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setEnabled(!(style & ES_READONLY));
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, [this] { Q_EMIT Command(m_id, EN_CHANGE); });
    connect(m_button, &QToolButton::clicked, this, [this] {
        m_edit->setFocus(Qt::OtherFocusReason);
        Q_EMIT Command(m_id, BN_CLICKED);
    });
    m_edit->installEventFilter(this);
}

void CBrowseEdit::SetWindowText(const QString& text)
{
    m_edit->setText(text);
}

QString CBrowseEdit::GetWindowText() const
{
    return m_edit->text();
}

void CBrowseEdit::resizeEvent(QResizeEvent*)
{
    const int side = height();
    m_edit->setGeometry(0, 0, std::max(0, width() - side), side);
    m_button->setGeometry(width() - side, 0, side, side);
}

void CBrowseEdit::focusInEvent(QFocusEvent*)
{
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}

bool CBrowseEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::FocusIn)
            Q_EMIT Command(m_id, EN_SETFOCUS);
        else if (event->type() == QEvent::FocusOut)
            Q_EMIT Command(m_id, EN_KILLFOCUS);
    }
    return QWidget::eventFilter(watched, event);
}
