#pragma once

// The model's helper functions shared by the engine, the commands, the views and the
// application: campaign order, question kinds and loops, values and texts, method names,
// questionnaire loading, the message pump, default-language captions, item orders, files and
// external programs.

#include "model/CampaignOrder.h"
#include "model/DefaultLanguageCaptions.h"
#include "model/ExternalPrograms.h"
#include "model/FileHelpers.h"
#include "model/ItemOrders.h"
#include "model/MessagePump.h"
#include "model/MethodNames.h"
#include "model/QuestionKinds.h"
#include "model/QuestionnaireLoading.h"
#include "model/ValueTexts.h"
