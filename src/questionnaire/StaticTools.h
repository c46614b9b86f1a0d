#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace qnr {

// Small text helpers of the questionnaire library.
class CStaticTools
{
public:
    // Splits a text at a separator into unsigned decimal numbers, appended to `numbers` in
    // order. Blanks around a number are ignored; empty pieces and pieces that are not a number
    // (or exceed 32 bits) are skipped. Returns how many numbers were appended.
    static int LireChaineSeparateurDWORD(const QString& text, QChar separator,
                                         std::vector<quint32>& numbers);
};

} // namespace qnr
