#pragma once

#include <QMap>
#include <QString>

// Saving and restoring the orders of campaign questions and responses, for the commands that
// change them and take them back.

namespace pelko_wave {

class CCampaign;
class CModality;
class CQuestion;

// Every question with its order.
void SaveQuestionOrders(QMap<CQuestion*, int>& orders, const CCampaign& campaign);
// Gives every question of the map its saved order, then sorts the question array by order so
// that it stays sorted.
void RestoreQuestionOrders(const QMap<CQuestion*, int>& orders, CCampaign& campaign);
// Every response with its order.
void SaveModalityOrders(QMap<CModality*, int>& orders, const CCampaign& campaign);
// Gives every response of the map its saved order, then sorts the responses of each question
// concerned by order.
void RestoreModalityOrders(const QMap<CModality*, int>& orders, CCampaign& campaign);

// Whether a response of the question has the entry code, ignoring case; false for an empty
// code.
bool HasResponseWithEntryCode(const CQuestion& question, const QString& entryCode);
// An entry code that the program gives a response: the number, zero-padded to as many digits
// as the count has.
QString NumberedEntryCode(int number, int count);

} // namespace pelko_wave
