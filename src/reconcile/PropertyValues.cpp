#include "reconcile/PropertyValues.h"

#include "model/Modality.h"
#include "model/Question.h"
#include "model/ValueTexts.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"

#include <algorithm>
#include <climits>
#include <iterator>

using namespace pelko_wave;

namespace {

using F = EValueForm;

SPropertyValue Number(double value)
{
    return {value, QString()};
}

SPropertyValue Text(const QString& text)
{
    return {0.0, text};
}

// Question properties by id; ids 0, 1, 19, 20 and the captions and counts (23 to 26) have none.
const SQuestionProperty kQuestionProperties[] = {
    {2, F::Text, F::Text, [](const CQuestion& q) { return Text(q.GetShortcut()); },
     [](const qnr::CQuestion& s) { return Text(s.GetShortcut()); }},
    {3, F::Integer, F::Integer, [](const CQuestion& q) { return Number(q.GetIndent()); },
     [](const qnr::CQuestion& s) { return Number(s.GetIndent()); }},
    {4, F::Integer, F::Integer, [](const CQuestion& q) { return Number(q.GetElementType()); },
     [](const qnr::CQuestion& s) { return Number(s.GetTypeElement()); }},
    {5, F::Integer, F::Integer, [](const CQuestion& q) { return Number(q.GetQuestionType()); },
     [](const qnr::CQuestion& s) { return Number(s.GetTypeQuestion()); }},
    {6, F::Flag, F::Flag, [](const CQuestion& q) { return Number(q.IsDontKnow()); },
     [](const qnr::CQuestion& s) { return Number(s.EstNonReponse()); }},
    {7, F::Flag, F::Flag, [](const CQuestion& q) { return Number(q.IsSemiOpen()); },
     [](const qnr::CQuestion& s) { return Number(s.EstSemiOuverte()); }},
    {8, F::Flag, F::Flag, [](const CQuestion& q) { return Number(q.IsScale()); },
     [](const qnr::CQuestion& s) { return Number(s.EstEchelle()); }},
    {9, F::Flag, F::Flag, [](const CQuestion& q) { return Number(q.IsMultiple()); },
     [](const qnr::CQuestion& s) { return Number(s.EstMultiple()); }},
    {10, F::Flag, F::Flag, [](const CQuestion& q) { return Number(q.IsRanked()); },
     [](const qnr::CQuestion& s) { return Number(s.EstClasse()); }},
    {11, F::Integer, F::Integer, [](const CQuestion& q) { return Number(q.GetMaxResponseCount()); },
     [](const qnr::CQuestion& s) { return Number(s.GetNbMaxReponse()); }},
    {12, F::Integer, F::Integer, [](const CQuestion& q) { return Number(q.GetDecimals()); },
     [](const qnr::CQuestion& s) { return Number(s.GetNbreDecimal()); }},
    {13, F::Real, F::Real, [](const CQuestion& q) { return Number(q.GetMinValue()); },
     [](const qnr::CQuestion& s) { return Number(s.GetBorneMin()); }},
    {14, F::Real, F::Real, [](const CQuestion& q) { return Number(q.GetMaxValue()); },
     [](const qnr::CQuestion& s) { return Number(s.GetBorneMax()); }},
    {15, F::Flag, F::Flag, [](const CQuestion& q) { return Number(q.IsLevelLink()); },
     [](const qnr::CQuestion& s) { return Number(s.IsLevelLink()); }},
    // The campaign keeps the linked question's id, the source its code: shown, never compared.
    {16, F::None, F::Integer, [](const CQuestion& q) { return Number(q.GetLinkQuestionId()); },
     [](const qnr::CQuestion& s) { return Number(s.GetCodeQuestionSource()); }},
    {17, F::Flag, F::Flag, [](const CQuestion& q) { return Number(q.IsProbabilityQuestion()); },
     [](const qnr::CQuestion& s) { return Number(s.IsProbabilityQuestion()); }},
    {18, F::Integer, F::Flag, [](const CQuestion& q) { return Number(q.GetDateType()); },
     [](const qnr::CQuestion& s) { return Number(s.GetDateType()); }},
    {21, F::Text, F::Text, [](const CQuestion& q) { return Text(q.GetUserData()); },
     [](const qnr::CQuestion& s) { return Text(s.GetUserData()); }},
    {22, F::Integer, F::Flag, [](const CQuestion& q) { return Number(q.IsDevelopLevels()); },
     [](const qnr::CQuestion& s) { return Number(s.IsDevelopperNiveau()); }},
};

// Response properties by id; the captions (9) are handled apart.
const SModalityProperty kModalityProperties[] = {
    {3, F::Real, F::Integer, [](const CModality& m) { return Number(m.GetValue()); },
     [](const qnr::CModalite& s) { return Number(s.GetValue()); }},
    {5, F::Flag, F::Flag, [](const CModality& m) { return Number(m.IsExclusive()); },
     [](const qnr::CModalite& s) { return Number(s.IsExclusive()); }},
    {6, F::Integer, F::Integer, [](const CModality& m) { return Number(m.GetRotationBehaviour()); },
     [](const qnr::CModalite& s) { return Number(s.GetRotationBehaviour()); }},
    {8, F::Text, F::Text, [](const CModality& m) { return Text(m.GetUserData()); },
     [](const qnr::CModalite& s) { return Text(s.GetUserData()); }},
};

template <typename Property, size_t N> const Property* FindById(const Property (&table)[N], int id)
{
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [id](const Property& property) { return property.Id == id; });
    return it == std::end(table) ? nullptr : &*it;
}

// Truncated toward zero; a value beyond the int range keeps to its end.
int TruncateToInt(double value)
{
    if (!(value > double(INT_MIN)))
        return value < 0 ? INT_MIN : 0; // below the range, or not a number
    if (value >= double(INT_MAX))
        return INT_MAX;
    return int(value);
}

} // namespace

const SQuestionProperty* FindQuestionValueProperty(int id)
{
    return FindById(kQuestionProperties, id);
}

const SModalityProperty* FindModalityValueProperty(int id)
{
    return FindById(kModalityProperties, id);
}

bool ValuesDiffer(EValueForm form, const SPropertyValue& campaign, const SPropertyValue& source)
{
    switch (form) {
    case EValueForm::Text:
        return campaign.Text.compare(source.Text, Qt::CaseInsensitive) != 0;
    case EValueForm::Integer:
        return TruncateToInt(campaign.Number) != TruncateToInt(source.Number);
    case EValueForm::Flag:
        return (campaign.Number != 0) != (source.Number != 0);
    case EValueForm::Real:
        return !DoublesEqual(campaign.Number, source.Number);
    case EValueForm::None:
        break;
    }
    return false;
}

QString ValueText(EValueForm form, const SPropertyValue& value)
{
    switch (form) {
    case EValueForm::Text:
        return value.Text;
    case EValueForm::Integer:
        return IntToText(TruncateToInt(value.Number));
    case EValueForm::Flag:
        return BoolToText(value.Number != 0 ? 1 : 0);
    case EValueForm::Real:
        return DoubleToText(value.Number);
    case EValueForm::None:
        break;
    }
    return QString();
}
