#pragma once

#include "grid/GridCtrl.h"

#include <functional>
#include <vector>

// A grid owner that records every report and answers as the test says.
class CRecordingOwner : public IGridOwner
{
public:
    struct SReport
    {
        int Code;
        int Row;
        int Col;
        bool operator==(const SReport&) const = default;
    };

    LRESULT OnNotify(NMHDR& header) override
    {
        if (header.code == GVN_ODCACHEHINT) {
            const auto& hint = static_cast<GV_CACHEHINT&>(header);
            Hints.push_back(hint.range);
            return 0;
        }
        if (header.code == GVN_GETDISPINFO) {
            auto& info = static_cast<GV_DISPINFO&>(header);
            ++TextRequests;
            if (FillText)
                FillText(info.item);
            return 0;
        }
        const auto& notify = static_cast<GRIDNOTIFY&>(header);
        if (header.code != GVN_HOVER || KeepHover)
            Reports.push_back({notify.code, notify.iRow, notify.iColumn});
        return Answer ? Answer(notify.code) : 0;
    }

    // The codes only, in order.
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const SReport& report : Reports)
            codes.push_back(report.Code);
        return codes;
    }

    std::vector<SReport> Reports;
    std::vector<CCellIDRange> Hints;
    int TextRequests = 0;
    bool KeepHover = false;
    std::function<LRESULT(int code)> Answer;
    std::function<void(GRIDCELLITEM&)> FillText;
};
