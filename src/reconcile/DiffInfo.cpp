#include "reconcile/DiffInfo.h"

CDiffInfo::~CDiffInfo() = default;
