#pragma once

#include "grid/ColorRef.h"

#include <QAbstractItemModel>
#include <QImage>
#include <QList>

#include <vector>

namespace pelko_wave {
class CCampaign;
class CWave;
} // namespace pelko_wave

// Kinds of the campaign tree's items; also the index of an item's image and of its pop-up in
// the context menu.
enum ECampaignTreeKind
{
    TREE_KIND_CAMPAIGN = 0,
    TREE_KIND_WAVE = 1,
    TREE_KIND_VOLUME = 2
};

// One item of the campaign tree: what it stands for (campaign 0, else the wave or volume id)
// and where it sits.
struct CTreeItemRecord
{
    int id = 0;
    int kind = TREE_KIND_CAMPAIGN;
    int parent = -1; // record index of the parent item, -1 for the root
    int row = 0;     // position among the parent's children
    std::vector<int> children;
};

// The text colour of a wave item: black when the wave has volumes and all are reconciled,
// otherwise orange, so that waves with work left stand out.
inline constexpr COLORREF kReconciledWaveColour = RGB(0, 0, 0);
inline constexpr COLORREF kUnfinishedWaveColour = RGB(255, 142, 22);
COLORREF GetWaveTextColour(const pelko_wave::CWave& wave);
// The text colour of an item: campaign and volume items black, wave items as above;
// CLR_DEFAULT (the tree's own colour) for a wave the campaign does not know.
COLORREF GetCampaignTreeTextColour(const pelko_wave::CCampaign* campaign, int kind, int id);
// The text of an item: the name of the campaign, wave or volume; "(Not set)" for an empty name,
// an item the campaign does not know or an unknown kind.
QString GetCampaignTreeText(const pelko_wave::CCampaign* campaign, int kind, int id);

// The campaign tree's item table as a model: one record per item, in insertion order (the
// internal id of an item's index is its record's position). Texts, images and colours are read
// from the application's campaign each time they are asked for, so a refill is one reset of
// the table and a rename or a change of status only needs a repaint.
class CCampaignTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit CCampaignTreeModel(QObject* parent = nullptr);
    ~CCampaignTreeModel() override;

    // Replaces the table with the campaign's items: the campaign, its waves in campaign order,
    // each with its volumes in wave order. Empty for no campaign.
    void Rebuild(const pelko_wave::CCampaign* campaign);
    // Empties the table.
    void Clear();

    int GetRecordCount() const { return int(m_records.size()); }
    const CTreeItemRecord* GetRecord(const QModelIndex& index) const;
    QModelIndex IndexOfRecord(int record) const;
    // The index of the first item of the kind and id, or an invalid index.
    QModelIndex FindItem(int kind, int id) const;

    // The images of the kinds (campaign, wave, volume), from the tree's image strip.
    static const QList<QImage>& KindImages();

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int Append(int id, int kind, int parent);

    std::vector<CTreeItemRecord> m_records;
};
