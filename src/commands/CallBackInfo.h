#pragma once

// Base of the change records: after each successful Do, Undo or Redo a command makes one record
// that names what changed, and hands it to its issuer's callback for that phase. The receiver
// tells the kinds apart with dynamic_cast, ignores the kinds it does not handle, and owns the
// record (it arrives as a std::unique_ptr). Model pointers in a record are valid only during the
// callback.
class CCallBackInfo
{
public:
    CCallBackInfo() = default;
    virtual ~CCallBackInfo() = default;

    CCallBackInfo(const CCallBackInfo&) = delete;
    CCallBackInfo& operator=(const CCallBackInfo&) = delete;
};
