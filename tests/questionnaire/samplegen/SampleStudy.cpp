#include "SampleStudy.h"

#include "SourceWriters.h"

#include "questionnaire/Questionnaire.h"

#include <QDir>
#include <QFile>

using namespace qnr;

namespace {

constexpr int kEnglish = 2057;
constexpr int kFrench = 1036;

struct SText
{
    const char* en;
    const char* fr;
};

class CStudy
{
public:
    CStudy()
    {
        m_questionnaire = std::make_unique<CQuestionnaire>();
        m_questionnaire->AddLanguage(CLanguage(kEnglish));
        m_questionnaire->AddLanguage(CLanguage(kFrench));
        m_questionnaire->SetDefaultLanguageId(kEnglish);
    }

    CQuestion* Item(int code, const char* shortcut, int element, int type, int indent,
                    SText longText, SText shortText)
    {
        auto question = std::make_unique<CQuestion>();
        question->SetCodeQuestion(code);
        question->SetShortcut(QString::fromUtf8(shortcut));
        question->SetTypeElement(element);
        question->SetTypeQuestion(type);
        question->SetIndent(indent);
        question->SetCaptions(kEnglish, QString::fromUtf8(longText.en),
                              QString::fromUtf8(shortText.en));
        question->SetCaptions(kFrench, QString::fromUtf8(longText.fr),
                              QString::fromUtf8(shortText.fr));
        return m_questionnaire->AddQuestion(std::move(question));
    }

    CQuestion* Chapter(int code, const char* shortcut, SText text)
    {
        return Item(code, shortcut, ElementChapter, QuestionNone, 1, text, text);
    }

    CQuestion* Single(int code, const char* shortcut, int indent, SText longText, SText shortText)
    {
        CQuestion* question =
            Item(code, shortcut, ElementQuestion, QuestionClosed, indent, longText, shortText);
        question->SetNbMaxReponse(1);
        return question;
    }

    CQuestion* Multiple(int code, const char* shortcut, int indent, int maxAnswers, SText longText,
                        SText shortText)
    {
        CQuestion* question =
            Item(code, shortcut, ElementQuestion, QuestionClosed, indent, longText, shortText);
        question->SetMultiple(true);
        question->SetNbMaxReponse(maxAnswers);
        return question;
    }

    CQuestion* Numeric(int code, const char* shortcut, int indent, double low, double high,
                       short decimals, SText longText, SText shortText)
    {
        CQuestion* question =
            Item(code, shortcut, ElementQuestion, QuestionNumeric, indent, longText, shortText);
        question->SetBornes(low, high);
        question->SetNbreDecimal(decimals);
        return question;
    }

    static CModalite* Response(CQuestion* question, int code, const char* entry, SText text,
                               double value = 0.0)
    {
        auto response = std::make_unique<CModalite>();
        response->SetCode(code);
        response->SetEntryCode(QString::fromUtf8(entry));
        response->SetShortCaption(kEnglish, QString::fromUtf8(text.en));
        response->SetShortCaption(kFrench, QString::fromUtf8(text.fr));
        response->SetValue(value);
        return question->AddModalite(std::move(response));
    }

    static void DontKnow(CQuestion* question)
    {
        question->SetNonReponse(true);
        CModalite* response = Response(question, 99, "dk", {"Don't know", "Ne sait pas"});
        response->SetExclusive(true);
        response->SetRotationBehaviour(RotationFixed);
    }

    static void Brands(CQuestion* question, int count)
    {
        static const char* const names[] = {"Bean There",    "Daily Grind", "Cup of Joy",
                                            "Brew Brothers", "Mocha Point", "Roast House"};
        static const char* const entries[] = {"bean_there",    "daily_grind", "cup_of_joy",
                                              "brew_brothers", "mocha_point", "roast_house"};
        for (int i = 0; i < count; ++i)
            Response(question, i + 1, entries[i], {names[i], names[i]});
    }

    std::unique_ptr<CQuestionnaire> Take()
    {
        m_questionnaire->PreparerSaisie();
        return std::move(m_questionnaire);
    }

private:
    std::unique_ptr<CQuestionnaire> m_questionnaire;
};

} // namespace

std::unique_ptr<CQuestionnaire> BuildSampleWave(int wave)
{
    CStudy s;

    s.Chapter(1000, "SCREENING", {"Screening", "Filtre"});
    CQuestion* q = s.Single(1, "S1", 2, {"Are you...?", "Vous êtes...?"}, {"Gender", "Sexe"});
    CStudy::Response(q, 1, "male", {"Male", "Un homme"});
    CStudy::Response(q, 2, "female", {"Female", "Une femme"});
    CStudy::Response(q, 3, "other_gender", {"Other", "Autre"});
    s.Numeric(2, "S2", 2, 16, 99, 0, {"How old are you?", "Quel âge avez-vous ?"}, {"Age", "Âge"});
    q = s.Single(3, "S3", 2, {"In which region do you live?", "Dans quelle région habitez-vous ?"},
                 {"Region", "Région"});
    // Recoded in wave 2: the regions get two-digit codes.
    const int regionBase = wave == 1 ? 1 : 10;
    const int regionStep = wave == 1 ? 1 : 10;
    CStudy::Response(q, regionBase, "north", {"North", "Nord"});
    CStudy::Response(q, regionBase + regionStep, "south", {"South", "Sud"});
    CStudy::Response(q, regionBase + 2 * regionStep, "east", {"East", "Est"});
    CStudy::Response(q, regionBase + 3 * regionStep, "west", {"West", "Ouest"});

    s.Chapter(1001, "AWARENESS", {"Brand awareness", "Notoriété des marques"});
    s.Item(10, "Q1", ElementQuestion, QuestionOpen, 2,
           {"Which coffee shops can you think of?", "Quels cafés connaissez-vous ?"},
           {"Unaided awareness", "Notoriété spontanée"});
    q = s.Multiple(11, "Q2", 2, wave == 1 ? 6 : 7,
                   {"Which of these coffee shops have you heard of?",
                    "Parmi ces cafés, lesquels connaissez-vous, ne serait-ce que de nom ?"},
                   {"Aided awareness", "Notoriété assistée"});
    CStudy::Brands(q, wave == 1 ? 5 : 6); // a new brand from wave 2 on
    CModalite* none = CStudy::Response(q, 98, "none", {"None of these", "Aucun"});
    none->SetExclusive(true);
    none->SetRotationBehaviour(RotationFixed);
    q = s.Multiple(12, "Q3", 2, 3,
                   {"Which have you visited in the past month?",
                    "Lesquels avez-vous fréquentés le mois dernier ?"},
                   {"Visited past month", "Fréquentés le mois dernier"});
    CStudy::Brands(q, 4);
    q->SetSemiOuverte(true);
    CStudy::Response(q, 97, "other", {"Other (specify)", "Autre (préciser)"});
    s.Item(13, "Q3_OTH", ElementQuestion, QuestionOpen, 2,
           {"Which other coffee shop?", "Quel autre café ?"}, {"Other shop", "Autre café"});
    // Reworded in wave 2.
    q = s.Single(14, "Q4", 2,
                 wave == 1 ? SText{"Which one do you visit most often?",
                                   "Lequel fréquentez-vous le plus souvent ?"}
                           : SText{"Which coffee shop is your usual one?",
                                   "Quel café fréquentez-vous habituellement ?"},
                 {"Most often", "Le plus souvent"});
    CStudy::Brands(q, 4);
    CStudy::DontKnow(q);

    s.Chapter(1002, "USAGE", {"Visits", "Fréquentation"});
    q = s.Item(20, "Q5", ElementQuestion, QuestionDate, 2,
               {"When did you last visit a coffee shop?", "Quand êtes-vous allé au café ?"},
               {"Last visit", "Dernière visite"});
    q->SetDateType(DateDay);
    s.Numeric(21, "Q6", 2, 0, 60, 0,
              {"How many times a month do you go?", "Combien de fois par mois y allez-vous ?"},
              {"Visits a month", "Visites par mois"});
    if (wave == 1) // dropped from wave 2 on
        s.Numeric(22, "Q7", 2, 0, 100, 2,
                  {"How much do you spend on a visit?", "Combien dépensez-vous par visite ?"},
                  {"Spend a visit", "Dépense par visite"});
    q = s.Item(30, "BRANDLOOP", ElementLoop, LoopCategorical, 2,
               {"For each coffee shop you visited", "Pour chaque café fréquenté"},
               {"Brand loop", "Boucle marques"});
    CStudy::Brands(q, 3);
    q = s.Single(31, "Q8", 3, {"How would you rate it overall?", "Quelle note lui donnez-vous ?"},
                 {"Overall rating", "Note globale"});
    q->SetEchelle(true);
    const char* const ratings[][2] = {{"Very poor", "Très mauvais"},
                                      {"Poor", "Mauvais"},
                                      {"Fair", "Moyen"},
                                      {"Good", "Bon"},
                                      {"Very good", "Très bon"}};
    const char* const ratingEntries[] = {"r1", "r2", "r3", "r4", "r5"};
    for (int i = 0; i < 5; ++i)
        CStudy::Response(q, i + 1, ratingEntries[i], {ratings[i][0], ratings[i][1]}, i + 1);
    CStudy::DontKnow(q);
    s.Item(32, "Q9", ElementQuestion, QuestionLogical, 3,
           {"Would you recommend it to a friend?", "Le recommanderiez-vous à un ami ?"},
           {"Would recommend", "Recommanderait"});
    q = s.Single(23, "Q10", 2,
                 wave < 3 ? SText{"How satisfied are you with the service?",
                                  "Êtes-vous satisfait du service ?"}
                          : SText{"Overall, how satisfied are you with the service you get?",
                                  "Dans l'ensemble, êtes-vous satisfait du service ?"},
                 {"Service satisfaction", "Satisfaction service"});
    q->SetEchelle(true);
    for (int i = 1; i <= 10; ++i) {
        const QByteArray entry = "s" + QByteArray::number(i);
        const QByteArray label = QByteArray::number(i);
        CStudy::Response(q, i, entry.constData(), {label.constData(), label.constData()}, i);
    }
    if (wave >= 2) {
        q = s.Multiple(24, "Q11", 2, 4,
                       {"Where have you seen coffee shop advertising lately?",
                        "Où avez-vous vu de la publicité pour des cafés récemment ?"},
                       {"Advertising seen", "Publicité vue"});
        CStudy::Response(q, 1, "tv", {"Television", "Télévision"});
        CStudy::Response(q, 2, "web", {"Internet", "Internet"});
        CStudy::Response(q, 3, "poster", {"Posters", "Affiches"});
        CModalite* nowhere = CStudy::Response(q, 98, "nowhere", {"Nowhere", "Nulle part"});
        nowhere->SetExclusive(true);
    }
    if (wave == 3) {
        q = s.Single(25, "Q12", 2,
                     {"Do you use a coffee shop app?", "Utilisez-vous l'application d'un café ?"},
                     {"App use", "Application"});
        CStudy::Response(q, 1, "yes_weekly", {"Yes, every week", "Oui, chaque semaine"});
        CStudy::Response(q, 2, "yes_less", {"Yes, less often", "Oui, moins souvent"});
        CStudy::Response(q, 3, "no_app", {"No", "Non"});
    }

    s.Chapter(1003, "PROFILE", {"About you", "Vous concernant"});
    s.Numeric(40, "D1", 2, 1, 12, 0,
              {"How many people live in your household?",
               "Combien de personnes vivent dans votre foyer ?"},
              {"Household size", "Taille du foyer"});
    q = s.Single(
        41, "D2", 2,
        {"What is your household's yearly income?", "Quel est le revenu annuel de votre foyer ?"},
        {"Income", "Revenu"});
    if (wave < 3) {
        CStudy::Response(q, 1, "inc_low", {"Under 20,000", "Moins de 20 000"});
        CStudy::Response(q, 2, "inc_mid", {"20,000 to 49,999", "De 20 000 à 49 999"});
        CStudy::Response(q, 3, "inc_high", {"50,000 or more", "50 000 ou plus"});
    } else { // recoded and regrouped in wave 3
        CStudy::Response(q, 11, "inc_under30", {"Under 30,000", "Moins de 30 000"});
        CStudy::Response(q, 12, "inc_over30", {"30,000 or more", "30 000 ou plus"});
    }
    CModalite* refused =
        CStudy::Response(q, 9, "refused", {"Prefer not to say", "Ne souhaite pas répondre"});
    refused->SetRotationBehaviour(RotationFixed);
    if (wave < 3) { // dropped in wave 3
        q = s.Single(
            42, "D3", 2,
            {"What is your working status?", "Quelle est votre situation professionnelle ?"},
            {"Working status", "Situation"});
        CStudy::Response(q, 1, "full_time", {"Full time", "Temps plein"});
        CStudy::Response(q, 2, "part_time", {"Part time", "Temps partiel"});
        CStudy::Response(q, 3, "not_working", {"Not working", "Sans emploi"});
    }
    s.Item(43, "D4", ElementQuestion, QuestionOpen, 2,
           {"Anything else you would like to tell us?", "Autre chose à nous dire ?"},
           {"Comments", "Commentaires"});
    q = s.Item(44, "D5", ElementQuestion, QuestionDate, 2,
               {"Time the interview ended", "Heure de fin de l'entretien"},
               {"End time", "Heure de fin"});
    q->SetDateType(DateTime);
    return s.Take();
}

bool WriteSampleStudy(const QString& folder, QString& error)
{
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot make %1").arg(folder);
        return false;
    }
    for (int wave = 1; wave <= 3; ++wave) {
        const std::unique_ptr<CQuestionnaire> questionnaire = BuildSampleWave(wave);
        const QString base = QDir(folder).filePath(QStringLiteral("wave%1").arg(wave));
        const QByteArray mdd = WriteDimensionsDocument(*questionnaire, error);
        if (mdd.isEmpty())
            return false;
        const std::pair<QString, QByteArray> files[] = {
            {base + QStringLiteral(".zoz"), WriteZozDocument(*questionnaire)},
            {base + QStringLiteral(".sss"),
             WriteTripleSDocument(*questionnaire, QStringLiteral("COFFEE-W%1").arg(wave))},
            {base + QStringLiteral(".mdd"), mdd},
        };
        for (const auto& [path, bytes] : files) {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
                error = QStringLiteral("cannot write %1").arg(path);
                return false;
            }
        }
    }
    return true;
}
