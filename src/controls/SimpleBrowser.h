#pragma once

#include "grid/NotifyOwner.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QWidget>

class QTextBrowser;
class QTextDocument;

// Notification codes of the browser.
enum : int
{
    SBN_BEFORE_NAVIGATE = 0,
    SBN_DOCUMENT_COMPLETE = 1,
    SBN_DOWNLOAD_BEGIN = 2,
    SBN_PROGRESS_CHANGE = 3,
    SBN_DOWNLOAD_COMPLETE = 4,
    SBN_NAVIGATE_COMPLETE = 5,
    SBN_STATUS_TEXT_CHANGE = 6,
    SBN_TITLE_CHANGE = 7,
};

// What the browser reports about a navigation; the header holds the browser, its control id
// and the code (SBN_*).
struct SimpleBrowserNotification : NMHDR
{
    QString URL;
    QString Frame;
    QByteArray PostData;
    QString Headers;
    int Progress = 0;
    int ProgressMax = 0;
    QString Text;
};

// Rewrites start tags written as empty elements ("<p class = \"x\"/>") as start tags, as web
// browsers read them: the reports open every paragraph that way and put its text after it.
// Elements that are empty by nature (br, meta, img, ...) keep their form.
QString OpenSelfClosingTags(const QString& html);

// A child window that shows HTML text produced in memory: it takes the place of a placeholder
// of a dialog, empties itself into a fresh document and appends HTML text to it. Everything
// written since the last Clear shows as one document. Nothing is ever loaded from outside the
// text: a link click asks the owner, and a link to an anchor of the text scrolls to it.
class SimpleBrowser : public QWidget
{
    Q_OBJECT

public:
    // The control id of the inner browser window.
    static constexpr int kBrowserId = 59648;

    SimpleBrowser();
    ~SimpleBrowser() override;

    // Makes the browser a child of the parent at the rectangle, showing an empty document.
    bool Create(QWidget* parent, const QRect& rect, int id);
    // Takes the place (and the layout slot and control id) of a placeholder, which is deleted.
    // False without a placeholder or without its parent.
    bool CreateFromControl(QWidget* placeholder);

    // The only addresses shown are "about:blank" (an empty document) and anchors of the text.
    void Navigate(const QString& address);
    // The document shown, or none before Create.
    QTextDocument* GetDocument() const;
    // Empties the display into a fresh document.
    void Clear();
    // Appends HTML text to the current document.
    void Write(const QString& html);
    void Refresh();

    // Everything written since the last Clear.
    const QString& GetWrittenHtml() const { return m_html; }
    QTextBrowser* GetBrowserWindow() const { return m_browser; }
    int GetDlgCtrlID() const { return m_id; }

    // The owner asked before navigations (not owned): a non-zero answer to SBN_BEFORE_NAVIGATE
    // cancels the navigation; without an owner every navigation goes ahead.
    void SetOwner(INotifyOwner* owner) { m_owner = owner; }

Q_SIGNALS:
    // Notifications without an answer: SBN_NAVIGATE_COMPLETE and SBN_DOCUMENT_COMPLETE.
    void Notify(const SimpleBrowserNotification& notification);

protected:
    // True to cancel the navigation (the owner's answer was non-zero).
    virtual bool OnBeforeNavigate(const QString& url, const QString& frame,
                                  const QByteArray& postData, const QString& headers);
    virtual void OnDocumentComplete(const QString& url);
    virtual void OnNavigateComplete(const QString& url);

    void resizeEvent(QResizeEvent* event) override;

private:
    SimpleBrowserNotification Record(int code) const;
    void Render();
    void OnLinkClicked(const QUrl& url);

    QTextBrowser* m_browser = nullptr; // a child of this window
    INotifyOwner* m_owner = nullptr;
    int m_id = 0;
    QString m_html;
};
Q_DECLARE_METATYPE(SimpleBrowserNotification)
