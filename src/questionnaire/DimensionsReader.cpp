// Reads Dimensions metadata documents (.mdd). The document is streamed once: variable
// definitions, the design tree, languages and the category map are gathered, then the
// questionnaire is built in design order. Question codes are stable numbers taken from the
// variables' full names (StableCode.h); response codes are the category map's values.

#include "questionnaire/Questionnaire.h"
#include "questionnaire/SourceLanguages.h"
#include "questionnaire/SourceReaders.h"
#include "questionnaire/StableCode.h"
#include "questionnaire/XmlSource.h"

namespace qnr {

namespace {

// Captions of one labelled item: per language, the QUESTION and ANALYSIS texts and the first
// text of any other context.
struct SLabel
{
    QString question;
    QString analysis;
    QString other;
};
using CLabels = std::vector<std::pair<QString, SLabel>>; // language tag -> texts

struct SCategory
{
    QString name;
    CLabels labels;
    bool exclusive = false;
    bool fixed = false;
    bool dontKnow = false;
    bool other = false;
    bool hasFactor = false;
    double factor = 0.0;
};

struct SDefinition
{
    QString name;
    int type = 0;
    QString min;
    QString max;
    CLabels labels;
    std::vector<SCategory> categories;
    QString categoriesRef; // a shared category list, by id
};

// One item of the design tree.
struct SDesignItem
{
    enum Kind
    {
        Variable,
        Loop,
        Grid,
        Block
    };
    Kind kind = Variable;
    QString name;
    QString ref; // definition id of a variable
    CLabels labels;
    std::vector<SCategory> categories;
    QString min;
    QString max;
    std::vector<SDesignItem> children;
};

bool IsTrue(const QString& text)
{
    const QString value = text.trimmed().toLower();
    return value == QLatin1String("-1") || value == QLatin1String("1") ||
           value == QLatin1String("true");
}

class CDimensionsReader
{
public:
    CDimensionsReader(QIODevice& device, const QString& name, const SReadOptions& options,
                      CQuestionnaire& questionnaire)
        : m_source(device, name), m_options(options), m_questionnaire(questionnaire),
          m_languages(questionnaire)
    {
    }

    bool Read(QString& error);

private:
    // Gathering.
    void ReadDefinition();
    void ReadVariableDefinition();
    void ReadLabels(CLabels& labels);
    std::vector<SCategory> ReadCategories(QString* ref);
    SCategory ReadCategory();
    std::vector<SCategory> OwnOrShared(std::vector<SCategory> categories, const QString& ref) const;
    void ReadFieldsOf(std::vector<SDesignItem>& items, int level);
    void ReadFields(std::vector<SDesignItem>& items, int level);
    void ReadDesignItem(SDesignItem& item, int level);
    void ReadLanguages();
    void ReadCategoryMap();

    // Building.
    void Build();
    void BuildItems(const std::vector<SDesignItem>& items, const QString& prefix, int indent);
    bool AddQuestion(std::unique_ptr<CQuestion> question, const QString& fullName);
    void ApplyLabels(CQuestion& question, const CLabels& labels);
    void AddResponses(CQuestion& question, const std::vector<SCategory>& categories);
    void ApplyVariable(CQuestion& question, const SDefinition& definition);

    bool SpendCategories(size_t count);

    // Shared category lists are copied where they are used: a hostile document could multiply
    // them without end, so all the copies together are kept under this many categories.
    static constexpr size_t kMaxCategories = 500000;

    CXmlSource m_source;
    SReadOptions m_options;
    CQuestionnaire& m_questionnaire;
    CSourceLanguages m_languages;
    size_t m_categoriesMade = 0;
    QString m_baseLanguage;
    std::vector<std::pair<QString, int>> m_declaredLanguages; // tag, id (0: from the tag)
    QHash<QString, SDefinition> m_definitions;                // by id
    std::vector<QString> m_definitionOrder;
    QHash<QString, std::vector<SCategory>> m_sharedCategories; // by id
    std::vector<SDesignItem> m_design;
    bool m_hasDesign = false;
    QHash<QString, int> m_categoryValues; // lower-cased category name -> value
    CStableCodes m_questionCodes;
};

bool CDimensionsReader::Read(QString& error)
{
    if (!m_source.NextStartElement()) {
        if (!m_source.HasError())
            m_source.Fail(QStringLiteral("this is not a Dimensions metadata document"));
        error = m_source.ErrorText();
        return false;
    }
    // The metadata element sits in an <xml> wrapper, or is the root itself.
    if (m_source.IsElement("xml") && !m_source.NextStartElement(1) && !m_source.HasError())
        m_source.Fail(QStringLiteral("the document holds no metadata"));
    if (!m_source.HasError() && m_source.Xml().name() != QLatin1String("metadata"))
        m_source.Fail(QStringLiteral("this is not a Dimensions metadata document (no "
                                     "<mdm:metadata> element)"));
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("definition")) {
            ReadDefinition();
        } else if (m_source.IsElement("design")) {
            m_hasDesign = true;
            ReadFieldsOf(m_design, 0);
        } else if (m_source.IsElement("languages")) {
            ReadLanguages();
        } else if (m_source.IsElement("categorymap")) {
            ReadCategoryMap();
        } else {
            m_source.SkipElement();
        }
    }
    m_source.ReadToEnd();
    if (!m_source.Succeeded(error))
        return false;
    Build();
    return m_source.Succeeded(error);
}

void CDimensionsReader::ReadDefinition()
{
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("variable")) {
            ReadVariableDefinition();
        } else if (m_source.IsElement("categories")) {
            // A shared category list that variables refer to.
            const QString id = m_source.Attribute("id");
            std::vector<SCategory> categories = ReadCategories(nullptr);
            if (!id.isEmpty())
                m_sharedCategories.insert(id, std::move(categories));
        } else {
            m_source.SkipElement();
        }
    }
}

void CDimensionsReader::ReadVariableDefinition()
{
    // A variable with a ref and no type refers to another definition.
    if (m_source.HasAttribute("ref") && !m_source.HasAttribute("type")) {
        m_source.SkipElement();
        return;
    }
    const QString id = m_source.Attribute("id");
    SDefinition definition;
    definition.name = m_source.Attribute("name");
    int type = 0;
    if (!ParseInt(m_source.Attribute("type"), type)) {
        m_source.Fail(QStringLiteral("variable \"%1\" has no valid type").arg(definition.name));
        return;
    }
    definition.type = type;
    definition.min = m_source.Attribute("min");
    definition.max = m_source.Attribute("max");
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("labels"))
            ReadLabels(definition.labels);
        else if (m_source.IsElement("categories"))
            definition.categories = ReadCategories(&definition.categoriesRef);
        else
            m_source.SkipElement(); // properties, helperfields, notes, versions
    }
    if (id.isEmpty() || m_definitions.contains(id))
        return;
    m_definitionOrder.push_back(id);
    m_definitions.insert(id, std::move(definition));
}

// Adds the direct <text> children of a LABEL labels element (history under <versions> is
// skipped; labels of other kinds, such as instructions, are not captions).
void CDimensionsReader::ReadLabels(CLabels& labels)
{
    const QString context = m_source.Attribute("context");
    const bool isLabel =
        context.isEmpty() || context.compare(QLatin1String("LABEL"), Qt::CaseInsensitive) == 0;
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (!isLabel || !m_source.IsElement("text")) {
            m_source.SkipElement();
            continue;
        }
        const QString tag = m_source.Attribute("xml:lang");
        const QString textContext = m_source.Attribute("context").toUpper();
        const QString text = m_source.ReadText().trimmed();
        if (text.isEmpty())
            continue;
        SLabel* label = nullptr;
        for (auto& [languageTag, entry] : labels) {
            if (languageTag.compare(tag, Qt::CaseInsensitive) == 0)
                label = &entry;
        }
        if (!label) {
            labels.emplace_back(tag, SLabel());
            label = &labels.back().second;
        }
        if (textContext == QLatin1String("QUESTION"))
            label->question = text;
        else if (textContext == QLatin1String("ANALYSIS"))
            label->analysis = text;
        else if (label->other.isEmpty())
            label->other = text;
    }
}

std::vector<SCategory> CDimensionsReader::ReadCategories(QString* ref)
{
    std::vector<SCategory> categories;
    if (ref)
        *ref = m_source.Attribute("ref");
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("category")) {
            if (!SpendCategories(1))
                break;
            categories.push_back(ReadCategory());
        } else if (m_source.IsElement("categories")) {
            // A nested list: a shared list used inside this one, or a group of categories.
            QString nestedRef;
            const std::vector<SCategory> nested =
                OwnOrShared(ReadCategories(&nestedRef), nestedRef);
            if (!SpendCategories(nested.size()))
                break;
            categories.insert(categories.end(), nested.begin(), nested.end());
        } else {
            m_source.SkipElement();
        }
    }
    return categories;
}

// The categories read, or when there are none the shared list that their element refers to.
std::vector<SCategory> CDimensionsReader::OwnOrShared(std::vector<SCategory> categories,
                                                      const QString& ref) const
{
    if (categories.empty()) {
        const auto shared = m_sharedCategories.constFind(ref);
        if (shared != m_sharedCategories.cend())
            return *shared;
    }
    return categories;
}

SCategory CDimensionsReader::ReadCategory()
{
    SCategory category;
    category.name = m_source.Attribute("name");
    category.exclusive = IsTrue(m_source.Attribute("exclusive"));
    category.fixed = IsTrue(m_source.Attribute("fixed"));
    const QString missing = m_source.Attribute("missing").trimmed().toLower();
    category.dontKnow = missing == QLatin1String("dontknow");
    category.other =
        IsTrue(m_source.Attribute("other-local")) || IsTrue(m_source.Attribute("otherlocal"));
    if (m_source.HasAttribute("factor-value"))
        category.hasFactor = ParseDouble(m_source.Attribute("factor-value"), category.factor);
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("labels")) {
            ReadLabels(category.labels);
        } else {
            // An other-specify variable hangs under its category.
            const QString element = m_source.Xml().name().toString().toLower();
            if (element.startsWith(QLatin1String("other")))
                category.other = true;
            m_source.SkipElement();
        }
    }
    return category;
}

// The <fields> children of the current element (the design, or the class of a loop or grid).
void CDimensionsReader::ReadFieldsOf(std::vector<SDesignItem>& items, int level)
{
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("fields"))
            ReadFields(items, level);
        else
            m_source.SkipElement();
    }
}

void CDimensionsReader::ReadFields(std::vector<SDesignItem>& items, int level)
{
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        SDesignItem item;
        if (m_source.IsElement("variable")) {
            item.kind = SDesignItem::Variable;
            item.name = m_source.Attribute("name");
            item.ref =
                m_source.HasAttribute("ref") ? m_source.Attribute("ref") : m_source.Attribute("id");
            m_source.SkipElement();
            items.push_back(std::move(item));
            continue;
        }
        if (m_source.IsElement("loop"))
            item.kind = SDesignItem::Loop;
        else if (m_source.IsElement("grid"))
            item.kind = SDesignItem::Grid;
        else if (m_source.IsElement("class"))
            item.kind = SDesignItem::Block;
        else {
            m_source.SkipElement();
            continue;
        }
        ReadDesignItem(item, level + 1);
        items.push_back(std::move(item));
    }
}

void CDimensionsReader::ReadDesignItem(SDesignItem& item, int level)
{
    item.name = m_source.Attribute("name");
    item.min = m_source.Attribute("min");
    item.max = m_source.Attribute("max");
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("labels")) {
            ReadLabels(item.labels);
        } else if (m_source.IsElement("categories")) {
            QString ref;
            item.categories = OwnOrShared(ReadCategories(&ref), ref);
        } else if (m_source.IsElement("fields")) {
            ReadFields(item.children, level);
        } else if (m_source.IsElement("class") && item.kind != SDesignItem::Block) {
            // The class of a loop or grid only holds its fields.
            ReadFieldsOf(item.children, level);
        } else {
            m_source.SkipElement();
        }
    }
}

void CDimensionsReader::ReadLanguages()
{
    m_baseLanguage = m_source.Attribute("base");
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("language")) {
            bool ok = false;
            const int id = m_source.Attribute("id").trimmed().toInt(&ok, 16);
            m_declaredLanguages.emplace_back(m_source.Attribute("name"), ok ? id : 0);
        }
        m_source.SkipElement();
    }
}

void CDimensionsReader::ReadCategoryMap()
{
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("categoryid")) {
            int value = 0;
            if (ParseInt(m_source.Attribute("value"), value))
                m_categoryValues.insert(m_source.Attribute("name").toLower(), value);
        }
        m_source.SkipElement();
    }
}

bool CDimensionsReader::SpendCategories(size_t count)
{
    m_categoriesMade += count;
    if (m_categoriesMade <= kMaxCategories)
        return true;
    m_source.Fail(QStringLiteral("the document makes more than %1 categories").arg(kMaxCategories));
    return false;
}

void CDimensionsReader::Build()
{
    // Languages in the document's order, the base language as the default.
    for (const auto& [tag, id] : m_declaredLanguages)
        m_languages.Declare(tag, id);
    if (m_questionnaire.GetLanguageCount() == 0)
        m_languages.Declare(QString(), m_options.languageId > 0 ? m_options.languageId : 1033);
    const int baseId = m_baseLanguage.isEmpty() ? 0 : m_languages.IdOf(m_baseLanguage);
    m_languages.SetDefault(baseId > 0 ? baseId : m_questionnaire.GetLanguage(0)->GetId());

    if (m_hasDesign) {
        BuildItems(m_design, QString(), 1);
        return;
    }
    // No design: the definitions in document order, all at the top.
    std::vector<SDesignItem> items;
    for (const QString& id : m_definitionOrder) {
        SDesignItem item;
        item.name = m_definitions.value(id).name;
        item.ref = id;
        items.push_back(std::move(item));
    }
    BuildItems(items, QString(), 1);
}

void CDimensionsReader::BuildItems(const std::vector<SDesignItem>& items, const QString& prefix,
                                   int indent)
{
    for (const SDesignItem& item : items) {
        if (m_source.HasError())
            return;
        if (indent > CXmlSource::kMaxDepth) {
            m_source.Fail(QStringLiteral("loops and blocks are nested too deep"));
            return;
        }
        auto question = std::make_unique<CQuestion>();
        question->SetIndent(indent);
        QString name = item.name;
        if (item.kind == SDesignItem::Variable) {
            const auto it = m_definitions.constFind(item.ref);
            if (it == m_definitions.constEnd())
                continue; // a reference to nothing: nothing to show
            if (name.isEmpty())
                name = it->name;
            ApplyVariable(*question, *it);
        } else {
            question->SetTypeElement(item.kind == SDesignItem::Block ? ElementChapter
                                                                     : ElementLoop);
            if (item.kind == SDesignItem::Grid) {
                question->SetTypeQuestion(LoopGrid);
            } else if (item.kind == SDesignItem::Loop) {
                question->SetTypeQuestion(item.categories.empty() ? LoopNumeric : LoopCategorical);
                double low = 0.0;
                double high = 0.0;
                ParseDouble(item.min, low);
                ParseDouble(item.max, high);
                if (item.categories.empty())
                    question->SetBornes(low, high);
            }
            ApplyLabels(*question, item.labels);
            AddResponses(*question, item.categories);
        }
        question->SetShortcut(name);
        const QString fullName = prefix + name;
        if (!AddQuestion(std::move(question), fullName))
            return;
        if (item.kind != SDesignItem::Variable)
            BuildItems(item.children, fullName + QLatin1Char('.'), indent + 1);
    }
}

bool CDimensionsReader::AddQuestion(std::unique_ptr<CQuestion> question, const QString& fullName)
{
    question->SetCodeQuestion(m_questionCodes.Take(StableCodeFromText(fullName)));
    if (!m_options.modalites)
        question->RemoveAllModalites();
    return !m_options.questions || m_questionnaire.AddQuestion(std::move(question)) != nullptr;
}

void CDimensionsReader::ApplyVariable(CQuestion& question, const SDefinition& definition)
{
    question.SetTypeElement(ElementQuestion);
    double low = 0.0;
    double high = 0.0;
    const bool hasLow = ParseDouble(definition.min, low);
    const bool hasHigh = ParseDouble(definition.max, high);
    switch (definition.type) {
    case 1: // long
    case 6: // double
        question.SetTypeQuestion(QuestionNumeric);
        question.SetBornes(hasLow ? low : 0.0, hasHigh ? high : 0.0);
        if (definition.type == 6)
            question.SetNbreDecimal(static_cast<short>(
                qMin(15, qMax(DecimalsOf(definition.min), DecimalsOf(definition.max)))));
        break;
    case 2:
        question.SetTypeQuestion(QuestionOpen);
        break;
    case 3: {
        question.SetTypeQuestion(QuestionClosed);
        const std::vector<SCategory> categories =
            OwnOrShared(definition.categories, definition.categoriesRef);
        AddResponses(question, categories);
        const int maxAnswers = hasHigh ? ClampToInt(high) : 0;
        if (maxAnswers == 1) {
            question.SetNbMaxReponse(1);
            for (const SCategory& category : categories) {
                if (category.hasFactor && !category.dontKnow)
                    question.SetEchelle(true);
            }
        } else {
            question.SetMultiple(true);
            question.SetNbMaxReponse(maxAnswers > 0 ? maxAnswers
                                                    : static_cast<int>(categories.size()));
        }
        break;
    }
    case 5:
        question.SetTypeQuestion(QuestionDate);
        question.SetDateType(DateDay);
        break;
    case 7:
        question.SetTypeQuestion(QuestionLogical);
        break;
    default: // 0 info, 4 object and anything newer: shown, never answered
        question.SetTypeQuestion(QuestionInfo);
        break;
    }
    ApplyLabels(question, definition.labels);
}

// Short caption: the ANALYSIS text, else the QUESTION text, else any other; the long caption
// the other way round.
void CDimensionsReader::ApplyLabels(CQuestion& question, const CLabels& labels)
{
    for (const auto& [tag, label] : labels) {
        question.SetCaptions(m_languages.IdOf(tag),
                             FirstNonEmpty({label.question, label.analysis, label.other}),
                             FirstNonEmpty({label.analysis, label.question, label.other}));
    }
}

// Categories become responses: the category map's value is the code (the position in the list
// when the map lacks the name), the name the entry code.
void CDimensionsReader::AddResponses(CQuestion& question, const std::vector<SCategory>& categories)
{
    if (!SpendCategories(categories.size()))
        return;
    CStableCodes codes;
    for (size_t i = 0; i < categories.size(); ++i) {
        const SCategory& category = categories[i];
        auto response = std::make_unique<CModalite>();
        response->SetCode(
            codes.Take(m_categoryValues.value(category.name.toLower(), static_cast<int>(i) + 1)));
        response->SetEntryCode(category.name);
        response->SetExclusive(category.exclusive);
        response->SetRotationBehaviour(category.fixed ? RotationFixed : RotationAuthorised);
        if (category.hasFactor)
            response->SetValue(category.factor);
        for (const auto& [tag, label] : category.labels) {
            response->SetShortCaption(m_languages.IdOf(tag),
                                      FirstNonEmpty({label.analysis, label.question, label.other}));
        }
        if (category.dontKnow)
            question.SetNonReponse(true);
        if (category.other)
            question.SetSemiOuverte(true);
        question.AddModalite(std::move(response));
    }
}

} // namespace

bool ReadDimensionsSource(QIODevice& device, const QString& name, const SReadOptions& options,
                          CQuestionnaire& questionnaire, QString& error)
{
    CDimensionsReader reader(device, name, options, questionnaire);
    return reader.Read(error);
}

} // namespace qnr
