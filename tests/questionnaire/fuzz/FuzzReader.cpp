// libFuzzer target of one questionnaire reader (QNR_FUZZ_TYPE: 0 ZOZ, 1 Dimensions, 2 Triple-S):
// any input must give a questionnaire that is either read or empty with a reason.

#include "questionnaire/Questionnaire.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qnr::CQuestionnaire questionnaire;
    if (questionnaire.ReadBuffer(bytes, QNR_FUZZ_TYPE)) {
        for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
            const qnr::CQuestion* question = questionnaire.GetQuestion(i);
            question->GetShortCaption();
            question->GetQuestionSource();
            if (questionnaire.GetParentQuestion(i) >= i)
                std::abort();
        }
    } else if (questionnaire.GetLastError().isEmpty() || questionnaire.GetNbreQuestion() != 0) {
        std::abort();
    }
    return 0;
}
