#pragma once

#include <QString>

// Encoding of texts inside the program's XML files.
//
// A value or attribute value is written with "&", "<" and ">" (and, in attribute values, the
// quotation mark) as entities. Characters the reader would not keep as they are become
// character references: line breaks and tabs (the reader turns them into blanks), other
// control characters (a zero would end the text when the file is read), and white space at
// either end of an element value (the reader trims it).

// Encodes an element's text content.
QString EncodeXmlValue(const QString& text);

// Encodes an attribute value written between quotation marks.
QString EncodeXmlAttributeValue(const QString& text);

// Decodes a value or attribute value in one pass: "&amp;", "&lt;", "&gt;", "&quot;", "&apos;"
// and decimal or hexadecimal character references. Anything else, such as an unknown entity
// or a lone "&", stays as it stands, so a text that was never encoded reads unchanged.
QString DecodeXmlText(const QString& text);
