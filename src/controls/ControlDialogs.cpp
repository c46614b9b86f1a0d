#include "controls/ControlDialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontMetrics>
#include <QRegularExpression>

namespace {

class CQtControlDialogs final : public IControlDialogs
{
public:
    bool ChooseFile(QWidget* owner, const QString& filter, QString& path) override
    {
        QFileDialog dialog(owner);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        const QStringList filters = FileFilterToNameFilters(filter);
        if (!filters.isEmpty())
            dialog.setNameFilters(filters);
        if (!path.isEmpty()) {
            const QFileInfo info(path);
            dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
        SizeFileChooser(dialog);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().constFirst();
        return true;
    }

    bool ChooseFolder(QWidget* owner, const QString& title, QString& path) override
    {
        const QString chosen = QFileDialog::getExistingDirectory(owner, title, path);
        if (chosen.isEmpty())
            return false;
        path = chosen;
        return true;
    }

    bool ChooseColor(QWidget* owner, COLORREF& colour) override
    {
        const QColor chosen = QColorDialog::getColor(ColorRefToQColor(colour), owner);
        if (!chosen.isValid())
            return false;
        colour = QColorToColorRef(chosen);
        return true;
    }

    bool ChooseFont(QWidget* owner, LOGFONT& font) override
    {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, LogFontToQFont(font), owner);
        if (!ok)
            return false;
        font = QFontToLogFont(chosen);
        return true;
    }

    int RunModal(QDialog& dialog) override { return dialog.exec(); }
};

CQtControlDialogs g_qtDialogs;
IControlDialogs* g_dialogs = nullptr;

} // namespace

IControlDialogs& GetControlDialogs()
{
    return g_dialogs ? *g_dialogs : g_qtDialogs;
}

void SetControlDialogs(IControlDialogs* dialogs)
{
    g_dialogs = dialogs;
}

void SizeFileChooser(QWidget& chooser)
{
    const QFontMetrics metrics = chooser.fontMetrics();
    chooser.resize(chooser.size().expandedTo(
        QSize(metrics.averageCharWidth() * 110, metrics.lineSpacing() * 28)));
}

QStringList FileFilterToNameFilters(const QString& filter)
{
    QStringList parts = filter.split(u'|');
    while (!parts.isEmpty() && parts.constLast().isEmpty())
        parts.removeLast();
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        name.remove(trailingPatterns);
        // "*.*" is every file where names have extensions; here it is "*", or the files
        // without a dot in their names would not show.
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        result << name + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return result;
}
