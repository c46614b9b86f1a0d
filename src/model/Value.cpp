#include "model/Value.h"

#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QByteArray>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

// The C locale, for reading numbers whatever locale the process runs in.
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

CValue::CValue(bool value)
{
    SetBool(value);
}

CValue::CValue(int value)
{
    SetInt(value);
}

void CValue::SetBool(bool value)
{
    m_text = LoadString(value ? IDS_TRUE : IDS_FALSE);
}

void CValue::SetInt(int value)
{
    m_text = QString::number(value);
}

void CValue::SetDouble(double value)
{
    // Qt formats in the C locale; the exponent is widened to the three digits that stored
    // values have always had.
    QString text = QString::asprintf("%e", value);
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0 && e + 1 < text.size() && (text[e + 1] == u'+' || text[e + 1] == u'-')) {
        const qsizetype digits = text.size() - (e + 2);
        if (digits < 3)
            text.insert(e + 2, QString(3 - digits, u'0'));
    }
    m_text = text;
}

bool CValue::AsBool() const
{
    return m_text.compare(LoadString(IDS_TRUE), Qt::CaseInsensitive) == 0;
}

int CValue::AsInt() const
{
    const QByteArray text = m_text.toUtf8();
    const long value = strtol_l(text.constData(), nullptr, 10, CLocale());
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

float CValue::AsFloat() const
{
    const QByteArray text = m_text.toUtf8();
    // Converting a number beyond the float range is undefined: it is held to the range.
    const double value = strtod_l(text.constData(), nullptr, CLocale());
    constexpr double highest = std::numeric_limits<float>::max();
    return static_cast<float>(std::isfinite(value) ? std::clamp(value, -highest, highest) : value);
}
