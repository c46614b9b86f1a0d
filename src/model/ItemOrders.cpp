#include "model/ItemOrders.h"

#include "model/Campaign.h"

#include <QSet>
#include <algorithm>

namespace pelko_wave {

void SaveQuestionOrders(QMap<CQuestion*, int>& orders, const CCampaign& campaign)
{
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        if (CQuestion* question = campaign.GetQuestion(i))
            orders.insert(question, question->GetOrder());
    }
}

void RestoreQuestionOrders(const QMap<CQuestion*, int>& orders, CCampaign& campaign)
{
    int highest = campaign.GetMaxQuestionOrder();
    for (auto it = orders.cbegin(); it != orders.cend(); ++it) {
        it.key()->SetOrder(it.value());
        highest = std::max(highest, it.value());
    }
    campaign.SetMaxQuestionOrder(highest);
    campaign.SortQuestions();
}

void SaveModalityOrders(QMap<CModality*, int>& orders, const CCampaign& campaign)
{
    for (int i = 0; i < campaign.GetModalityCount(); ++i) {
        if (CModality* modality = campaign.GetModality(i))
            orders.insert(modality, modality->GetModalityOrder());
    }
}

void RestoreModalityOrders(const QMap<CModality*, int>& orders, CCampaign& campaign)
{
    QSet<int> questionIds;
    for (auto it = orders.cbegin(); it != orders.cend(); ++it) {
        it.key()->SetModalityOrder(it.value());
        questionIds.insert(it.key()->GetQuestionId());
    }
    for (const int questionId : questionIds) {
        CQuestion* question = campaign.GetQuestionById(questionId);
        if (!question)
            continue;
        question->SortModalities();
        if (question->GetModalityCount() > 0) {
            const int last =
                question->GetModality(question->GetModalityCount() - 1)->GetModalityOrder();
            question->SetMaxModalityOrder(std::max(question->GetMaxModalityOrder(), last));
        }
    }
}

bool HasResponseWithEntryCode(const CQuestion& question, const QString& entryCode)
{
    if (entryCode.isEmpty())
        return false;
    for (int i = 0; i < question.GetModalityCount(); ++i) {
        if (question.GetModality(i)->GetEntryCode().compare(entryCode, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString NumberedEntryCode(int number, int count)
{
    const int width = int(QString::number(std::max(count, 0)).size());
    return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
}

} // namespace pelko_wave
