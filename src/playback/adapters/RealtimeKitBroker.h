#pragma once
// Real-time scheduling for ordinary desktop users: asks the RealtimeKit
// service (org.freedesktop.RealtimeKit1) on the system bus, through libdbus.
#include "playback/ThreadPriority.h"

namespace quorvel {

class RealtimeKitBroker : public RealtimeBroker {
 public:
  // False when there is no system bus, no service, or the service refuses.
  bool makeThreadRealtime(long threadId, int priority) override;
};

}  // namespace quorvel
