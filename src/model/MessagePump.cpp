#include "model/MessagePump.h"

#include "platform/WindowServices.h"

#include <QCoreApplication>

namespace pelko_wave {

bool PumpMessages()
{
    GetWindowServices().PumpMessages();
    return !QCoreApplication::closingDown();
}

} // namespace pelko_wave
