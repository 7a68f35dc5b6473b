#include "playback/adapters/RealtimeKitBroker.h"

#include <dbus/dbus.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace quorvel {

namespace {

constexpr char kService[] = "org.freedesktop.RealtimeKit1";
constexpr char kPath[] = "/org/freedesktop/RealtimeKit1";
// A missing or stuck service must not hold up the player thread for long.
constexpr int kReplyTimeoutMs = 500;

class Connection {
 public:
  Connection() {
    DBusError error;
    dbus_error_init(&error);
    bus_ = dbus_bus_get_private(DBUS_BUS_SYSTEM, &error);
    dbus_error_free(&error);
    if (bus_ != nullptr) dbus_connection_set_exit_on_disconnect(bus_, FALSE);
  }
  ~Connection() {
    if (bus_ == nullptr) return;
    dbus_connection_close(bus_);
    dbus_connection_unref(bus_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  explicit operator bool() const { return bus_ != nullptr; }

  // Sends the call (consumed) and answers the reply, or null on error.
  DBusMessage* call(DBusMessage* message) {
    if (message == nullptr) return nullptr;
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(bus_, message, kReplyTimeoutMs, &error);
    dbus_message_unref(message);
    dbus_error_free(&error);
    return reply;
  }

 private:
  DBusConnection* bus_ = nullptr;
};

// One integer property of the service (Int32 or Int64).
std::optional<std::int64_t> integerProperty(Connection& bus, const char* name) {
  DBusMessage* message = dbus_message_new_method_call(kService, kPath, "org.freedesktop.DBus.Properties", "Get");
  if (message == nullptr) return std::nullopt;
  const char* interface = kService;
  dbus_message_append_args(message, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID);
  DBusMessage* reply = bus.call(message);
  if (reply == nullptr) return std::nullopt;
  std::optional<std::int64_t> value;
  DBusMessageIter top;
  DBusMessageIter variant;
  if (dbus_message_iter_init(reply, &top) && dbus_message_iter_get_arg_type(&top) == DBUS_TYPE_VARIANT) {
    dbus_message_iter_recurse(&top, &variant);
    const int type = dbus_message_iter_get_arg_type(&variant);
    if (type == DBUS_TYPE_INT32) {
      dbus_int32_t v = 0;
      dbus_message_iter_get_basic(&variant, &v);
      value = v;
    } else if (type == DBUS_TYPE_INT64) {
      dbus_int64_t v = 0;
      dbus_message_iter_get_basic(&variant, &v);
      value = v;
    }
  }
  dbus_message_unref(reply);
  return value;
}

// The service grants only to processes that bound their real-time CPU time.
bool boundRealtimeCpuTime(std::int64_t microseconds) {
  rlimit limit{};
  if (getrlimit(RLIMIT_RTTIME, &limit) != 0) return false;
  const auto wanted = static_cast<rlim_t>(microseconds);
  if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max <= wanted && limit.rlim_cur <= wanted) return true;
  limit.rlim_cur = wanted;
  limit.rlim_max = wanted;
  return setrlimit(RLIMIT_RTTIME, &limit) == 0;
}

}  // namespace

bool RealtimeKitBroker::makeThreadRealtime(long threadId, int priority) {
  Connection bus;
  if (!bus) return false;
  const std::optional<std::int64_t> maxPriority = integerProperty(bus, "MaxRealtimePriority");
  const std::optional<std::int64_t> rtTime = integerProperty(bus, "RTTimeUSecMax");
  if (!maxPriority || !rtTime || *maxPriority < 1 || !boundRealtimeCpuTime(*rtTime)) return false;

  DBusMessage* message = dbus_message_new_method_call(kService, kPath, kService, "MakeThreadRealtime");
  if (message == nullptr) return false;
  const dbus_uint64_t thread = static_cast<dbus_uint64_t>(threadId);
  const dbus_uint32_t granted = static_cast<dbus_uint32_t>(std::min<std::int64_t>(priority, *maxPriority));
  dbus_message_append_args(message, DBUS_TYPE_UINT64, &thread, DBUS_TYPE_UINT32, &granted, DBUS_TYPE_INVALID);
  DBusMessage* reply = bus.call(message);
  if (reply == nullptr) return false;
  const bool ok = dbus_message_get_type(reply) == DBUS_MESSAGE_TYPE_METHOD_RETURN;
  dbus_message_unref(reply);
  return ok;
}

}  // namespace quorvel
