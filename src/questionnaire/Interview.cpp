#include "questionnaire/Interview.h"

namespace qnr {

QString CInterview::GetAnswer(int questionCode) const
{
    const auto it = m_answers.find(questionCode);
    return it == m_answers.end() ? QString() : it->second;
}

} // namespace qnr
