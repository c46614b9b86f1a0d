#include "model/CampaignDump.h"

#include "model/Campaign.h"

#include <QStringList>
#include <algorithm>

namespace pelko_wave {

namespace {

QString Text(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    escaped.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    escaped.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    escaped.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString Number(double value)
{
    return QString::number(value, 'g', 17);
}

QString Date(const QDateTime& date)
{
    return date.isNull() ? QStringLiteral("null") : date.toString(Qt::ISODateWithMs);
}

QString Ids(const QList<quint32>& ids)
{
    QStringList texts;
    for (const quint32 id : ids)
        texts.append(QString::number(id));
    return QLatin1Char('[') + texts.join(QLatin1Char(',')) + QLatin1Char(']');
}

QString Path(const CSourcePath& path)
{
    return QLatin1String("{storage=") + QString::number(path.SourceStorageType) +
           QLatin1String(" format=") + QString::number(path.SourceFilePathFormat) +
           QLatin1String(" string=") + Text(path.SourceString) + QLatin1String(" survey=") +
           QString::number(path.SurveyID) + QLatin1Char('}');
}

QString Item(int value)
{
    return QString::number(value);
}

QString Item(const QString& value)
{
    return Text(value);
}

// The entries of a map in its own order.
QString EntriesText(const QStringList& entries)
{
    return QLatin1Char('{') + entries.join(QLatin1Char(',')) + QLatin1Char('}');
}

template <typename Map> QString MapText(const Map& map)
{
    QStringList entries;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        entries.append(Item(it.key()) + QLatin1Char(':') + Item(it.value()));
    return EntriesText(entries);
}

// Code -> position entries, sorted as texts with the codes written "%d".
QString CodeMapText(const CSourceCodeMap& codes)
{
    QStringList entries;
    const QHash<int, int>& positions = codes.GetPositions();
    for (auto it = positions.cbegin(); it != positions.cend(); ++it)
        entries.append(Item(QString::number(it.key())) + QLatin1Char(':') + Item(it.value()));
    entries.sort();
    return EntriesText(entries);
}

template <typename Container> QString ListText(const Container& values)
{
    QStringList texts;
    for (const auto& value : values)
        texts.append(Item(value));
    return QLatin1Char('[') + texts.join(QLatin1Char(',')) + QLatin1Char(']');
}

// One record: its kind and id, then " name=value" for each field.
class CRecord
{
public:
    CRecord(const char* kind, long long id)
        : m_text(QLatin1String(kind) + QLatin1Char(' ') + QString::number(id))
    {
    }
    explicit CRecord(const char* kind) : m_text(QLatin1String(kind)) {}
    CRecord& Field(const char* name, const QString& formatted)
    {
        m_text += QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + formatted;
        return *this;
    }
    CRecord& Int(const char* name, long long value) { return Field(name, QString::number(value)); }
    CRecord& Str(const char* name, const QString& value) { return Field(name, Text(value)); }
    CRecord& Real(const char* name, double value) { return Field(name, Number(value)); }
    operator QString() const { return m_text; }

private:
    QString m_text;
};

QString QuestionIndexText(const CQuestionIndex& index)
{
    return CRecord("")
        .Field("codes", CodeMapText(index.CodeMap))
        .Field("new", MapText(index.NewMatchings))
        .Field("reverse", MapText(index.SourceToQuestion))
        .Field("broken", ListText(index.BrokenInherited))
        .Field("unmatched", ListText(index.UnmatchedQuestions))
        .Field("unmatchedSources", ListText(index.UnmatchedSources));
}

QString ResponseIndexText(const CResponseIndex& index)
{
    return CRecord("")
        .Field("codes", CodeMapText(index.CodeMap))
        .Field("new", MapText(index.NewMatchings))
        .Field("broken", ListText(index.BrokenInherited))
        .Field("unmatched", ListText(index.UnmatchedModalities))
        .Field("unmatchedSources", ListText(index.UnmatchedSources));
}

// Lines of one kind, sorted by their keys (numeric ids), then by their text.
class CLines
{
public:
    void Add(std::vector<long long> key, const QString& line)
    {
        m_lines.push_back({std::move(key), line});
    }
    void AppendSortedTo(QStringList& out)
    {
        std::sort(m_lines.begin(), m_lines.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second < b.second;
        });
        for (const auto& line : m_lines)
            out.append(line.second);
    }

private:
    std::vector<std::pair<std::vector<long long>, QString>> m_lines;
};

} // namespace

QString DumpCampaign(const CCampaign& campaign, unsigned flags)
{
    QStringList out;
    const auto& parts = campaign.GetVersionParts();
    out.append(CRecord("Campaign")
                   .Str("name", campaign.GetName())
                   .Str("description", campaign.GetDescription())
                   .Str("version", campaign.GetVersionNumber())
                   .Field("parts", QStringLiteral("%1.%2.%3.%4")
                                       .arg(parts[0])
                                       .arg(parts[1])
                                       .arg(parts[2])
                                       .arg(parts[3]))
                   .Int("defaultLanguage", campaign.GetDefaultLanguageId())
                   .Int("currentLanguage", campaign.GetCurrentLanguageId()));
    if (flags & DUMP_COUNTERS) {
        out.append(CRecord("Counters")
                       .Int("maxWaveId", campaign.GetMaxWaveId())
                       .Int("maxWaveOrder", campaign.GetMaxWaveOrder())
                       .Int("maxQuestionId", campaign.GetMaxQuestionId())
                       .Int("maxQuestionClassId", campaign.GetMaxQuestionClassId())
                       .Int("maxModalityId", campaign.GetMaxModalityId())
                       .Int("maxQuestionOrder", campaign.GetMaxQuestionOrder()));
    }

    CLines languages;
    for (int i = 0; i < campaign.GetLanguageCount(); ++i) {
        const CLanguage& l = *campaign.GetLanguage(i);
        languages.Add({l.GetLanguageId()}, CRecord("Language", l.GetLanguageId())
                                               .Int("default", l.IsDefault())
                                               .Str("name", l.GetLanguageName())
                                               .Str("abbreviation", l.GetLanguageAbbreviation()));
    }
    languages.AppendSortedTo(out);

    CLines classes;
    for (int i = 0; i < campaign.GetQuestionClassCount(); ++i) {
        const CQuestionClass& c = *campaign.GetQuestionClass(i);
        classes.Add(
            {c.GetQuestionClassId()},
            CRecord("QuestionClass", c.GetQuestionClassId()).Str("caption", c.GetCaption()));
    }
    classes.AppendSortedTo(out);

    CLines versions;
    for (int i = 0; i < campaign.GetVersionCount(); ++i) {
        const CVersion& v = *campaign.GetVersion(i);
        versions.Add({v.GetVersionId()}, CRecord("Version", v.GetVersionId())
                                             .Str("long", v.GetLongCaption())
                                             .Str("short", v.GetShortCaption()));
    }
    versions.AppendSortedTo(out);

    // Waves and volumes in array order: their positions are campaign order.
    CLines questionMatchings;
    CLines modalityMatchings;
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        const CWave& wave = *campaign.GetWave(w);
        CRecord waveRecord("Wave", wave.GetWaveId());
        waveRecord.Int("position", w)
            .Int("order", wave.GetWaveOrder())
            .Str("name", wave.GetName())
            .Str("description", wave.GetDescription())
            .Field("start", Date(wave.GetWaveStart()))
            .Field("end", Date(wave.GetWaveEnd()))
            .Field("midpoint", Date(wave.GetWaveMidpoint()));
        if (flags & DUMP_COUNTERS)
            waveRecord.Int("maxVolumeId", wave.GetMaxVolumeId());
        out.append(waveRecord);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            const CVolume& volume = *wave.GetVolume(v);
            QList<int> children;
            for (int c = 0; c < volume.GetChildVolumeCount(); ++c)
                children.append(volume.GetChildVolumeAt(c)->GetVolumeId());
            std::sort(children.begin(), children.end());
            out.append(CRecord("Volume", volume.GetVolumeId())
                           .Int("wave", wave.GetWaveId())
                           .Int("position", v)
                           .Str("name", volume.GetName())
                           .Int("waveId", volume.GetWaveId())
                           .Int("inheritsFrom", volume.GetInheritsFromVolumeId())
                           .Field("parent", volume.GetParent()
                                                ? QString::number(volume.GetParent()->GetVolumeId())
                                                : QStringLiteral("none"))
                           .Field("children", ListText(children))
                           .Int("sourceType", volume.GetSourceType())
                           .Int("strict", volume.IsMatchingStrict())
                           .Field("questionMethods", Ids(volume.GetQuestionMatchingMethods()))
                           .Field("responseMethods", Ids(volume.GetResponseMatchingMethods()))
                           .Int("main", volume.IsMainVolume())
                           .Int("interviewMerge", volume.GetInterviewMergeMethod())
                           .Int("mainLink", volume.GetMainVolumeLinkQuestionId())
                           .Str("thisLink", volume.GetThisVolumeLinkQuestionId())
                           .Int("status", volume.GetStatus())
                           .Field("metaData", Path(volume.GetMetaData()))
                           .Field("caseData", Path(volume.GetCaseData()))
                           .Int("caseSensitive", volume.GetCaseSensitiveMatching())
                           .Int("ancestorValues", volume.GetMatchUsingAncestorValues()));
            if ((flags & DUMP_ENGINE_INDEXES) && !volume.GetQuestionIndex().IsEmpty()) {
                out.append(CRecord("VolumeIndex", volume.GetVolumeId()) +
                           QString(QuestionIndexText(volume.GetQuestionIndex())));
            }
            for (int m = 0; m < volume.GetQuestionMatchingCount(); ++m) {
                const CQuestionMatching& q = *volume.GetQuestionMatching(m);
                questionMatchings.Add({volume.GetVolumeId(), q.GetQuestionId()},
                                      CRecord("QuestionMatching")
                                          .Int("holder", volume.GetVolumeId())
                                          .Int("question", q.GetQuestionId())
                                          .Int("volume", q.GetVolumeId())
                                          .Str("source", q.GetSourceId())
                                          .Int("start", q.GetStartVolumeId())
                                          .Int("end", q.GetEndVolumeId()));
            }
            for (int m = 0; m < volume.GetModalityMatchingCount(); ++m) {
                const CModalityMatching& r = *volume.GetModalityMatching(m);
                modalityMatchings.Add({volume.GetVolumeId(), r.GetModalityId()},
                                      CRecord("ModalityMatching")
                                          .Int("holder", volume.GetVolumeId())
                                          .Int("modality", r.GetModalityId())
                                          .Int("question", r.GetQuestionId())
                                          .Int("volume", r.GetVolumeId())
                                          .Str("source", r.GetModalitySourceId())
                                          .Int("start", r.GetStartVolumeId())
                                          .Int("end", r.GetEndVolumeId()));
            }
        }
    }
    questionMatchings.AppendSortedTo(out);
    modalityMatchings.AppendSortedTo(out);

    // Questions in array order (kept sorted by order); their captions by language.
    CLines questionCaptions;
    for (int q = 0; q < campaign.GetQuestionCount(); ++q) {
        const CQuestion& question = *campaign.GetQuestion(q);
        QList<int> responses;
        for (int r = 0; r < question.GetModalityCount(); ++r)
            responses.append(question.GetModality(r)->GetModalityId());
        CRecord record("Question", question.GetQuestionId());
        record.Int("position", q)
            .Int("deleted", question.IsDeleted())
            .Int("order", question.GetOrder())
            .Str("shortcut", question.GetShortcut())
            .Int("indent", question.GetIndent())
            .Int("elementType", question.GetElementType())
            .Int("questionType", question.GetQuestionType())
            .Int("dontKnow", question.IsDontKnow())
            .Int("semiOpen", question.IsSemiOpen())
            .Int("scale", question.IsScale())
            .Int("multiple", question.IsMultiple())
            .Int("ranked", question.IsRanked())
            .Int("maxResponses", question.GetMaxResponseCount())
            .Int("decimals", question.GetDecimals())
            .Real("min", question.GetMinValue())
            .Real("max", question.GetMaxValue())
            .Int("levelLink", question.IsLevelLink())
            .Int("link", question.GetLinkQuestionId())
            .Int("probability", question.IsProbabilityQuestion())
            .Int("dateType", question.GetDateType())
            .Int("class", question.GetQuestionClassId())
            .Str("versions", question.GetVersions())
            .Str("userData", question.GetUserData())
            .Int("developLevels", question.IsDevelopLevels())
            .Int("appearance", question.GetAppearanceVolumeId())
            .Int("deletion", question.GetDeletionWaveId())
            .Field("responses", ListText(responses));
        if (flags & DUMP_COUNTERS)
            record.Int("maxModalityOrder", question.GetMaxModalityOrder());
        out.append(record);
        if ((flags & DUMP_ENGINE_INDEXES) && !question.GetResponseIndex().IsEmpty()) {
            out.append(CRecord("QuestionIndex", question.GetQuestionId()) +
                       QString(ResponseIndexText(question.GetResponseIndex())));
        }
        for (int c = 0; c < question.GetCaptionCount(); ++c) {
            const CQuestionCaption& caption = *question.GetCaption(c);
            questionCaptions.Add({question.GetQuestionId(), caption.GetLanguageId()},
                                 CRecord("QuestionCaption")
                                     .Int("holder", question.GetQuestionId())
                                     .Int("question", caption.GetQuestionId())
                                     .Int("language", caption.GetLanguageId())
                                     .Str("long", caption.GetLongCaption())
                                     .Str("short", caption.GetShortCaption()));
        }
    }
    questionCaptions.AppendSortedTo(out);

    // Responses by id (their array is in order of addition, which an undo does not keep).
    CLines modalities;
    CLines modalityCaptions;
    for (int i = 0; i < campaign.GetModalityCount(); ++i) {
        const CModality& m = *campaign.GetModality(i);
        modalities.Add({m.GetModalityId()}, CRecord("Modality", m.GetModalityId())
                                                .Int("question", m.GetQuestionId())
                                                .Int("deleted", m.IsDeleted())
                                                .Int("order", m.GetModalityOrder())
                                                .Real("value", m.GetValue())
                                                .Str("entryCode", m.GetEntryCode())
                                                .Int("exclusive", m.IsExclusive())
                                                .Int("rotation", m.GetRotationBehaviour())
                                                .Str("versions", m.GetVersions())
                                                .Str("userData", m.GetUserData())
                                                .Int("appearance", m.GetAppearanceVolumeId())
                                                .Int("deletion", m.GetDeletionWaveId()));
        for (int c = 0; c < m.GetCaptionCount(); ++c) {
            const CModalityCaption& caption = *m.GetCaption(c);
            modalityCaptions.Add({m.GetModalityId(), caption.GetLanguageId()},
                                 CRecord("ModalityCaption")
                                     .Int("holder", m.GetModalityId())
                                     .Int("modality", caption.GetModalityId())
                                     .Int("question", caption.GetQuestionId())
                                     .Int("language", caption.GetLanguageId())
                                     .Str("short", caption.GetShortCaption()));
        }
    }
    modalities.AppendSortedTo(out);
    modalityCaptions.AppendSortedTo(out);

    CLines mergings;
    for (int i = 0; i < campaign.GetModalityMergingCount(); ++i) {
        const CModalityMerging& m = *campaign.GetModalityMerging(i);
        mergings.Add({m.GetMergeVolumeId(), m.GetMasterModalityId(), m.GetChildModalityId()},
                     CRecord("ModalityMerging")
                         .Int("volume", m.GetMergeVolumeId())
                         .Int("master", m.GetMasterModalityId())
                         .Int("child", m.GetChildModalityId()));
    }
    mergings.AppendSortedTo(out);

    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace pelko_wave
