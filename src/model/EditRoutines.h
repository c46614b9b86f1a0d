#pragma once

// The campaign edit routines shared by the reconciliation engine and the commands: record
// makers, objects made from a volume's source questionnaire, and the questionnaire's reference
// data taken into the campaign.

#include "model/RecordMakers.h"
#include "model/ReferenceData.h"
#include "model/SourceItems.h"
