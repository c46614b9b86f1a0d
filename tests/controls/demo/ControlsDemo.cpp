// controls_demo: a window with a property grid holding an item of every type, to click through
// by hand. Every confirmed edit is written to the status bar and to standard output.
#include "DemoContent.h"

#include "controls/PropertyGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Controls demo: property grid"));
    auto* grid = new CPropertyGrid(&window);
    window.setCentralWidget(grid);
    CDemoMethodsItem methods;
    FillDemoGrid(*grid, methods);
    grid->SetBoldModified(true);
    grid->SetEmptyMessage(QStringLiteral("Nothing to show."));

    auto* tools = window.addToolBar(QStringLiteral("Display"));
    auto* mode = new QComboBox(tools);
    mode->addItems({QStringLiteral("Categorized"), QStringLiteral("Alphabetical"),
                    QStringLiteral("Not sorted")});
    tools->addWidget(mode);
    QObject::connect(mode, &QComboBox::currentIndexChanged, grid, &CPropertyGrid::SetDisplayMode);
    tools->addAction(QStringLiteral("Refill"), grid,
                     [grid, &methods] { FillDemoGrid(*grid, methods); });
    tools->addAction(QStringLiteral("Empty"), grid, [grid] { grid->ResetContents(); });

    QObject::connect(grid, &CPropertyGrid::PropertyItemChanged, grid, [grid, &window](HITEM item) {
        const CPropertyGrid::CItem* changed = grid->FindItem(item);
        if (!changed)
            return;
        const QString line =
            QStringLiteral("%1 = %2").arg(changed->m_name, grid->GetValueText(*changed));
        window.statusBar()->showMessage(line);
        std::printf("%s\n", line.toUtf8().constData());
        std::fflush(stdout);
    });
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.resize(520, 440);
    window.show();
    return app.exec();
}
