#include "ViewTestSupport.h"

#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/RecordMakers.h"
#include "model/Volume.h"
#include "model/Wave.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace pelko_wave;

namespace view_test {

CWave* AddWave(CCampaign& campaign, int waveId, const QString& name)
{
    auto wave = std::make_unique<CWave>();
    wave->SetWaveId(waveId);
    wave->SetWaveOrder(campaign.GetWaveCount() + 1);
    wave->SetName(name);
    CWave* raw = wave.get();
    campaign.InsertWave(std::move(wave));
    return raw;
}

CVolume* AddVolume(CCampaign& campaign, CWave& wave, int volumeId, const QString& name, int status,
                   int parentId)
{
    auto volume = std::make_unique<CVolume>();
    volume->SetVolumeId(volumeId);
    volume->SetName(name);
    volume->SetWaveId(wave.GetWaveId());
    volume->SetInheritsFromVolumeId(parentId < 0 ? volumeId : parentId);
    volume->SetStatus(status);
    CVolume* raw = volume.get();
    wave.AddVolume(std::move(volume));
    if (parentId >= 0) {
        CVolume* parent = campaign.FindVolume(parentId);
        raw->SetParent(parent);
        parent->AddChildVolume(raw);
    }
    return raw;
}

CQuestion* AddQuestion(CCampaign& campaign, int questionId, int order, int indent,
                       const QString& shortcut, int elementType, int questionType)
{
    auto question = std::make_unique<CQuestion>();
    question->SetQuestionId(questionId);
    question->SetOrder(order);
    question->SetIndent(indent);
    question->SetShortcut(shortcut);
    question->SetElementType(elementType);
    question->SetQuestionType(questionType);
    question->SetDeletionWaveId(NO_WAVE_ID);
    CQuestion* raw = question.get();
    campaign.InsertQuestion(std::move(question));
    return raw;
}

void Match(CVolume& volume, int questionId)
{
    volume.AddQuestionMatching(
        MakeQuestionMatching(questionId, QString::number(questionId), volume));
}

void CloseNextMenu(unsigned choose, QStringList* shown)
{
    QTimer::singleShot(0, [choose, shown] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* action : menu->actions())
            if (shown && !action->isSeparator())
                *shown << QString::number(CCommandActions::CommandId(action));
        for (QAction* action : menu->actions())
            if (choose && CCommandActions::CommandId(action) == choose) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        menu->close();
    });
}

} // namespace view_test
