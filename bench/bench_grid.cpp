// The grid control with 5,000 and 100,000 rows of ten 20-character texts: filling it by counts
// or row by row, painting one 1280 x 800 screen at the top and at the end, scrolling from the
// top to the last row, sorting a column and copying every cell, each against the plain
// standard-library work it stands beside. Runs offscreen.
#include "grid/GridCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <random>

namespace {
constexpr int Columns = 10;

// A text of 20 characters naming the cell, made with one allocation.
QString Text(int row, int col)
{
    QString text(20, QLatin1Char('x'));
    QChar* data = text.data();
    data[0] = QLatin1Char('R');
    for (int i = 8, value = row; i >= 1; --i, value /= 10)
        data[i] = QLatin1Char(char('0' + value % 10));
    data[9] = QLatin1Char(' ');
    data[10] = QLatin1Char('C');
    data[11] = QLatin1Char(char('0' + col % 10));
    return text;
}

void FillByCounts(CGridCtrl& grid, int rows)
{
    grid.SetRowCount(rows);
    grid.SetColumnCount(Columns);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < Columns; ++col)
            grid.SetCellText(row, col, Text(row, col));
}

void FillByRows(CGridCtrl& grid, int rows)
{
    grid.SetColumnCount(Columns);
    grid.SetFixedColumnCount(1);
    for (int row = 0; row < rows; ++row) {
        const int index = grid.InsertRow(Text(row, 0));
        for (int col = 1; col < Columns; ++col)
            grid.SetCellText(index, col, Text(row, col));
    }
}

std::unique_ptr<CGridCtrl> MakeGrid(int rows)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->resize(1280, 800);
    FillByCounts(*grid, rows);
    for (int col = 0; col < Columns; ++col)
        grid->SetColumnWidth(col, 150);
    return grid;
}

// Rows, then 0 for counts and texts or 1 for a row insertion per row.
void BM_GridFill(benchmark::State& state)
{
    const int rows = int(state.range(0));
    const bool byRows = state.range(1) != 0;
    double bytesPerCell = 0;
    {
        // One untimed fill first: the timed ones reuse its memory.
        CGridCtrl warmUp;
        FillByCounts(warmUp, rows);
    }
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        auto grid = std::make_unique<CGridCtrl>();
        grid->resize(1280, 800);
        if (byRows)
            FillByRows(*grid, rows);
        else
            FillByCounts(*grid, rows);
        bytesPerCell = double(mallinfo2().uordblks - before) / (double(rows) * Columns);
        benchmark::DoNotOptimize(grid->GetCellText(rows - 1, Columns - 1));
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_cell"] = bytesPerCell;
}
BENCHMARK(BM_GridFill)
    ->Args({5000, 0})
    ->Args({100000, 0})
    ->Args({5000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

// Rows, then 0 for the top or 1 for the end (after Ctrl+End).
void BM_GridPaintScreen(benchmark::State& state)
{
    auto grid = MakeGrid(int(state.range(0)));
    grid->show();
    QApplication::processEvents();
    grid->SetFocusCell(1, 1);
    if (state.range(1) != 0) {
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(grid.get(), &end);
    }
    QImage image(1280, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        grid->DrawGrid(painter, CRect(0, 0, 1280, 800));
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_GridPaintScreen)
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_GridEnsureVisibleLast(benchmark::State& state)
{
    const int rows = int(state.range(0));
    auto grid = MakeGrid(rows);
    grid->show();
    QApplication::processEvents();
    for (auto _ : state) {
        grid->SetScrollPos32(SB_VERT, 0);
        grid->EnsureVisible(rows - 1, 1);
        benchmark::DoNotOptimize(grid->GetScrollPos32(SB_VERT));
    }
}
BENCHMARK(BM_GridEnsureVisibleLast)->Arg(5000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// ---- sorting ----------------------------------------------------------------------------------

constexpr int SortRows = 100000;

// The keys of a column by key set: 0 random, 1 ten distinct keys, 2 sorted, 3 reversed.
std::vector<QString> SortKeys(int keySet)
{
    std::vector<QString> keys(SortRows);
    std::mt19937 random(17);
    for (int row = 0; row < SortRows; ++row) {
        switch (keySet) {
        case 0:
            keys[row] = Text(int(random() % 100000000u), 1);
            break;
        case 1:
            keys[row] = Text(int(random() % 10u), 1);
            break;
        case 2:
            keys[row] = Text(row, 1);
            break;
        default:
            keys[row] = Text(SortRows - row, 1);
            break;
        }
    }
    return keys;
}

// Sorting the rows of a 100,000 x 10 grid by one column of the key set (the argument).
void BM_GridSortColumn(benchmark::State& state)
{
    const std::vector<QString> keys = SortKeys(int(state.range(0)));
    CGridCtrl grid;
    FillByCounts(grid, SortRows + 1);
    for (auto _ : state) {
        state.PauseTiming();
        for (int row = 0; row < SortRows; ++row)
            grid.GetCell(row + 1, 1)->SetText(keys[row]);
        state.ResumeTiming();
        grid.SortByColumn(1, true);
        benchmark::DoNotOptimize(grid.GetCellText(1, 1));
    }
}
BENCHMARK(BM_GridSortColumn)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The same keys with their rows, sorted stably by the same text order.
void BM_StableSortKeys(benchmark::State& state)
{
    const std::vector<QString> keys = SortKeys(int(state.range(0)));
    std::vector<std::pair<QString, int>> pairs;
    for (auto _ : state) {
        state.PauseTiming();
        pairs.clear();
        for (int row = 0; row < SortRows; ++row)
            pairs.emplace_back(keys[row], row + 1);
        state.ResumeTiming();
        std::stable_sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) {
            return QString::compare(a.first, b.first, Qt::CaseSensitive) < 0;
        });
        benchmark::DoNotOptimize(pairs.front());
    }
}
BENCHMARK(BM_StableSortKeys)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// ---- select all and copy ----------------------------------------------------------------------

// Touches and frees memory in blocks that the heap keeps, so that a text of tens of megabytes
// built afterwards is laid in memory already touched: the copy and its baseline then measure
// their work and not the first touch of fresh pages (slow on virtual machines).
void WarmHeap(std::size_t bytes)
{
    std::vector<char*> blocks;
    for (std::size_t done = 0; done < bytes; done += 1 << 20) {
        blocks.push_back(static_cast<char*>(std::malloc(1 << 20)));
        std::memset(blocks.back(), 1, 1 << 20);
    }
    for (char* block : blocks)
        std::free(block);
}

constexpr int CopyRows = 100000;

// Ctrl+A then Ctrl+C on a grid of 100,000 rows of ten cells (no fixed cells).
void BM_GridSelectAllCopy(benchmark::State& state)
{
    CGridCtrl grid;
    grid.SetRowCount(CopyRows);
    grid.SetColumnCount(Columns);
    for (int row = 0; row < CopyRows; ++row)
        for (int col = 0; col < Columns; ++col)
            grid.SetCellText(row, col, Text(row, col));
    grid.resize(1280, 800);
    grid.SetFocusCell(0, 0);
    WarmHeap(std::size_t(256) << 20);
    QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    qsizetype copied = 0;
    for (auto _ : state) {
        state.PauseTiming();
        grid.SetSelectedRange(-1, -1, -1, -1);
        QApplication::clipboard()->clear();
        state.ResumeTiming();
        QApplication::sendEvent(&grid, &selectAll);
        QApplication::sendEvent(&grid, &copy);
        copied = QApplication::clipboard()->mimeData()->text().size();
    }
    state.counters["characters"] = double(copied);
}
BENCHMARK(BM_GridSelectAllCopy)->Unit(benchmark::kMillisecond);

// The same texts joined by TAB and LF from a vector.
void BM_JoinCellTexts(benchmark::State& state)
{
    std::vector<QString> texts;
    texts.reserve(std::size_t(CopyRows) * Columns);
    for (int row = 0; row < CopyRows; ++row)
        for (int col = 0; col < Columns; ++col)
            texts.push_back(Text(row, col));
    WarmHeap(std::size_t(256) << 20);
    qsizetype joined = 0;
    for (auto _ : state) {
        QString text;
        for (int row = 0; row < CopyRows; ++row) {
            if (row > 0)
                text += QLatin1Char('\n');
            for (int col = 0; col < Columns; ++col) {
                if (col > 0)
                    text += QLatin1Char('\t');
                text += texts[std::size_t(row) * Columns + col];
            }
        }
        joined = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["characters"] = double(joined);
}
BENCHMARK(BM_JoinCellTexts)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Freed memory stays with the process, so that after the warm-up a fill measures the grid
    // and not the first touch of fresh pages (slow on virtual machines).
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
