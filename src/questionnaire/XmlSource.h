#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <initializer_list>

class QIODevice;

namespace qnr {

// A guarded pass over an XML source for the readers: the stream reader with caps on nesting
// depth, text length and entity expansion, so that a hostile file ends in an error rather than
// in unbounded memory or recursion, and error texts that name the source and the line.
class CXmlSource
{
public:
    static constexpr int kMaxDepth = 256;
    static constexpr qsizetype kMaxTextLength = 4 * 1024 * 1024;

    CXmlSource(QIODevice& device, const QString& name);

    QXmlStreamReader& Xml() { return m_xml; }
    // Moves to the next start element; false at the end of the document or on an error
    // (HasError then tells which). Stops at the end element of the element at `depth` when
    // it is not -1: false then, without an error.
    bool NextStartElement(int depth = -1);
    // Depth of the current element: 1 for the root.
    int Depth() const { return m_depth; }
    // The text of the current element, its child elements' text included (a <br/> gives a line
    // break); leaves the reader on its end element.
    QString ReadText();
    // The next token, for elements of mixed content; the caps apply.
    QXmlStreamReader::TokenType NextToken() { return Next(); }
    // Skips the rest of the current element.
    void SkipElement();
    // Reads to the end of the document, to find a truncated or malformed tail.
    void ReadToEnd();

    bool IsElement(const char* name) const;
    QString Attribute(const char* name) const;
    bool HasAttribute(const char* name) const;

    void Fail(const QString& message);
    bool HasError() const;
    // "<name>, line L, column C: what went wrong".
    QString ErrorText() const;
    // True without an error; otherwise false, with the error text in `error`.
    bool Succeeded(QString& error) const;

private:
    QXmlStreamReader::TokenType Next();

    QXmlStreamReader m_xml;
    QString m_name;
    QString m_failure;
    qint64 m_failureLine = 0;
    qint64 m_failureColumn = 0;
    int m_depth = 0;
};

// Numbers of the C locale, blanks around them allowed. False when the text is not one.
bool ParseInt(const QString& text, int& value);
bool ParseDouble(const QString& text, double& value);
// A number as a whole number: its integer part, held to the int range (converting a number
// outside it is undefined); 0 for a number that is not one.
int ClampToInt(double value);
// Decimals of a number as written ("0.0000" has 4).
int DecimalsOf(const QString& number);
// The first text that is not empty; empty when all are.
QString FirstNonEmpty(std::initializer_list<QString> texts);

} // namespace qnr
