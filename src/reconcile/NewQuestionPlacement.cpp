#include "reconcile/NewQuestionPlacement.h"

#include "model/Campaign.h"
#include "model/QuestionKinds.h"
#include "questionnaire/Questionnaire.h"

#include <algorithm>

namespace pelko_wave {

namespace {

// Between two new labels when no neighbour bounds it (at the end of the campaign order).
constexpr qint64 kLabelStep = qint64(1) << 32;

bool IsPlainAscii(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

// A hash of the ASCII text lower-cased: equal texts ignoring case hash alike.
quint64 LowerCaseHash(const QString& text)
{
    quint64 hash = 14695981039346656037ULL;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        hash = (hash ^ (unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit)) *
               1099511628211ULL;
    }
    return hash;
}

} // namespace

CNewQuestionPlacement::CNewQuestionPlacement(CCampaign& campaign)
    : m_campaign(campaign), m_initialMaxOrder(campaign.GetMaxQuestionOrder())
{
    const int count = campaign.GetQuestionCount();
    m_nodes.reserve(size_t(count));
    for (int p = 0; p < count; ++p) {
        SNode node;
        node.Question = campaign.GetQuestion(p);
        node.Previous = p - 1;
        node.Next = p + 1 < count ? p + 1 : -1;
        node.Base = node.Question->GetOrder();
        node.Indexed = campaign.GetQuestionIndexById(node.Question->GetQuestionId()) == p;
        m_nodes.push_back(node);
    }
    m_first = count > 0 ? 0 : -1;
    m_last = count - 1;
    Relabel();
}

CNewQuestionPlacement::~CNewQuestionPlacement()
{
    Finish();
}

void CNewQuestionPlacement::AddToShortcuts(int node)
{
    if (!m_shortcutsMade)
        return;
    const QString& shortcut = m_nodes[size_t(node)].Question->GetShortcut();
    if (IsPlainAscii(shortcut))
        m_asciiShortcuts[LowerCaseHash(shortcut)].push_back(node);
    else
        m_otherShortcuts.push_back(node);
}

void CNewQuestionPlacement::Relabel()
{
    const qint64 step = (qint64(1) << 62) / qint64(m_nodes.size() + 1);
    qint64 label = 0;
    m_newLabels.clear();
    for (int n = m_first; n >= 0; n = m_nodes[size_t(n)].Next) {
        label += step;
        m_nodes[size_t(n)].Label = label;
        if (m_nodes[size_t(n)].New)
            m_newLabels.insert(label);
    }
}

int CNewQuestionPlacement::NewBefore(int node) const
{
    return int(m_newLabels.order_of_key(m_nodes[size_t(node)].Label));
}

qint64 CNewQuestionPlacement::CurrentOrder(int node) const
{
    const SNode& n = m_nodes[size_t(node)];
    // The last node has every new node before it, itself excepted.
    if (node == m_last)
        return n.Base + m_newCount - (n.New ? 1 : 0);
    return n.Base + NewBefore(node);
}

int CNewQuestionPlacement::ParentOf(int node) const
{
    // As CCampaign::GetParentQuestion: the nearest question before it one indent up, unless a
    // question further up comes first.
    const SNode& n = m_nodes[size_t(node)];
    if (!n.Indexed)
        return node;
    const int parentIndent = n.Question->GetIndent() - 1;
    for (int p = n.Previous; p >= 0; p = m_nodes[size_t(p)].Previous) {
        const int indent = m_nodes[size_t(p)].Question->GetIndent();
        if (indent == parentIndent)
            return p;
        if (indent < parentIndent)
            return node;
    }
    return node;
}

bool CNewQuestionPlacement::IsInLoop(int node) const
{
    // As GetQuestionLoopMask, walking the campaign order kept here.
    for (int child = node;;) {
        const CQuestion& question = *m_nodes[size_t(child)].Question;
        if (GetQuestionLoopBit(question) != 0)
            return true;
        if (question.GetIndent() <= 1)
            return false;
        const int parent = ParentOf(child);
        if (parent == child)
            return false;
        child = parent;
    }
}

bool CNewQuestionPlacement::Fits(int node, const QString& shortcut, bool inLoop) const
{
    const CQuestion* question = m_nodes[size_t(node)].Question;
    return !m_campaign.IsReservedQuestion(question) &&
           question->GetShortcut().compare(shortcut, Qt::CaseInsensitive) == 0 &&
           IsInLoop(node) == inLoop;
}

int CNewQuestionPlacement::FirstFitting(const QString& shortcut, bool inLoop)
{
    if (!IsPlainAscii(shortcut)) {
        for (int n = m_first; n >= 0; n = m_nodes[size_t(n)].Next)
            if (Fits(n, shortcut, inLoop))
                return n;
        return -1;
    }
    if (!m_shortcutsMade) {
        m_shortcutsMade = true;
        for (int n = 0; n < int(m_nodes.size()); ++n)
            AddToShortcuts(n);
    }
    // An ASCII shortcut equals, ignoring case, the ASCII shortcuts of its lower case and
    // perhaps some of the others.
    std::vector<int> candidates = m_asciiShortcuts.value(LowerCaseHash(shortcut));
    candidates.insert(candidates.end(), m_otherShortcuts.begin(), m_otherShortcuts.end());
    std::sort(candidates.begin(), candidates.end(),
              [this](int a, int b) { return m_nodes[size_t(a)].Label < m_nodes[size_t(b)].Label; });
    for (const int n : candidates)
        if (Fits(n, shortcut, inLoop))
            return n;
    return -1;
}

void CNewQuestionPlacement::Place(const CVolume& volume, const qnr::CQuestionnaire& questionnaire,
                                  int position, int& order, int& indent)
{
    order = -1;
    indent = 1;
    m_anchor = -1;
    const qnr::CQuestion& source = *questionnaire.GetQuestion(position);
    for (int p = position - 1; p >= 0; --p) {
        const qnr::CQuestion& previous = *questionnaire.GetQuestion(p);
        const bool inLoop = ReduceLoopMask(GetSourceLoopMask(previous)) != 0;
        int anchor = -1;
        int matchedId = -1;
        if (volume.FindQuestionIdBySource(volume.GetVolumeId(),
                                          QString::number(previous.GetCodeQuestion()), matchedId,
                                          true)) {
            // The nodes stand in the campaign's array order until Finish.
            const int matched = m_campaign.GetQuestionIndexById(matchedId);
            if (matched >= 0 && Fits(matched, previous.GetShortcut(), inLoop))
                anchor = matched;
        }
        if (anchor < 0)
            anchor = FirstFitting(previous.GetShortcut(), inLoop);
        if (anchor < 0)
            continue;
        m_anchor = anchor;
        order = int(CurrentOrder(anchor) + 1);
        const int shifted = m_nodes[size_t(anchor)].Question->GetIndent() +
                            (source.GetIndent() - previous.GetIndent());
        indent = shifted > 1 ? shifted : 1;
        return;
    }
}

int CNewQuestionPlacement::InsertionPoint(qint64 order, int& newBefore) const
{
    // Behind every question: a question beyond the last one is appended.
    if (m_last < 0 || CurrentOrder(m_last) < order) {
        newBefore = m_newCount;
        return m_last;
    }
    // Right after the question placed after (and any that share its order), the usual case.
    if (m_anchor >= 0 && CurrentOrder(m_anchor) + 1 == order) {
        int after = m_anchor;
        const qint64 anchorOrder = CurrentOrder(m_anchor);
        for (int next = m_nodes[size_t(after)].Next; next >= 0 && CurrentOrder(next) == anchorOrder;
             next = m_nodes[size_t(next)].Next)
            after = next;
        newBefore = NewBefore(after) + (m_nodes[size_t(after)].New ? 1 : 0);
        return after;
    }
    // Any other order: before the first question of an order not smaller.
    int after = -1;
    newBefore = 0;
    for (int n = m_first; n >= 0; n = m_nodes[size_t(n)].Next) {
        if (m_nodes[size_t(n)].Base + newBefore >= order)
            break;
        if (m_nodes[size_t(n)].New)
            ++newBefore;
        after = n;
    }
    return after;
}

void CNewQuestionPlacement::Link(int node, int after)
{
    const int next = after >= 0 ? m_nodes[size_t(after)].Next : m_first;
    m_nodes[size_t(node)].Previous = after;
    m_nodes[size_t(node)].Next = next;
    if (after >= 0)
        m_nodes[size_t(after)].Next = node;
    else
        m_first = node;
    if (next >= 0)
        m_nodes[size_t(next)].Previous = node;
    else
        m_last = node;

    const qint64 low = after >= 0 ? m_nodes[size_t(after)].Label : 0;
    const qint64 high = next >= 0 ? m_nodes[size_t(next)].Label : low + 2 * kLabelStep;
    if (high - low < 2) {
        Relabel();
        return;
    }
    m_nodes[size_t(node)].Label = low + (high - low) / 2;
    m_newLabels.insert(m_nodes[size_t(node)].Label);
}

CQuestion* CNewQuestionPlacement::Insert(std::unique_ptr<CQuestion> question)
{
    int newBefore = 0;
    const int after = InsertionPoint(question->GetOrder(), newBefore);
    m_anchor = -1;

    SNode node;
    node.Question = question.get();
    node.Base = qint64(question->GetOrder()) - newBefore;
    node.New = true;
    const int index = int(m_nodes.size());
    m_nodes.push_back(node);
    ++m_newCount;
    Link(index, after);
    AddToShortcuts(index);

    m_campaign.AppendQuestionUnsorted(std::move(question));
    // The highest order follows the questions moved up, as the campaign's own insertion keeps it.
    m_campaign.SetMaxQuestionOrder(int(std::max<qint64>(m_initialMaxOrder, CurrentOrder(m_last))));
    return node.Question;
}

void CNewQuestionPlacement::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_newCount == 0)
        return;
    int newBefore = 0;
    for (int n = m_first; n >= 0; n = m_nodes[size_t(n)].Next) {
        SNode& node = m_nodes[size_t(n)];
        node.Question->SetOrder(int(node.Base + newBefore));
        if (node.New)
            ++newBefore;
    }
    m_campaign.SortQuestions();
}

} // namespace pelko_wave
