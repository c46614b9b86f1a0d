// The grid control with 5,000 and 100,000 rows of ten 20-character texts: filling it by counts
// or row by row, painting one 1280 x 800 screen at the top and at the end, and scrolling from
// the top to the last row. Runs offscreen.
#include "grid/GridCtrl.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <malloc.h>

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
