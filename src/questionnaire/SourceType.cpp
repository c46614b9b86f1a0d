#include "questionnaire/SourceType.h"

#include "questionnaire/QuestionnaireTypes.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace qnr {

namespace {

// Moves to the next start element; false at the end, on an error or at the end of the element
// the reader was in.
bool NextStartElement(QXmlStreamReader& xml)
{
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            return true;
        case QXmlStreamReader::EndElement:
        case QXmlStreamReader::Invalid:
            return false;
        default:
            break;
        }
    }
    return false;
}

} // namespace

int DetectSourceType(QIODevice& device)
{
    QXmlStreamReader xml(&device);
    if (!NextStartElement(xml))
        return -1;
    const QStringView root = xml.name();
    if (root == QLatin1String("zoz"))
        return DataBaseZoz;
    if (root == QLatin1String("sss"))
        return DataBaseTripleS;
    if (root == QLatin1String("metadata"))
        return DataBaseDimensions;
    // Dimensions documents usually wrap their metadata element in <xml>.
    if (root == QLatin1String("xml") && NextStartElement(xml) &&
        xml.name() == QLatin1String("metadata"))
        return DataBaseDimensions;
    return -1;
}

int DetectSourceType(const QString& path)
{
    // Only regular files: opening a FIFO would wait for a writer.
    if (!QFileInfo(path).isFile())
        return -1;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return DetectSourceType(file);
}

} // namespace qnr
