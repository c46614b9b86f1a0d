#include "views/CampaignTreeModel.h"

#include "controls/Pictures.h"
#include "menus/DerivedImages.h"
#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/AppServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QBrush>
#include <QPixmap>

using namespace pelko_wave;

namespace {

constexpr int kImageSize = 16;

const QString& NotSetText()
{
    static const QString text = LoadString(IDS_NOT_SET);
    return text;
}

const QString& OrNotSet(const QString& name)
{
    return name.isEmpty() ? NotSetText() : name;
}

} // namespace

COLORREF GetWaveTextColour(const CWave& wave)
{
    bool reconciled = wave.GetVolumeCount() > 0;
    for (int i = 0; reconciled && i < wave.GetVolumeCount(); ++i)
        reconciled = wave.GetVolume(i)->GetStatus() == VOLUME_RECONCILED;
    return reconciled ? kReconciledWaveColour : kUnfinishedWaveColour;
}

COLORREF GetCampaignTreeTextColour(const CCampaign* campaign, int kind, int id)
{
    if (kind != TREE_KIND_WAVE)
        return RGB(0, 0, 0);
    const CWave* wave = campaign ? campaign->FindWave(id) : nullptr;
    return wave ? GetWaveTextColour(*wave) : CLR_DEFAULT;
}

QString GetCampaignTreeText(const CCampaign* campaign, int kind, int id)
{
    if (!campaign)
        return NotSetText();
    switch (kind) {
    case TREE_KIND_CAMPAIGN:
        return OrNotSet(campaign->GetName());
    case TREE_KIND_WAVE:
        if (const CWave* wave = campaign->FindWave(id))
            return OrNotSet(wave->GetName());
        return NotSetText();
    case TREE_KIND_VOLUME:
        if (const CVolume* volume = campaign->FindVolume(id))
            return OrNotSet(volume->GetName());
        return NotSetText();
    default:
        return NotSetText();
    }
}

CCampaignTreeModel::CCampaignTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

CCampaignTreeModel::~CCampaignTreeModel() = default;

const QList<QImage>& CCampaignTreeModel::KindImages()
{
    static const QList<QImage> images = [] {
        // White is the strip's mask colour.
        const QImage strip =
            menus::ApplyTransparentColour(LoadPicture(IDB_CAMPAIGN_TREE), 0x00FFFFFF);
        QList<QImage> split;
        for (int x = 0; x + kImageSize <= strip.width(); x += kImageSize)
            split << strip.copy(x, 0, kImageSize, kImageSize);
        return split;
    }();
    return images;
}

int CCampaignTreeModel::Append(int id, int kind, int parent)
{
    CTreeItemRecord record;
    record.id = id;
    record.kind = kind;
    record.parent = parent;
    const int index = int(m_records.size());
    if (parent >= 0) {
        record.row = int(m_records[size_t(parent)].children.size());
        m_records[size_t(parent)].children.push_back(index);
    }
    m_records.push_back(std::move(record));
    return index;
}

void CCampaignTreeModel::Rebuild(const CCampaign* campaign)
{
    beginResetModel();
    m_records.clear();
    if (campaign) {
        const int root = Append(0, TREE_KIND_CAMPAIGN, -1);
        for (int w = 0; w < campaign->GetWaveCount(); ++w) {
            const CWave* wave = campaign->GetWave(w);
            const int waveRecord = Append(wave->GetWaveId(), TREE_KIND_WAVE, root);
            for (int v = 0; v < wave->GetVolumeCount(); ++v)
                Append(wave->GetVolume(v)->GetVolumeId(), TREE_KIND_VOLUME, waveRecord);
        }
    }
    endResetModel();
}

void CCampaignTreeModel::Clear()
{
    beginResetModel();
    m_records.clear();
    endResetModel();
}

const CTreeItemRecord* CCampaignTreeModel::GetRecord(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this || index.internalId() >= m_records.size())
        return nullptr;
    return &m_records[index.internalId()];
}

QModelIndex CCampaignTreeModel::IndexOfRecord(int record) const
{
    if (record < 0 || record >= int(m_records.size()))
        return {};
    return createIndex(m_records[size_t(record)].row, 0, quintptr(record));
}

QModelIndex CCampaignTreeModel::FindItem(int kind, int id) const
{
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].kind == kind && m_records[i].id == id)
            return IndexOfRecord(int(i));
    }
    return {};
}

QModelIndex CCampaignTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 && !m_records.empty() ? IndexOfRecord(0) : QModelIndex();
    const CTreeItemRecord* record = GetRecord(parent);
    if (!record || row >= int(record->children.size()))
        return {};
    return IndexOfRecord(record->children[size_t(row)]);
}

QModelIndex CCampaignTreeModel::parent(const QModelIndex& child) const
{
    const CTreeItemRecord* record = GetRecord(child);
    return record ? IndexOfRecord(record->parent) : QModelIndex();
}

int CCampaignTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_records.empty() ? 0 : 1;
    const CTreeItemRecord* record = GetRecord(parent);
    return record ? int(record->children.size()) : 0;
}

int CCampaignTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant CCampaignTreeModel::data(const QModelIndex& index, int role) const
{
    const CTreeItemRecord* record = GetRecord(index);
    if (!record)
        return {};
    const IWaveApp* app = GetWaveApp();
    const CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return GetCampaignTreeText(campaign, record->kind, record->id);
    case Qt::DecorationRole: {
        const QList<QImage>& images = KindImages();
        const int image = record->kind >= 0 && record->kind < int(images.size()) ? record->kind : 0;
        return images.isEmpty() ? QVariant() : QVariant(QPixmap::fromImage(images[image]));
    }
    case Qt::ForegroundRole: {
        const COLORREF colour = GetCampaignTreeTextColour(campaign, record->kind, record->id);
        return colour == CLR_DEFAULT ? QVariant() : QVariant(QBrush(ColorRefToQColor(colour)));
    }
    default:
        return {};
    }
}

Qt::ItemFlags CCampaignTreeModel::flags(const QModelIndex& index) const
{
    return GetRecord(index) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
