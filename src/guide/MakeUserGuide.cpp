// Makes the user guide at build time: plim_make_guide README.md plim-guide.html

#include "guide/UserGuide.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: plim_make_guide README.md GUIDE.html\n");
        return 2;
    }
    QFile readme(arguments[1]);
    if (!readme.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "plim_make_guide: cannot read %s: %s\n", qPrintable(arguments[1]),
                     qPrintable(readme.errorString()));
        return 1;
    }
    const QString html = user_guide::MakeUserGuideHtml(QString::fromUtf8(readme.readAll()));
    // Written whole or not at all, so that a failed build leaves no half guide behind.
    QSaveFile guide(arguments[2]);
    if (!guide.open(QIODevice::WriteOnly) || guide.write(html.toUtf8()) < 0 || !guide.commit()) {
        std::fprintf(stderr, "plim_make_guide: cannot write %s: %s\n", qPrintable(arguments[2]),
                     qPrintable(guide.errorString()));
        return 1;
    }
    return 0;
}
