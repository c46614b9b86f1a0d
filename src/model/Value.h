#pragma once

#include <QString>

// One property value of a campaign object, held as text, so that one command type can carry the
// old and the new value of any property whatever its type (integer, flag, real number, text).
// Numbers are written and read in the C locale.
class CValue
{
public:
    CValue() = default;
    CValue(const CValue&) = default;
    CValue& operator=(const CValue&) = default;
    virtual ~CValue() = default;

    explicit CValue(bool value);
    explicit CValue(int value);
    // A text literal would otherwise turn silently into a flag.
    CValue(const char*) = delete;

    // "True" or "False" from the string table.
    void SetBool(bool value);
    // The integer in decimal.
    void SetInt(int value);
    // Scientific notation with six digits after the point and a three-digit exponent
    // ("1.500000e+000").
    void SetDouble(double value);
    void SetText(const QString& text) { m_text = text; }

    // True when the text is the string table's "True", ignoring case.
    bool AsBool() const;
    // The leading signed decimal digits of the text (0 when there are none), saturated to the
    // int range.
    int AsInt() const;
    // The leading real number of the text (0 when there is none), in single precision.
    float AsFloat() const;
    const QString& GetText() const { return m_text; }

private:
    QString m_text;
};

// A caption value: the text and the language it belongs to (-1 for none).
class CCaptionValue : public CValue
{
public:
    CCaptionValue() = default;
    CCaptionValue(const CValue& value, int languageId) : CValue(value), m_languageId(languageId) {}

    int GetLanguageId() const { return m_languageId; }
    void SetLanguageId(int languageId) { m_languageId = languageId; }

private:
    int m_languageId = -1;
};
