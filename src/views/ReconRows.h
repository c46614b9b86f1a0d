#pragma once

#include "grid/ColorRef.h"
#include "grid/LogFont.h"
#include "reconcile/RowMappers.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <list>
#include <map>
#include <vector>

class COverviewBar;
class CWaveGridCtrl;

// The rows of one grid of the reconciliation page: what each row stands for, its band in the
// overview bar beside the grid, and its background fading after a change. The question grid and
// the response grid each have their rows.
//
// A row holds one campaign item (a campaign question or response id; the row of a source item
// that no campaign item holds gets a key of its own instead: -1, -2, ... never given twice by
// the same rows) and may hold a source item (its code as text) with the volume whose source it
// comes from. Once a fill has laid the grid's rows, rows are inserted, deleted and exchanged here
// only, so that the grid's rows, their numbers, their entries, their bands, their fades and the
// current row move together.
//
// Every look-up is const and may run inside another: none keeps a cursor.
class CReconRows
{
public:
    // What a look-up answers for what the rows do not hold.
    static constexpr long kNoId = -999999999;
    static constexpr int kNoRow = -999999999;
    static const QString kNoSourceKey; // "-999999999"
    // The volume of a row without a source item.
    static constexpr int kNoVolume = -1;

    // The columns of the grid that a row's look tells apart: the source side begins at
    // SourceFirst (the campaign side before it, after the row numbers), and the image columns
    // show no text.
    struct SColumns
    {
        int SourceFirst = 0;
        std::vector<int> Images;
    };

    CReconRows() = default;
    CReconRows(const CReconRows&) = delete;
    CReconRows& operator=(const CReconRows&) = delete;

    // The grid and the bar the rows are shown in, and the grid's columns; fadeStarted is called
    // each time a fade starts, so that the owner's timer runs (StepFades at each tick).
    void Attach(CWaveGridCtrl& grid, COverviewBar& bar, SColumns columns,
                std::function<void()> fadeStarted);
    CWaveGridCtrl& GetGrid() const { return *m_grid; }

    // Look-ups -------------------------------------------------------------------------------

    // The campaign item (or unmatched key) on the row; kNoId when none.
    long GetId(int row) const { return m_items.FindId(row); }
    // The first row the item was put on, and all its rows in that order; kNoRow or none.
    int GetFirstRow(long id) const { return m_items.FindFirstRow(id); }
    std::vector<int> GetRows(long id) const { return m_items.FindRows(id); }
    // The source item on the row; kNoSourceKey when none.
    QString GetSourceKey(int row) const { return m_sources.FindId(row); }
    bool HasSource(int row) const { return GetSourceKey(row) != kNoSourceKey; }
    // The rows of the source item (of any volume), in the order they were given it.
    std::vector<int> GetSourceRows(const QString& key) const { return m_sources.FindRows(key); }
    int GetFirstSourceRow(const QString& key) const { return m_sources.FindFirstRow(key); }
    // The volume of the row's source item; kNoVolume when the row has none.
    int GetVolumeId(int row) const;
    // The item's row whose source item comes from the volume, and the row of the source item
    // of the volume; kNoRow when none.
    int FindRow(long id, int volumeId) const;
    int FindSourceRow(const QString& key, int volumeId) const;
    // The row the page last made current (its selection), -1 when none; it follows the rows
    // inserted and deleted above it.
    int GetCurrentRow() const { return m_currentRow; }
    void SetCurrentRow(int row) { m_currentRow = row; }

    // Entries --------------------------------------------------------------------------------

    // The row holds the item (in place of the one it held).
    void SetId(int row, long id);
    // The row holds a new unmatched key, which it answers.
    long SetUnmatchedId(int row);
    // The row holds the source item of the volume (in place of the one it held), or none.
    void SetSource(int row, const QString& key, int volumeId);
    void RemoveSource(int row);
    // Every entry and band goes, and every fade; the unmatched keys go on from where they were.
    void Clear();

    // Rows -----------------------------------------------------------------------------------

    // The row's number in the row-number column.
    void WriteRowNumber(int row);
    // Appends the band of a row a fill wrote (the grid's row is the fill's).
    void AppendState(int state);
    // The row's band.
    void SetState(int row, int state);
    // Inserts an empty row at the position (appended at the row count) with its band: the rows
    // below, their numbers, entries and fades and the current row move down. Its row.
    int InsertRow(int row, int state);
    // Appends an empty row with its number and band. Its row.
    int AppendRow(int state);
    // Deletes the row with its entries, band and fade: the rows below close up.
    void DeleteRow(int row);
    // Two rows exchange their cells, entries and bands.
    void SwapRows(int rowA, int rowB);
    // Gives the row a look: the font of its text cells (null: the grid's own), the text colours
    // of its campaign side and of its source side (the image columns keep the default), its
    // background (fading to it with fade) and its band.
    void ApplyLook(int row, const LOGFONT* font, COLORREF back, COLORREF campaignText,
                   COLORREF sourceText, int state, bool fade);

    // Fades ----------------------------------------------------------------------------------
    //
    // A row's background goes from its colour to another over kHighlightDuration of the views'
    // clock.

    // Starts a fade of the row to the colour, unless the row shows it already; a fade of the
    // row under way gives way to it.
    void StartFade(int row, COLORREF colour);
    // Forgets the row's fade (the row takes its colours at once instead), or every fade.
    void DropFade(int row);
    void DropFades();
    // One step of every fade; false when none is left.
    bool StepFades();
    int GetFadeCount() const { return int(m_fades.size()); }

private:
    // A row fading from one background to another since the start (views' clock).
    struct SFade
    {
        qint64 Start = 0;
        COLORREF From = 0;
        COLORREF To = 0;
        int Row = -1;
    };

    // The row's entries go.
    void ForgetRow(int row);
    // The entries of the rows from fromRow on move by delta rows (rows were inserted or deleted
    // above them); the rows they move onto must be free or moving themselves.
    void ShiftEntries(int fromRow, int delta);
    // The fades of the rows from fromRow on move by delta rows (a fade stays where the move
    // would take it past the grid's row count).
    void ShiftFades(int fromRow, int delta);
    // The row's background in the colour.
    void PaintFade(int row, COLORREF colour);

    CWaveGridCtrl* m_grid = nullptr;
    COverviewBar* m_bar = nullptr;
    SColumns m_columns;
    std::function<void()> m_fadeStarted;

    CMultiRowMapper<long, int> m_items{kNoId, kNoRow};
    CMultiRowMapper<QString, int> m_sources{kNoSourceKey, kNoRow};
    // The volume of each row that has a source item.
    std::map<int, int> m_volumes;
    long m_nextUnmatchedKey = -1;
    int m_currentRow = -1;
    // The fading rows, in the order they started.
    std::list<SFade> m_fades;
};
