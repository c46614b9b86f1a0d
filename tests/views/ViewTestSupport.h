#pragma once

#include "app/WaveApp.h"
#include "storage/DBAccess.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedWindowServices.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace pelko_wave {
class CCampaign;
class CQuestion;
class CVolume;
class CWave;
} // namespace pelko_wave

// Small campaigns for the tests of the panes, built directly in the model.
namespace view_test {

pelko_wave::CWave* AddWave(pelko_wave::CCampaign& campaign, int waveId, const QString& name);
// A volume of the status (its parent: -1 for none).
pelko_wave::CVolume* AddVolume(pelko_wave::CCampaign& campaign, pelko_wave::CWave& wave,
                               int volumeId, const QString& name, int status, int parentId = -1);
// A question of the element and question type, at the order and indent given.
pelko_wave::CQuestion* AddQuestion(pelko_wave::CCampaign& campaign, int questionId, int order,
                                   int indent, const QString& shortcut, int elementType = 1,
                                   int questionType = 1);
// The volume matches the question (source code: the question id).
void Match(pelko_wave::CVolume& volume, int questionId);

// Closes the next context menu as soon as it opens, choosing the command when given; with
// shown, records the command ids of its items there (the list must outlive the menu).
void CloseNextMenu(unsigned choose = 0, QStringList* shown = nullptr);

} // namespace view_test

// A test of the panes: scripted window services and the program's application object with an
// empty campaign.
class CViewTest : public ::testing::Test
{
protected:
    CViewTest() { app.CreateCampaignObjects(nullptr, nullptr); }

    pelko_wave::CCampaign& Campaign() { return *app.GetCampaign(); }

    CScriptedWindowServices windows;
    CWaveApp app;
};
