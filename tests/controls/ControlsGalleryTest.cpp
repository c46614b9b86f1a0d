#include "ControlsTestSupport.h"
#include "demo/DemoContent.h"

#include "controls/MultiCtrl.h"
#include "controls/PropPageFrame.h"
#include "controls/PropertyGrid.h"
#include "controls/PropertyGridCombo.h"
#include "controls/PropertyGridInPlaceEdit.h"
#include "controls/PropertyGridMonthCalCtrl.h"
#include "controls/TreePropSheet.h"
#include "controls/WindowStyles.h"
#include "grid/SysColors.h"
#include "widgets/Screenshots.h"

#include <QLabel>
#include <QPainter>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

const QString Gallery = QStringLiteral("gallery");

// The window with a pop-up drawn where it stands on the screen.
QImage WithPopup(QWidget& window, QWidget& popup)
{
    const QImage base = shots::Grab(window);
    const QImage over = popup.grab().toImage();
    const QPoint at = popup.mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0));
    QImage canvas(std::max(base.width(), at.x() + over.width()),
                  std::max(base.height(), at.y() + over.height()), QImage::Format_RGB32);
    canvas.fill(Qt::darkGray);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, base);
    painter.drawImage(at, over);
    return canvas;
}

struct SGalleryGrid
{
    SGalleryGrid()
    {
        owner.resize(460, 400);
        grid = new CPropertyGrid(&owner);
        grid->setGeometry(0, 0, 460, 400);
        grid->SetBoldModified(true);
        items = FillDemoGrid(*grid, methods);
        ShowActive(owner);
    }
    void Focus(HITEM item)
    {
        const CRect name = grid->FindItem(item)->m_rcName;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(40, name.top + 3));
    }
    void PressButton()
    {
        const CRect button = grid->GetButtonRect();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          QPoint(button.right - 4, button.top + 4));
    }
    QWidget owner;
    CPropertyGrid* grid = nullptr;
    CDemoMethodsItem methods;
    SDemoItems items;
};

} // namespace

TEST(ControlsGallery, PropertyGridInEachDisplayMode)
{
    SGalleryGrid s;
    const QColor focus = ColorRefToQColor(GetSysColor(COLOR_HIGHLIGHT));
    const QColor shade = ColorRefToQColor(GetSysColor(COLOR_3DFACE));
    const std::pair<int, QString> modes[] = {
        {CPropertyGrid::DM_CATEGORIZED, QStringLiteral("property-grid-categorized")},
        {CPropertyGrid::DM_ALPHABETICAL, QStringLiteral("property-grid-alphabetical")},
        {CPropertyGrid::DM_NOSORT, QStringLiteral("property-grid-nosort")},
    };
    const HITEM focused[] = {s.items.Source, s.items.Kind, s.items.Name};
    for (int i = 0; i < 3; ++i) {
        s.grid->SetDisplayMode(modes[i].first);
        s.Focus(focused[i]);
        const QImage image = shots::GrabAndSave(s.owner, Gallery, modes[i].second);
        const CRect name = s.grid->FindItem(focused[i])->m_rcName;
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 20, name.top + 2), focus)) << i;
        // The button sits at the right end of the focused row (the whole value for in-place).
        const CRect button = s.grid->GetButtonRect();
        EXPECT_EQ(button.top, name.top);
        EXPECT_EQ(button.right, s.grid->viewport()->width());
        // Titles are shaded only where they are shown.
        const QColor topRow = shots::PixelAt(image, 300, 2);
        EXPECT_EQ(shots::ColourNear(topRow, shade), modes[i].first == CPropertyGrid::DM_CATEGORIZED)
            << i;
    }
    // Shown after an edit: the changed value bold, and an empty grid with its message.
    s.grid->SetDisplayMode(CPropertyGrid::DM_CATEGORIZED);
    s.grid->ResetContents();
    s.grid->SetEmptyMessage(
        QStringLiteral("Choose a wave or a volume in the campaign tree to see its properties."));
    shots::GrabAndSave(s.owner, Gallery, QStringLiteral("property-grid-empty"));
}

TEST(ControlsGallery, PropertyGridEditorsOpen)
{
    SGalleryGrid s;
    // The in-place edit over the value column.
    s.Focus(s.items.Name);
    s.PressButton();
    auto* edit = qobject_cast<CPropertyGridInPlaceEdit*>(s.grid->GetEditor());
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("Spring 2006, revised"));
    QImage image = shots::GrabAndSave(s.owner, Gallery, QStringLiteral("editor-inplace"));
    EXPECT_TRUE(shots::ColourNear(
        shots::PixelAt(image, edit->geometry().right() - 2, edit->geometry().center().y()),
        ColorRefToQColor(GetSysColor(COLOR_WINDOW))));
    QTest::keyClick(edit, Qt::Key_Escape);

    // The list of a combo item, below its row.
    s.Focus(s.items.Kind);
    s.PressButton();
    auto* list = qobject_cast<CPropertyGridCombo*>(s.grid->GetEditor());
    ASSERT_NE(list, nullptr);
    image = WithPopup(s.owner, *list);
    shots::Save(image, Gallery, QStringLiteral("editor-list"));
    const QPoint listAt = list->mapToGlobal(QPoint(0, 0)) - s.owner.mapToGlobal(QPoint(0, 0));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, listAt.x() + list->width() / 2,
                                                 listAt.y() + 1 + list->RowHeight() / 2),
                                  ColorRefToQColor(GetSysColor(COLOR_HIGHLIGHT))));
    QTest::keyClick(list, Qt::Key_Escape);

    // The bool list and the calendar of a date item.
    s.Focus(s.items.Reconciled);
    s.PressButton();
    ASSERT_NE(qobject_cast<CPropertyGridCombo*>(s.grid->GetEditor()), nullptr);
    shots::Save(WithPopup(s.owner, *s.grid->GetEditor()), Gallery, QStringLiteral("editor-bool"));
    QTest::keyClick(s.grid->GetEditor(), Qt::Key_Escape);
    s.Focus(s.items.Start);
    s.PressButton();
    auto* calendar = qobject_cast<CPropertyGridMonthCalCtrl*>(s.grid->GetEditor());
    ASSERT_NE(calendar, nullptr);
    shots::Save(WithPopup(s.owner, *calendar), Gallery, QStringLiteral("editor-calendar"));
    QTest::keyClick(calendar, Qt::Key_Escape);

    // The multi-line and date-and-time dialogs.
    CScriptedControlDialogs dialogs;
    QString shot;
    dialogs.OnModal = [&shot](QDialog& dialog) {
        shots::GrabAndSave(dialog, Gallery, shot);
        return 2;
    };
    shot = QStringLiteral("editor-text-dialog");
    s.Focus(s.items.Description);
    s.PressButton();
    shot = QStringLiteral("editor-datetime-dialog");
    s.Focus(s.items.Saved);
    s.PressButton();
    EXPECT_EQ(dialogs.Calls, 2);
}

TEST(ControlsGallery, MultiControlOfEachType)
{
    QWidget dialog;
    dialog.setWindowTitle(QStringLiteral("Multi controls"));
    dialog.resize(420, 10 * 34 + 20);
    struct SType
    {
        unsigned Type;
        const char* Label;
        const char* Text;
        unsigned Added;
    };
    const SType types[] = {
        {CMultiCtrl::MCT_NONE, "&None", "", 0},
        {CMultiCtrl::MCT_STATIC, "&Static", "A static value", 0},
        {CMultiCtrl::MCT_STATICBTN, "&Button", "Beside a button", 0},
        {CMultiCtrl::MCT_EDIT, "&Edit", "Brand awareness", 0},
        {CMultiCtrl::MCT_UPDOWNEDIT, "&Up-down", "12", ES_NUMBER},
        {CMultiCtrl::MCT_DROPLIST, "&Drop list", "True", 0},
        {CMultiCtrl::MCT_COMBO, "&Combo", "Typed text", 0},
        {CMultiCtrl::MCT_CHECKBOX, "Chec&k box", "1", 0},
        {CMultiCtrl::MCT_DATETIME, "Da&te", "", 0},
        {CMultiCtrl::MCT_RICHEDIT, "&Rich edit", "Rich edit text", 0},
    };
    std::vector<CMultiCtrl*> controls;
    int y = 10;
    for (const SType& t : types) {
        auto* multi = new CMultiCtrl(&dialog);
        multi->setGeometry(10, y, 400, 24);
        multi->SubclassPlaceholder(QString::fromLatin1(t.Label));
        multi->SetType(t.Type, t.Added, 0);
        if (t.Type == CMultiCtrl::MCT_DROPLIST) {
            multi->AddHistoryString(QStringLiteral("False"));
            multi->AddHistoryString(QStringLiteral("True"));
        }
        if (t.Type == CMultiCtrl::MCT_DATETIME)
            multi->SetText(QLocale().toString(QDateTime(QDate(2006, 3, 6), QTime(9, 0)),
                                              QLocale::ShortFormat));
        else
            multi->SetText(QString::fromLatin1(t.Text));
        controls.push_back(multi);
        y += 34;
    }
    ShowActive(dialog);
    const QImage image = shots::GrabAndSave(dialog, Gallery, QStringLiteral("multi-controls"));
    // Every input stays inside its control; edits line up after the label column.
    for (CMultiCtrl* multi : controls) {
        if (QWidget* child = multi->GetActiveChild()) {
            EXPECT_LE(child->geometry().right(), multi->width()) << multi->GetType();
        }
    }
    EXPECT_EQ(controls[3]->GetChildAt()->x(), controls[9]->GetChild(CMultiCtrl::ID_RICHEDIT)->x());
    // The value beside the button starts where the static value does: the first column of ink
    // of each text, found in the picture.
    auto firstInk = [&image, &dialog](const CMultiCtrl* multi) {
        const QWidget* text = multi->GetChild(CMultiCtrl::ID_STATIC);
        const QRect area(text->mapTo(&dialog, QPoint(0, 0)), text->size());
        for (int x = area.left(); x <= area.right(); ++x)
            for (int y = area.top(); y <= area.bottom(); ++y)
                if (shots::PixelAt(image, x, y).lightness() < 100)
                    return x;
        return -1;
    };
    const int staticInk = firstInk(controls[1]);
    EXPECT_GT(staticInk, controls[1]->x());
    EXPECT_NEAR(firstInk(controls[2]), staticInk, 1);
    const QWidget* button = controls[2]->GetChild(CMultiCtrl::ID_STATICBTN);
    EXPECT_LT(button->geometry().right(), controls[2]->GetChild(CMultiCtrl::ID_STATIC)->x());
    const QWidget* edit = controls[3]->GetChildAt();
    const QPoint inside = edit->mapTo(&dialog, QPoint(edit->width() - 4, edit->height() / 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, inside.x(), inside.y()),
                                  ColorRefToQColor(GetSysColor(COLOR_WINDOW))));
}

TEST(ControlsGallery, OptionSheetWithAnEmptyParentChosen)
{
    using namespace TreePropSheet;
    CTreePropSheet sheet(QStringLiteral("Options"));
    sheet.SetTreeViewMode(true, true, false);
    const char* captions[] = {"Environment::General",
                              "Environment::Reconciliation",
                              "Environment::User Defined Applications",
                              "Advanced::Reconciliation Options",
                              "Differences::Question Differences",
                              "Differences::Response Differences"};
    for (const char* caption : captions) {
        auto* page = new CPropertyPage(QString::fromLatin1(caption));
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(
            new QLabel(QStringLiteral("Options of %1").arg(QString::fromLatin1(caption)), page));
        layout->addStretch();
        sheet.AddPage(page);
    }
    sheet.resize(640, 420);
    ShowActive(sheet);
    QTreeWidget* tree = sheet.GetPageTreeControl();
    EXPECT_EQ(tree->topLevelItemCount(), 3);
    shots::GrabAndSave(sheet, Gallery, QStringLiteral("option-sheet-page"));
    tree->setCurrentItem(tree->topLevelItem(2)); // "Differences": no page of its own
    sheet.SetEmptyPageText(QStringLiteral("Choose one of the pages under %s."));
    const QImage image =
        shots::GrabAndSave(sheet, Gallery, QStringLiteral("option-sheet-empty-parent"));
    EXPECT_EQ(sheet.GetActiveIndex(), -1);
    // The caption bar runs from the caption colour at its left.
    QWidget* frame = sheet.GetFrame()->GetWindow();
    const QPoint bar = frame->mapTo(&sheet, QPoint(1, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, bar.x(), bar.y()),
                                  ColorRefToQColor(GetSysColor(COLOR_ACTIVECAPTION)), 6));
    // The tree is as wide as the sheet gives it, or wider: every caption shows whole, on rows
    // taller than their text.
    EXPECT_GE(tree->width(), 195);
    int nodes = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it, ++nodes) {
        const QRect row = tree->visualItemRect(*it);
        const QFontMetrics metrics(tree->font());
        EXPECT_LE(row.left() + metrics.horizontalAdvance((*it)->text(0)) + 4,
                  tree->viewport()->width())
            << qPrintable((*it)->text(0));
        EXPECT_GE(row.height(), metrics.height() + 4) << qPrintable((*it)->text(0));
    }
    EXPECT_EQ(nodes, 9);
}
