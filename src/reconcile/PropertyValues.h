#pragma once

#include <QString>

// The question and response properties that have one value on both sides: how each is read from
// a campaign item and from a source item, how the differences compare it and how the property
// texts show it. Captions and response counts are not values of this kind: the differences and
// the texts handle them themselves.

namespace pelko_wave {
class CModality;
class CQuestion;
} // namespace pelko_wave
namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

enum class EValueForm
{
    None,    // not compared, or not shown
    Text,    // compared ignoring case
    Integer, // compared as integers, shown "%d" (a real truncated toward zero)
    Flag,    // set or clear, shown "True" / "False"
    Real,    // compared with the model's tolerance, shown "%e"
};

struct SPropertyValue
{
    double Number = 0.0;
    QString Text;
};

struct SQuestionProperty
{
    int Id;
    EValueForm Compared;
    EValueForm Shown;
    SPropertyValue (*Campaign)(const pelko_wave::CQuestion&);
    SPropertyValue (*Source)(const qnr::CQuestion&);
};

struct SModalityProperty
{
    int Id;
    EValueForm Compared;
    EValueForm Shown;
    SPropertyValue (*Campaign)(const pelko_wave::CModality&);
    SPropertyValue (*Source)(const qnr::CModalite&);
};

// The property of the id; null for an id without a value of its own.
const SQuestionProperty* FindQuestionValueProperty(int id);
const SModalityProperty* FindModalityValueProperty(int id);

// Whether the campaign value and the source value differ, compared as the form says.
bool ValuesDiffer(EValueForm form, const SPropertyValue& campaign, const SPropertyValue& source);
// The value's text in the form.
QString ValueText(EValueForm form, const SPropertyValue& value);
