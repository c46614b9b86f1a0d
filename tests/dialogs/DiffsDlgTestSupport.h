#pragma once

// What the tests of the two difference dialogs share: an application with a campaign in English
// (default) and French, and the moves a user makes in a difference dialog.

#include "app/WaveApp.h"
#include "controls/HistoryCombo.h"
#include "controls/MultiCtrl.h"
#include "dialogs/DiffsDlg.h"
#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "storage/DBAccess.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedWindowServices.h"
#include "views/WaveGridCtrl.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

namespace diffs_test {

inline constexpr int kEnglish = 2057;
inline constexpr int kFrench = 1036;
// A language of the sources that the campaign does not have.
inline constexpr int kGerman = 1031;

// A caption difference in the language.
inline CDiffInfoPtr Caption(int languageId)
{
    return std::make_shared<CCaptionDiffInfo>(languageId);
}

// The grid row of the difference at the position of the list.
inline int RowOf(int position)
{
    return position + 1;
}

// The position in the list of the difference of the kind (and language, for captions).
inline int PositionOf(const CDiffList& differences, int kind, int languageId = -1)
{
    int position = 0;
    for (const auto& [listed, info] : differences) {
        const auto* caption = dynamic_cast<const CCaptionDiffInfo*>(info.get());
        if (listed == kind && (caption ? caption->GetLanguageId() : -1) == languageId)
            return position;
        ++position;
    }
    return -1;
}

// Clicks the row's first cell, as a user selects a difference.
inline void ClickRow(CDiffsDlg& dialog, int row)
{
    CWaveGridCtrl& grid = *dialog.GetGrid();
    grid.EnsureVisible(row, 0);
    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(row, 0, rect)) << "row " << row;
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, rect.CenterPoint().ToQPoint());
}

// Whether each column of the grid leaves its texts, heading included, the room to be drawn whole:
// the room the cell's drawing leaves inside its frame and margins, against the advance of the
// text in the dialog's font (bold for the heading).
inline void ExpectColumnsFitTheirTexts(const CDiffsDlg& dialog)
{
    CWaveGridCtrl& grid = *dialog.GetGrid();
    QFont bold = dialog.font();
    bold.setBold(true);
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        const QFontMetrics metrics(row == 0 ? bold : dialog.font());
        grid.EnsureVisible(row, 0);
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            const QString text = grid.GetCellText(row, col);
            CGridCellBase* cell = grid.GetCell(row, col);
            CRect rect;
            ASSERT_TRUE(cell && grid.GetCellRect(row, col, rect)) << "row " << row;
            cell->InsetForText(row, col, rect);
            cell->GetTextRect(rect);
            EXPECT_GE(rect.Width(), metrics.horizontalAdvance(text))
                << "row " << row << " column " << col << ": " << text.toStdString();
        }
    }
}

// Replaces the text of the editor's edit by typing (an empty text: by deleting it).
inline void TypeInEditor(CDiffsDlg& dialog, const QString& text)
{
    QWidget* child = dialog.GetEditor()->GetChildAt();
    if (auto* edit = qobject_cast<QLineEdit*>(child)) {
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(child)) {
        lines->selectAll();
        if (text.isEmpty())
            QTest::keyClick(lines, Qt::Key_Delete);
        QTest::keyClicks(lines, text);
    } else {
        ADD_FAILURE() << "the editor has no edit";
    }
}

// Chooses the drop list's item of the text with the keyboard, as a user does.
inline void ChooseInEditor(CDiffsDlg& dialog, const QString& text)
{
    CHistoryCombo* list = dialog.GetEditor()->GetComboBox();
    ASSERT_NE(list, nullptr);
    const int wanted = list->findText(text);
    ASSERT_GE(wanted, 0) << text.toStdString();
    while (list->currentIndex() < wanted)
        QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > wanted)
        QTest::keyClick(list, Qt::Key_Up);
}

inline QStringList ListItems(const CDiffsDlg& dialog)
{
    QStringList items;
    if (CHistoryCombo* list = dialog.GetEditor()->GetComboBox())
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
    return items;
}

// Whether the editor takes input: an edit not read-only, or a list enabled.
inline bool EditorTakesInput(const CDiffsDlg& dialog)
{
    QWidget* child = dialog.GetEditor()->GetActiveChild();
    if (!child || !child->isEnabled())
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(child))
        return !edit->isReadOnly();
    if (auto* lines = qobject_cast<QPlainTextEdit*>(child))
        return !lines->isReadOnly();
    return true;
}

// What the dialog shows once the row of a difference is selected.
struct SRowCase
{
    int Kind;
    int Language; // of a caption difference; -1 for others
    EDiffEditor Editor;
    const char* Details;
    const char* Source;
    const char* Campaign; // as the editor shows it
    bool Editable;
};

// Clicks the row of the case's difference and checks what the dialog shows.
inline void ExpectRowShown(CDiffsDlg& dialog, const CDiffList& differences, const SRowCase& c)
{
    ClickRow(dialog, RowOf(PositionOf(differences, c.Kind, c.Language)));
    EXPECT_EQ(dialog.GetEditorKind(), c.Editor);
    EXPECT_EQ(dialog.GetDetails()->toPlainText(), QString::fromUtf8(c.Details));
    EXPECT_EQ(dialog.GetSource()->text(), QString::fromUtf8(c.Source));
    EXPECT_EQ(dialog.GetEditor()->GetText(), QString::fromUtf8(c.Campaign));
    EXPECT_EQ(EditorTakesInput(dialog), c.Editable);
}

// The result expected for the difference of a kind and language (-1 for no caption).
struct SExpectedResult
{
    int Kind;
    int Language;
    std::optional<QString> Value;
};

// One result per difference, each as expected.
inline void ExpectResults(const CDiffsDlgResults& results, const CDiffList& differences,
                          const std::vector<SExpectedResult>& expected)
{
    ASSERT_EQ(results.size(), differences.size());
    ASSERT_EQ(expected.size(), differences.size());
    for (const SExpectedResult& e : expected) {
        SCOPED_TRACE(testing::Message() << "kind " << e.Kind << " language " << e.Language);
        const int position = PositionOf(differences, e.Kind, e.Language);
        ASSERT_GE(position, 0);
        EXPECT_EQ(results[size_t(position)], e.Value);
    }
}

// The application of the program with a campaign in English (default, current) and French.
class CDiffsDlgTest : public ::testing::Test
{
protected:
    CDiffsDlgTest()
    {
        app.CreateCampaignObjects(nullptr, nullptr);
        pelko_wave::CCampaign& campaign = *app.GetCampaign();
        campaign.AddLanguage(pelko_wave::MakeLanguage(
            kEnglish, 1, QStringLiteral("English (United Kingdom)"), QStringLiteral("ENG")));
        campaign.AddLanguage(pelko_wave::MakeLanguage(kFrench, 0, QStringLiteral("French (France)"),
                                                      QStringLiteral("FRA")));
        campaign.SetDefaultLanguageId(kEnglish);
        campaign.SetCurrentLanguageId(kEnglish);
    }

    CScriptedWindowServices windows;
    CWaveApp app;
};

} // namespace diffs_test
