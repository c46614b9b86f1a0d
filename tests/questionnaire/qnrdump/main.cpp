// qnrdump FILE TYPE: prints a questionnaire as the library reads it (TYPE 0 ZOZ, 1 Dimensions,
// 2 Triple-S). A file it cannot read gives the library's error text and exit code 1.

#include "QuestionnaireDump.h"

#include "questionnaire/Questionnaire.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool typeOk = false;
    const int type = args.size() == 3 ? args.at(2).toInt(&typeOk) : -1;
    if (!typeOk || type < 0 || type > 2) {
        std::fprintf(stderr, "usage: qnrdump FILE TYPE  (TYPE 0 ZOZ, 1 Dimensions, 2 Triple-S)\n");
        return 2;
    }
    qnr::CQuestionnaire questionnaire;
    if (!questionnaire.Read(args.at(1), {.Interviews = true}, type, 1033)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(questionnaire.GetLastError()));
        return 1;
    }
    questionnaire.PreparerSaisie();
    std::fputs(DumpQuestionnaire(questionnaire).toUtf8().constData(), stdout);
    return 0;
}
