#include "controls/SimpleBrowser.h"

#include <QLayout>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVariant>

namespace {

const QString kBlank = QStringLiteral("about:blank");

bool IsVoidElement(const QString& name)
{
    static const QStringList voidElements = {
        QStringLiteral("area"),  QStringLiteral("base"),  QStringLiteral("br"),
        QStringLiteral("col"),   QStringLiteral("embed"), QStringLiteral("hr"),
        QStringLiteral("img"),   QStringLiteral("input"), QStringLiteral("link"),
        QStringLiteral("meta"),  QStringLiteral("param"), QStringLiteral("source"),
        QStringLiteral("track"), QStringLiteral("wbr")};
    return voidElements.contains(name, Qt::CaseInsensitive);
}

// The browser window: never loads anything named by the text (images, style sheets).
class CTextOnlyBrowser final : public QTextBrowser
{
public:
    explicit CTextOnlyBrowser(QWidget* parent) : QTextBrowser(parent)
    {
        setOpenLinks(false);
        setOpenExternalLinks(false);
    }
    // An empty answer rather than none: with none the document would read local files itself.
    QVariant loadResource(int, const QUrl&) override { return QVariant(QByteArray()); }
};

} // namespace

QString OpenSelfClosingTags(const QString& html)
{
    QString out;
    out.reserve(html.size());
    const qsizetype length = html.size();
    qsizetype i = 0;
    while (i < length) {
        const QChar c = html[i];
        if (c != u'<') {
            out += c;
            ++i;
            continue;
        }
        if (html.mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype end = html.indexOf(QLatin1String("-->"), i + 4);
            const qsizetype stop = end < 0 ? length : end + 3;
            out += html.mid(i, stop - i);
            i = stop;
            continue;
        }
        qsizetype nameEnd = i + 1;
        while (nameEnd < length && (html[nameEnd].isLetterOrNumber()))
            ++nameEnd;
        if (nameEnd == i + 1) {
            // An end tag, a declaration or a lone "<": as it stands.
            out += c;
            ++i;
            continue;
        }
        const QString name = html.mid(i + 1, nameEnd - i - 1);
        // The end of the tag, past quoted attribute values.
        qsizetype end = nameEnd;
        QChar quote;
        while (end < length) {
            const QChar d = html[end];
            if (!quote.isNull()) {
                if (d == quote)
                    quote = QChar();
            } else if (d == u'"' || d == u'\'') {
                quote = d;
            } else if (d == u'>') {
                break;
            }
            ++end;
        }
        if (end >= length) {
            out += html.mid(i);
            break;
        }
        QString tag = html.mid(i, end - i + 1);
        qsizetype slash = tag.size() - 2;
        while (slash > 0 && tag[slash].isSpace())
            --slash;
        if (slash > name.size() && tag[slash] == u'/' && !IsVoidElement(name))
            tag.remove(slash, 1);
        out += tag;
        i = end + 1;
        // Style and script texts are not markup.
        if (name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String("script"), Qt::CaseInsensitive) == 0) {
            const qsizetype close =
                html.indexOf(QStringLiteral("</") + name, i, Qt::CaseInsensitive);
            const qsizetype stop = close < 0 ? length : close;
            out += html.mid(i, stop - i);
            i = stop;
        }
    }
    return out;
}

SimpleBrowser::SimpleBrowser() = default;

SimpleBrowser::~SimpleBrowser() = default;

bool SimpleBrowser::Create(QWidget* parent, const QRect& rect, int id)
{
    if (!parent)
        return false;
    setParent(parent);
    setGeometry(rect);
    m_id = id;
    if (!m_browser) {
        m_browser = new CTextOnlyBrowser(this);
        m_browser->setProperty("controlId", kBrowserId);
        m_browser->setGeometry(0, 0, rect.width(), rect.height());
        connect(m_browser, &QTextBrowser::anchorClicked, this,
                [this](const QUrl& url) { OnLinkClicked(url); });
    }
    show();
    Navigate(kBlank);
    return true;
}

bool SimpleBrowser::CreateFromControl(QWidget* placeholder)
{
    if (!placeholder || !placeholder->parentWidget())
        return false;
    QWidget* parent = placeholder->parentWidget();
    const QRect rect = placeholder->geometry();
    const int id = placeholder->property("controlId").toInt();
    if (!Create(parent, rect, id))
        return false;
    if (QLayout* layout = parent->layout())
        delete layout->replaceWidget(placeholder, this);
    setProperty("controlId", id);
    delete placeholder;
    return true;
}

void SimpleBrowser::Navigate(const QString& address)
{
    if (!m_browser)
        return;
    if (OnBeforeNavigate(address, {}, {}, {}))
        return;
    if (address == kBlank) {
        m_html.clear();
        m_browser->clear();
        OnNavigateComplete(address);
        OnDocumentComplete(address);
        return;
    }
    const QUrl url(address);
    // Only anchors of the text are reached; nothing is loaded from outside it.
    if (url.isRelative() && url.path().isEmpty() && url.hasFragment())
        m_browser->scrollToAnchor(url.fragment());
}

QTextDocument* SimpleBrowser::GetDocument() const
{
    return m_browser ? m_browser->document() : nullptr;
}

void SimpleBrowser::Clear()
{
    if (!m_browser)
        return;
    m_html.clear();
    m_browser->clear();
}

void SimpleBrowser::Write(const QString& html)
{
    if (!m_browser)
        return;
    m_html += html;
    Render();
}

void SimpleBrowser::Refresh()
{
    if (m_browser)
        Render();
}

void SimpleBrowser::Render()
{
    QScrollBar* bar = m_browser->verticalScrollBar();
    const int position = bar->value();
    m_browser->setHtml(OpenSelfClosingTags(m_html));
    bar->setValue(position);
}

void SimpleBrowser::OnLinkClicked(const QUrl& url)
{
    if (OnBeforeNavigate(url.toString(), {}, {}, {}))
        return;
    if (url.isRelative() && url.path().isEmpty() && url.hasFragment())
        m_browser->scrollToAnchor(url.fragment());
}

SimpleBrowserNotification SimpleBrowser::Record(int code) const
{
    SimpleBrowserNotification record;
    record.hwndFrom = const_cast<SimpleBrowser*>(this);
    record.idFrom = std::uintptr_t(m_id);
    record.code = code;
    return record;
}

bool SimpleBrowser::OnBeforeNavigate(const QString& url, const QString& frame,
                                     const QByteArray& postData, const QString& headers)
{
    if (!m_owner)
        return false;
    SimpleBrowserNotification record = Record(SBN_BEFORE_NAVIGATE);
    record.URL = url;
    record.Frame = frame;
    record.PostData = postData;
    record.Headers = headers;
    return SendNotify(m_owner, record) != 0;
}

void SimpleBrowser::OnDocumentComplete(const QString& url)
{
    SimpleBrowserNotification record = Record(SBN_DOCUMENT_COMPLETE);
    record.URL = url;
    Q_EMIT Notify(record);
}

void SimpleBrowser::OnNavigateComplete(const QString& url)
{
    SimpleBrowserNotification record = Record(SBN_NAVIGATE_COMPLETE);
    record.URL = url;
    Q_EMIT Notify(record);
}

void SimpleBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_browser)
        m_browser->setGeometry(0, 0, width(), height());
}
