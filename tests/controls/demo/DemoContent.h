#pragma once

#include "controls/CustomItem.h"
#include "controls/PropertyGrid.h"
#include "grid/DrawTextFormat.h"

#include <QPainter>
#include <QStringList>

// What the controls demo and the gallery show: a property grid holding an item of every type,
// with a custom item that draws and edits itself.

// A custom item showing matching methods in trial order; its "..." button moves the first one
// to the end.
class CDemoMethodsItem : public ICustomItem
{
public:
    QStringList Methods{QStringLiteral("Code"), QStringLiteral("Shortcut"),
                        QStringLiteral("Short caption"), QStringLiteral("Long caption")};

    int GetEditMode() override { return CPropertyGrid::EDIT_MODAL; }
    void DrawItem(QPainter& painter, const CRect& rect, bool) override
    {
        CRect text = rect;
        text.left += CPropertyGrid::GetTextMargin();
        DrawText(painter, Methods.join(QStringLiteral(", ")), text,
                 DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    bool OnEdit() override
    {
        Methods.append(Methods.takeFirst());
        return true;
    }
};

struct SDemoItems
{
    HSECTION Wave = 0;
    HSECTION Volume = 0;
    HSECTION Display = 0;
    HITEM Name = 0;
    HITEM Description = 0;
    HITEM Questions = 0;
    HITEM Threshold = 0;
    HITEM Kind = 0;
    HITEM Reconciled = 0;
    HITEM Start = 0;
    HITEM Saved = 0;
    HITEM Source = 0;
    HITEM Folder = 0;
    HITEM Colour = 0;
    HITEM Font = 0;
    HITEM Methods = 0;
    HITEM Id = 0;
};

// Fills the grid with three sections and one item of each type (and a read-only one).
inline SDemoItems FillDemoGrid(CPropertyGrid& grid, CDemoMethodsItem& methods)
{
    SDemoItems items;
    grid.ResetContents();
    items.Wave = grid.AddSection(QStringLiteral("Wave"));
    items.Id = grid.AddIntegerItem(items.Wave, QStringLiteral("Id"), 3, QString(), false);
    items.Name =
        grid.AddStringItem(items.Wave, QStringLiteral("Name"), QStringLiteral("Spring 2006"));
    items.Description = grid.AddMultilineTextItem(
        items.Wave, QStringLiteral("Description"),
        QStringLiteral("Third wave of the brand tracking\r\nFieldwork by telephone"));
    items.Start =
        grid.AddDateItem(items.Wave, QStringLiteral("Start"),
                         QDateTime(QDate(2006, 3, 6), QTime(0, 0)), QStringLiteral("%d/%m/%Y"));
    items.Saved = grid.AddItem(items.Wave, CPropertyGrid::IT_DATETIME, QStringLiteral("Last saved"),
                               QDateTime(QDate(2006, 4, 2), QTime(16, 45)));

    items.Volume = grid.AddSection(QStringLiteral("Volume"));
    items.Source = grid.AddFileItem(
        items.Volume, QStringLiteral("Source file"),
        QStringLiteral("/home/researcher/studies/brand tracking 2006/wave 3/questionnaire.zoz"),
        QStringLiteral("Questionnaires (*.zoz *.sss *.mdd)|*.zoz;*.sss;*.mdd|All files (*)|*||"));
    items.Folder =
        grid.AddItem(items.Volume, CPropertyGrid::IT_FOLDER, QStringLiteral("Data folder"),
                     QStringLiteral("/home/researcher/studies/data"));
    items.Questions =
        grid.AddIntegerItem(items.Volume, QStringLiteral("Questions"), 0, QString(), true, true);
    items.Threshold = grid.AddItem(items.Volume, CPropertyGrid::IT_DOUBLE,
                                   QStringLiteral("Similarity threshold"), 0.75);
    items.Kind = grid.AddComboItem(
        items.Volume, QStringLiteral("Source type"),
        {QStringLiteral("ZOZ"), QStringLiteral("Dimensions"), QStringLiteral("Triple-S")}, 0);
    items.Reconciled = grid.AddBoolItem(items.Volume, QStringLiteral("Reconciled"), true);
    items.Methods =
        grid.AddCustomItem(items.Volume, QStringLiteral("Question matching methods"), &methods);

    items.Display = grid.AddSection(QStringLiteral("Display"));
    items.Colour = grid.AddItem(items.Display, CPropertyGrid::IT_COLOR,
                                QStringLiteral("Highlight colour"), RGB(255, 0, 10));
    LOGFONT font;
    font.lfFaceName = QStringLiteral("DejaVu Sans");
    font.lfHeight = -13;
    items.Font =
        grid.AddItem(items.Display, CPropertyGrid::IT_FONT, QStringLiteral("Report font"), font);
    return items;
}
