#pragma once

#include "ViewTestSupport.h"

#include "controls/ControlDialogs.h"
#include "controls/PropertyGrid.h"
#include "controls/PropertyGridCombo.h"
#include "controls/PropertyGridInPlaceEdit.h"
#include "controls/PropertyGridMonthCalCtrl.h"
#include "model/Campaign.h"
#include "model/Language.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "support/views/ScriptedViewDialogs.h"
#include "views/BottomView.h"

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

// What the tests of the property pane share: the campaign they show, scripted choosers and
// dialogs, and a user who edits the grid's items through its own editors.
namespace pane_test {

// The controls' choosers: a file chooser answering FileAnswer, and the multi-line text dialog
// given TextAnswer and confirmed; an empty answer cancels.
class CPaneControlDialogs : public IControlDialogs
{
public:
    CPaneControlDialogs() { SetControlDialogs(this); }
    ~CPaneControlDialogs() override { SetControlDialogs(nullptr); }

    bool ChooseFile(QWidget*, const QString& filter, QString& path) override
    {
        LastFilter = filter;
        if (FileAnswer.isEmpty())
            return false;
        path = FileAnswer;
        return true;
    }
    bool ChooseFolder(QWidget*, const QString&, QString&) override { return false; }
    bool ChooseColor(QWidget*, COLORREF&) override { return false; }
    bool ChooseFont(QWidget*, LOGFONT&) override { return false; }
    int RunModal(QDialog& dialog) override
    {
        dialog.show();
        auto* edit = dialog.findChild<QPlainTextEdit*>();
        if (TextAnswer.isEmpty() || !edit)
            return IDCANCEL;
        edit->setPlainText(TextAnswer);
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("OK"))
                button->click();
        dialog.hide();
        return dialog.result();
    }

    QString FileAnswer;
    QString TextAnswer;
    QString LastFilter;
};

// The item dialogs of the pane: each call recorded and answered from the fields.
class CPaneViewDialogs : public CScriptedViewDialogs
{
public:
    int RunLanguagesDialog(QWidget*, int& defaultPosition, int& currentPosition) override
    {
        const int result = Answer(QStringLiteral("languages"));
        if (result == IDOK) {
            defaultPosition = DefaultPosition;
            currentPosition = CurrentPosition;
        }
        return result;
    }
    int RunMatchingMethodDialog(QWidget*, int kind, QList<quint32>& methods) override
    {
        MethodKinds.push_back(kind);
        MethodsGiven.push_back(methods);
        const int result = Answer(QStringLiteral("methods"));
        if (result == IDOK)
            methods = Methods;
        return result;
    }

    int DefaultPosition = 0;
    int CurrentPosition = 0;
    QList<quint32> Methods;
    std::vector<int> MethodKinds;
    std::vector<QList<quint32>> MethodsGiven;
};

// The campaign "Brand tracker" (no description), in English (United Kingdom, default and
// current), French and German:
//   wave 1 "Spring", 1 to 31 March 2024 (mid-point 15 March), volumes
//     1 "Online": reconciled, ZOZ file "/data/spring.zoz" (absolute), interviews in the same
//       file, question methods short caption then internal code, no response methods, strict;
//     2 "Phone": incomplete, inherits from 1, Triple-S, path kind unknown, interviews in a
//       database "Provider=plim;Data Source=phone" survey 7, case-sensitive, parent values;
//   wave 2 "Autumn", from 1 September 2024, with volume
//     3 "Panel": unreconciled, ZOZ, questions in a database "DSN=panel" survey 3, interviews
//       in the file "/data/panel.zoz";
//   wave 3 "Winter" without dates.
inline void BuildPaneCampaign(pelko_wave::CCampaign& campaign)
{
    using namespace pelko_wave;
    campaign.SetName(QStringLiteral("Brand tracker"));
    for (const int id : {2057, 1036, 1031}) {
        auto language = std::make_unique<CLanguage>(id);
        language->SetIsDefault(id == 2057);
        campaign.AddLanguage(std::move(language));
    }
    campaign.SetDefaultLanguageId(2057);
    campaign.SetCurrentLanguageId(2057);

    CWave* spring = view_test::AddWave(campaign, 1, QStringLiteral("Spring"));
    spring->SetWaveStart(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    spring->SetWaveMidpoint(QDateTime(QDate(2024, 3, 15), QTime(0, 0)));
    spring->SetWaveEnd(QDateTime(QDate(2024, 3, 31), QTime(0, 0)));
    CVolume* online =
        view_test::AddVolume(campaign, *spring, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
    online->SetSourceType(SOURCE_ZOZ);
    online->SetMetaData({0, PATH_ABSOLUTE, QStringLiteral("/data/spring.zoz"), 0});
    online->SetCaseData({0, PATH_ABSOLUTE, QStringLiteral("/data/spring.zoz"), 0});
    online->SetQuestionMatchingMethods({2, 0});
    online->SetIsMatchingStrict(1);
    CVolume* phone =
        view_test::AddVolume(campaign, *spring, 2, QStringLiteral("Phone"), VOLUME_INCOMPLETE, 1);
    phone->SetSourceType(SOURCE_TRIPLE_S);
    phone->SetMetaData({0, PATH_UNKNOWN, QStringLiteral("phone.sss"), 0});
    phone->SetCaseData({1, PATH_UNKNOWN, QStringLiteral("Provider=plim;Data Source=phone"), 7});
    phone->SetQuestionMatchingMethods({1});
    phone->SetResponseMatchingMethods({2, 1});
    phone->SetCaseSensitiveMatching(1);
    phone->SetMatchUsingAncestorValues(1);

    CWave* autumn = view_test::AddWave(campaign, 2, QStringLiteral("Autumn"));
    autumn->SetWaveStart(QDateTime(QDate(2024, 9, 1), QTime(0, 0)));
    CVolume* panel =
        view_test::AddVolume(campaign, *autumn, 3, QStringLiteral("Panel"), VOLUME_UNRECONCILED);
    panel->SetMetaData({1, PATH_ABSOLUTE, QStringLiteral("DSN=panel"), 3});
    panel->SetCaseData({0, PATH_ABSOLUTE, QStringLiteral("/data/panel.zoz"), 0});
    panel->SetQuestionMatchingMethods({0});
    panel->SetResponseMatchingMethods({0});
    view_test::AddWave(campaign, 3, QStringLiteral("Winter"));
}

// A user at the pane: clicks, opens editors and confirms them as a mouse and keyboard would.
class CPaneUser
{
public:
    explicit CPaneUser(CBottomView& pane) : m_pane(pane) {}

    CPropertyGrid& Grid() { return *m_pane.GetGrid(); }

    // Focuses the item by a click on its name.
    void Focus(HITEM item)
    {
        const CPropertyGrid::CItem* found = Grid().FindItem(item);
        ASSERT_NE(found, nullptr);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {},
                          QPoint(found->m_rcName.left + 10, found->m_rcName.top + 3));
    }
    // Focuses the item and presses its button (or clicks its value), opening its editor.
    void Open(HITEM item)
    {
        Focus(item);
        const CRect button = Grid().GetButtonRect();
        ASSERT_FALSE(button.IsRectEmpty());
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {},
                          QPoint(button.right - 3, button.top + 3));
    }
    // Types a new text (or number) into a text or number item and presses Enter.
    void Type(HITEM item, const QString& text)
    {
        Open(item);
        auto* edit = qobject_cast<CPropertyGridInPlaceEdit*>(Grid().GetEditor());
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // Chooses the entry of a drop-down list (a choice or a yes/no item).
    void Choose(HITEM item, int index)
    {
        Open(item);
        auto* list = qobject_cast<CPropertyGridCombo*>(Grid().GetEditor());
        ASSERT_NE(list, nullptr);
        list->SetCurSel(index);
        QTest::keyClick(list, Qt::Key_Return);
    }
    // Picks a day in a date item's calendar.
    void Pick(HITEM item, QDate day)
    {
        Open(item);
        auto* calendar = qobject_cast<CPropertyGridMonthCalCtrl*>(Grid().GetEditor());
        ASSERT_NE(calendar, nullptr);
        calendar->setSelectedDate(day);
        QTest::keyClick(calendar, Qt::Key_Return);
    }

private:
    CBottomView& m_pane;
};

// The text the grid shows for the slot's item; "<none>" when the slot shows nothing.
inline QString ShownText(CBottomView& pane, int slot)
{
    const CPropertyGrid::CItem* item = pane.GetGrid()->FindItem(pane.GetSlotItem(slot));
    if (!item)
        return QStringLiteral("<none>");
    if (item->m_type == CPropertyGrid::IT_CUSTOM) {
        if (auto* languages = dynamic_cast<CLanguagesItem*>(item->m_pCustom))
            return languages->GetLanguagesText();
        if (auto* methods = dynamic_cast<CMatchingMethodsItem*>(item->m_pCustom))
            return methods->GetMethodsText();
    }
    return pane.GetGrid()->GetValueText(*item);
}

// Shows a window and makes it active, so that focus and key events reach it.
inline void ShowActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window);
    QApplication::processEvents();
}

} // namespace pane_test
