#pragma once

#include <cstdint>

class QWidget;

// How a control reports to the window that owns it and reads the answer: it fills a record
// that begins with the notification header and hands it to the owner's interface, which
// answers with a number. Records of a control derive from NMHDR, so an owner turns the header
// back into the record that its code names with static_cast. A control without an owner
// reads 0 as the answer. Reports whose answer nobody reads are Qt signals instead.
using LRESULT = std::intptr_t;

struct NMHDR
{
    QWidget* hwndFrom = nullptr; // the control that reports
    std::uintptr_t idFrom = 0;   // its control id
    int code = 0;                // what happened
};

class INotifyOwner
{
public:
    virtual ~INotifyOwner() = default;
    // Receives a report of a control; the answer means what the code's record says.
    virtual LRESULT OnNotify(NMHDR& header) = 0;
};

// The answer of the owner to a report, 0 without an owner.
inline LRESULT SendNotify(INotifyOwner* owner, NMHDR& header)
{
    return owner ? owner->OnNotify(header) : 0;
}
