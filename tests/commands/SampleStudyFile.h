#pragma once

#include "app/WaveApp.h"
#include "support/ScriptedWindowServices.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The sample study reconciled once per test program and kept in a campaign file: wave 1 from
// wave1.zoz (volume 1); wave 2 from wave2.zoz (2, inheriting from 1) and wave2.sss (3); wave 3
// from wave3.zoz (4, inheriting from 2) and wave3.mdd (5, inheriting from 3). Each test starts
// with the program's application object holding the campaign read from that file.
class CSampleStudyTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    // A path in the suite's temporary folder.
    static QString FilePath(const QString& name);

    CSampleStudyTest();

    // Gives the application a new campaign read from the file (the history emptied first).
    void LoadStudy();

    pelko_wave::CCampaign& Campaign() { return *app.GetCampaign(); }

    CScriptedWindowServices windows;
    CWaveApp app;

private:
    static QTemporaryDir* s_folder;
};
