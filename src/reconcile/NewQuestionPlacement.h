#pragma once

#include <QHash>
#include <QString>
#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>
#include <memory>
#include <vector>

// Where the new campaign questions of a volume go, and putting them there. Each new question is
// placed after the campaign question of the nearest preceding source question that has one, and
// is inserted as CCampaign::InsertQuestion inserts (before the first question of an order not
// smaller than its own, that one and every later one moving one order up). Doing that question
// by question costs the whole campaign each time; here the campaign takes the new questions at
// the end of its array and the placement keeps the campaign order beside it (a linked sequence
// whose orders are each question's base order plus the number of new questions before it), so
// that the orders are given once, when the volume is done: adding n questions to a campaign of N
// costs about n log n + N. The questions, orders, highest order and array that the campaign has
// at the end are those the question-by-question insertion gives, which assumes, as the campaign
// keeps it, that its questions are sorted by order to begin with.

namespace qnr {
class CQuestionnaire;
}

namespace pelko_wave {

class CCampaign;
class CQuestion;
class CVolume;

class CNewQuestionPlacement
{
public:
    explicit CNewQuestionPlacement(CCampaign& campaign);
    // Finishes, when Finish was not called, so that the campaign is never left half done.
    ~CNewQuestionPlacement();
    CNewQuestionPlacement(const CNewQuestionPlacement&) = delete;
    CNewQuestionPlacement& operator=(const CNewQuestionPlacement&) = delete;

    // Where a new campaign question made from the source question at the position goes: after
    // the campaign question of the nearest preceding source question that has one (the question
    // the volume, or an ancestor, matches to that source question, when it has the source
    // question's shortcut, ignoring case, and its loop ancestry; else the first campaign
    // question in campaign order that has both), with the order after that question's and an
    // indent shifted as the source's indents differ. Gives order -1 and indent 1 when none has.
    void Place(const CVolume& volume, const qnr::CQuestionnaire& questionnaire, int position,
               int& order, int& indent);

    // Puts the question in, at its order, as CCampaign::InsertQuestion would; returns it.
    CQuestion* Insert(std::unique_ptr<CQuestion> question);

    // Gives every question its order and the campaign its sorted array and highest order.
    void Finish();

private:
    // A node for each question of the campaign's array, in the array's order: the campaign's
    // questions, then the new ones.
    struct SNode
    {
        CQuestion* Question = nullptr;
        int Previous = -1;
        int Next = -1;
        // Increasing along the campaign order.
        qint64 Label = 0;
        // The order is Base plus the number of new questions before the node.
        qint64 Base = 0;
        bool New = false;
        // Whether the question is the one its id finds (a question of a duplicate id has no
        // parent).
        bool Indexed = true;
    };

    qint64 CurrentOrder(int node) const;
    int NewBefore(int node) const;
    // The node after which a question of that order goes (-1: the front), and the number of
    // new questions before that place.
    int InsertionPoint(qint64 order, int& newBefore) const;
    void Link(int node, int after);
    void Relabel();

    int ParentOf(int node) const;
    bool IsInLoop(int node) const;
    bool Fits(int node, const QString& shortcut, bool inLoop) const;
    // The first node in campaign order that fits the shortcut and loop ancestry; -1 when none.
    int FirstFitting(const QString& shortcut, bool inLoop);
    void AddToShortcuts(int node);

    CCampaign& m_campaign;
    std::vector<SNode> m_nodes;
    int m_first = -1;
    int m_last = -1;
    int m_newCount = 0;
    // The labels of the new nodes, counting those below a label in logarithmic time.
    __gnu_pbds::tree<qint64, __gnu_pbds::null_type, std::less<qint64>, __gnu_pbds::rb_tree_tag,
                     __gnu_pbds::tree_order_statistics_node_update>
        m_newLabels;
    // The node that the last Place put the question after; -1 when none.
    int m_anchor = -1;
    int m_initialMaxOrder = 0;
    // Nodes by a hash of their shortcut lower-cased, for plain ASCII shortcuts; the nodes of the
    // other shortcuts (which may equal an ASCII one ignoring case) apart.
    QHash<quint64, std::vector<int>> m_asciiShortcuts;
    std::vector<int> m_otherShortcuts;
    // The shortcut lists are made on first use (and then kept up with the new nodes).
    bool m_shortcutsMade = false;
    bool m_finished = false;
};

} // namespace pelko_wave
