#pragma once

#include "ReconPageTestSupport.h"

#include "grid/CellID.h"
#include "grid/WinGeometry.h"

#include <QStringList>

// The reconciliation page of wave 2 "Summer" (volumes 2 "Online" and 3 "Phone"; wave 1 holds
// volume 1 "First"), for the tests of matching by hand. Campaign questions, in order, with the
// rows the page shows them on:
//   row  2  10 AGE      numeric (question type 5), matched to AGE (1) in Online
//   row  3              and to AGE (1) in Phone
//   row  4  11 REGION   responses 111 North, 112 South matched to 1 North, 2 South in Online;
//                       113 West and 114 Central unmatched; source response 3 East unmatched
//   row  5  12 BRAND    matched in Online to BRAND (3), whose caption differs (bold on yellow)
//   row  6  13 SPARE    closed, matched nowhere
//   row  7  14 FRESH    first appeared in Online (this wave), matched to FRESH (5) there
//   row  8  15 OLD      closed, removed in wave 2, matched nowhere
//   row  9  16 NUM      numeric, matched nowhere
//   row 10  17 LOOP     a loop, matched to LOOP (6) in Phone
//   row 11  18 INLOOP   numeric inside the loop (indent 2), matched to INLOOP (7) in Phone
//   row 12  EXTRA (4)   closed source question of Online that nothing holds
//   row 13  NEWQ (9)    numeric source question of Phone that nothing holds
class CQuestionPageTest : public CReconPageTest
{
protected:
    CQuestionPageTest();

    // Shows wave 2 again, its differences recorded anew (after a change of the campaign or the
    // options).
    void Load();
    // Each question row as "campaign shortcut/source shortcut/volume", with "-" for "Not
    // matched".
    QStringList Rows() const;
    // The row of the campaign and source shortcuts ("-" for none); -1 when none.
    int Row(const QString& campaign, const QString& source) const;
    // Each response row as "campaign caption/source caption", "-" for none.
    QStringList ResponseRows() const;
    int ResponseRow(const QString& campaign, const QString& source) const;
    // Selects the question row (its responses fill the response grid).
    void SelectRow(int row, int col = CRightReconciliationPage::QColShortcut);
    // The row numbers shown in column 0 of a grid, joined by ",".
    QString QuestionNumbers() const;
    // The question overview bar's states, joined by ",".
    QString QuestionStates() const;
    // The middle of a cell of a grid, in its viewport.
    static CPoint Centre(const CWaveGridCtrl& grid, int row, int col);
    // Drags the question grid's cell onto the cell through the grid's entry points; whether the
    // grid accepted the cell under the pointer at the end.
    bool DragQuestion(const CCellID& from, const CCellID& to);
    // The campaign in its canonical text form, without the engine's look-up records.
    QString Dump() const;

    pelko_wave::CVolume* online = nullptr;
    pelko_wave::CVolume* phone = nullptr;
    qnr::CQuestion* extra = nullptr;
};
