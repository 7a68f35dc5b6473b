#include "playback/OutputDevice.h"

namespace quorvel {

int OutputDevice::open(DeviceCatalog& catalog) {
  std::lock_guard openLock(openMutex_);
  const int count = catalog.deviceCount();
  for (int i = 0; i < count; ++i) {
    if (catalog.deviceName(i) != kBuiltInSynthName) continue;
    // Open before taking the lock: loading a SoundFont takes a while and the
    // old device keeps playing meanwhile.
    std::unique_ptr<MidiOut> opened = catalog.openDevice(i);
    if (!opened) continue;
    std::lock_guard lock(mutex_);
    if (device_) device_->reset();
    device_ = std::move(opened);
    return 0;
  }
  return -1;
}

void OutputDevice::close() {
  std::lock_guard lock(mutex_);
  if (!device_) return;
  device_->reset();
  device_.reset();
}

bool OutputDevice::isOpen() const {
  std::lock_guard lock(mutex_);
  return device_ != nullptr;
}

int OutputDevice::send(std::uint32_t message) {
  std::lock_guard lock(mutex_);
  return device_ ? device_->send(message) : -1;
}

int OutputDevice::sendAt(std::uint32_t message, DueTime due) {
  std::lock_guard lock(mutex_);
  return device_ ? device_->sendAt(message, due) : -1;
}

void OutputDevice::reset() {
  std::lock_guard lock(mutex_);
  if (device_) device_->reset();
}

}  // namespace quorvel
