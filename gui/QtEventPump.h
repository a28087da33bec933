#pragma once

#include "view/EventPump.h"

#include <QCoreApplication>

namespace vorn::gui {

// Lets the window process its pending events once: the link and the sessions call it while they wait,
// so the window keeps painting and takes the operator's keys.
class QtEventPump : public EventPump {
public:
    void ProcessPendingEvents() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }
};

} // namespace vorn::gui
