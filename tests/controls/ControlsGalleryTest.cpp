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

#include <QDateEdit>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
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
    const QImage empty =
        shots::GrabAndSave(s.owner, Gallery, QStringLiteral("property-grid-empty"));
    // The message, centred near the top, and nothing else.
    QRect ink;
    for (int y = 0; y < empty.height(); ++y)
        for (int x = 0; x < empty.width(); ++x)
            if (shots::PixelAt(empty, x, y).lightness() < 128)
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LT(ink.bottom(), 60);
    EXPECT_GT(ink.height(), QFontMetrics(s.grid->font()).height()) << "the message wraps";
    EXPECT_NEAR(ink.left(), empty.width() - 1 - ink.right(), 8) << "centred";
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

    // Where a pop-up editor stands in the picture of the owner.
    auto placeOf = [&s](const QWidget& popup) {
        return QRect(popup.mapToGlobal(QPoint(0, 0)) - s.owner.mapToGlobal(QPoint(0, 0)),
                     popup.size());
    };
    const QColor highlight = ColorRefToQColor(GetSysColor(COLOR_HIGHLIGHT));
    const QColor window = ColorRefToQColor(GetSysColor(COLOR_WINDOW));

    // The bool list and the calendar of a date item, each right under its row.
    s.Focus(s.items.Reconciled);
    s.PressButton();
    auto* bools = qobject_cast<CPropertyGridCombo*>(s.grid->GetEditor());
    ASSERT_NE(bools, nullptr);
    image = WithPopup(s.owner, *bools);
    shots::Save(image, Gallery, QStringLiteral("editor-bool"));
    const CRect reconciled = s.grid->FindItem(s.items.Reconciled)->m_rcName;
    QRect at = placeOf(*bools);
    EXPECT_NEAR(at.top(), s.grid->viewport()->mapTo(&s.owner, QPoint(0, reconciled.bottom)).y(), 2);
    // Two rows: "True", the value, highlighted; "False" plain.
    EXPECT_TRUE(shots::ColourNear(
        shots::PixelAt(image, at.right() - 4, at.top() + 1 + bools->RowHeight() / 2), highlight));
    EXPECT_TRUE(shots::ColourNear(
        shots::PixelAt(image, at.right() - 4, at.top() + 1 + bools->RowHeight() * 3 / 2), window));
    QTest::keyClick(bools, Qt::Key_Escape);
    s.Focus(s.items.Start);
    s.PressButton();
    auto* calendar = qobject_cast<CPropertyGridMonthCalCtrl*>(s.grid->GetEditor());
    ASSERT_NE(calendar, nullptr);
    image = WithPopup(s.owner, *calendar);
    shots::Save(image, Gallery, QStringLiteral("editor-calendar"));
    at = placeOf(*calendar);
    EXPECT_LE(at.bottom(), image.height() - 1) << "the calendar is whole in the picture";
    // The chosen day is highlighted: a patch of the highlight colour inside the calendar.
    int highlighted = 0;
    for (int y = at.top() + at.height() / 4; y <= at.bottom(); ++y)
        for (int x = at.left(); x <= at.right(); ++x)
            highlighted += shots::ColourNear(shots::PixelAt(image, x, y), highlight, 24);
    EXPECT_GT(highlighted, 100);
    QTest::keyClick(calendar, Qt::Key_Escape);

    // The multi-line and date-and-time dialogs.
    CScriptedControlDialogs dialogs;
    QString shot;
    QStringList shown;
    dialogs.OnModal = [&shot, &shown](QDialog& dialog) {
        const QImage picture = shots::GrabAndSave(dialog, Gallery, shot);
        // Each dialog opens on the item's value, with its OK and Cancel buttons in view.
        if (const auto* lines = dialog.findChild<QPlainTextEdit*>())
            shown << lines->toPlainText();
        if (const auto* date = dialog.findChild<QDateEdit*>())
            shown << date->date().toString(Qt::ISODate);
        if (const auto* time = dialog.findChild<QTimeEdit*>())
            shown << time->time().toString(Qt::ISODate);
        int buttons = 0;
        for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
            const QRect place(button->mapTo(&dialog, QPoint(0, 0)), button->size());
            buttons += picture.rect().contains(place);
        }
        EXPECT_EQ(buttons, 2) << qPrintable(shot);
        return 2;
    };
    shot = QStringLiteral("editor-text-dialog");
    s.Focus(s.items.Description);
    s.PressButton();
    shot = QStringLiteral("editor-datetime-dialog");
    s.Focus(s.items.Saved);
    s.PressButton();
    EXPECT_EQ(dialogs.Calls, 2);
    EXPECT_EQ(shown, (QStringList{"Third wave of the brand tracking\nFieldwork by telephone",
                                  "2006-04-02", "16:45:00"}));
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
    QWidget* frame = sheet.GetFrame()->GetWindow();
    const QImage first = shots::GrabAndSave(sheet, Gallery, QStringLiteral("option-sheet-page"));
    // The first page is chosen: its row highlighted in the tree, the page shown in the frame.
    ASSERT_EQ(sheet.GetActiveIndex(), 0);
    const QRect chosen = tree->visualItemRect(tree->currentItem())
                             .translated(tree->viewport()->mapTo(&sheet, QPoint(0, 0)));
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("General"));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(first, chosen.right() - 3, chosen.center().y()),
                                  ColorRefToQColor(GetSysColor(COLOR_HIGHLIGHT)), 24));
    const QWidget* page = sheet.GetPage(0);
    ASSERT_TRUE(page->isVisible());
    EXPECT_TRUE(QRect(frame->mapTo(&sheet, QPoint(0, 0)), frame->size())
                    .contains(QRect(page->mapTo(&sheet, QPoint(0, 0)), page->size())));
    tree->setCurrentItem(tree->topLevelItem(2)); // "Differences": no page of its own
    sheet.SetEmptyPageText(QStringLiteral("Choose one of the pages under %s."));
    const QImage image =
        shots::GrabAndSave(sheet, Gallery, QStringLiteral("option-sheet-empty-parent"));
    EXPECT_EQ(sheet.GetActiveIndex(), -1);
    // The caption bar runs from the caption colour at its left.
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
