#include "playback/NotePreview.h"

#include <algorithm>
#include <string>

#include "base/Ui.h"
#include "model/Score.h"
#include "playback/MidiMessages.h"

namespace quorvel {

namespace {

constexpr int kMinRecordedSteps = 1;

bool isMonophonic(int mode) { return (mode & kRealtimeMonophonic) != 0; }
bool isRecording(int mode) { return (mode & kRealtimeRecord) != 0; }

}  // namespace

NotePreview::NotePreview(Score& score, Ui& ui, PreviewHooks hooks, PartnerSource* partners)
    : score_(score), ui_(ui), hooks_(std::move(hooks)), partners_(partners) {}

// The step nearest to the cue.
int NotePreview::currentStep() const { return (score_.cueIndicator.load() + 2) / kStepPixels; }

int NotePreview::channelOf(int part) const { return channelOfPart(part); }

void NotePreview::noteOn(int key, int part, int velocity) {
  hooks_.send(packShortMessage(0x90 + channelOf(part), key, velocity));
}

void NotePreview::noteOff(int key, int part) {
  hooks_.send(packShortMessage(0x80 + channelOf(part), key, kPreviewReleaseVelocity));
}

void NotePreview::keyPressed(int offset, int source, int velocity) {
  if (offset == kNoKey) return;
  const int key = score_.keyBase + offset;
  if (key < 0 || key > 127) return;
  if (velocity <= 0) velocity = score_.settings.general.volume;
  {
    std::lock_guard lock(lock_);
    press(key, velocity);
  }
  if (source == kSourceMouse) lastMouseNote_ = key;
  ui_.setStatus(1, "note: " + std::to_string(key));
}

void NotePreview::keyReleased(int offset, int source) {
  int key;
  if (source == kSourceMouse) {
    key = lastMouseNote_;
    lastMouseNote_ = kNoKey;
  } else {
    key = offset == kNoKey ? kNoKey : score_.keyBase + offset;
  }
  if (key == kNoKey) return;
  std::lock_guard lock(lock_);
  release(key);
}

void NotePreview::midiInputMessage(std::uint32_t message) {
  const int kind = statusOf(message) & 0xF0;
  const int offset = data1Of(message) - score_.keyBase;
  const int velocity = data2Of(message);
  if (kind == 0x90 && velocity > 0) {
    keyPressed(offset, kSourceMidiInput, velocity);
  } else if (kind == 0x80 || kind == 0x90) {
    keyReleased(offset, kSourceMidiInput);
  }
}

// Under the preview lock.
void NotePreview::press(int key, int velocity) {
  const int mode = realtimeMode_.load();
  const int part = score_.editPart();
  const bool record = isRecording(mode);
  if (isMonophonic(mode)) {
    const bool same = std::any_of(held_.begin(), held_.end(), [&](const Held& h) { return h.key == key; });
    if (same && !record) return;
    const int step = currentStep();
    for (const Held& h : held_) close(h, step);
    held_.clear();
  } else if (std::any_of(held_.begin(), held_.end(), [&](const Held& h) { return h.key == key && h.part == part; })) {
    return;
  }
  if (record) beginTakeIfFirst();
  sound(key, part, velocity, record);
  if ((mode & kRealtimeOn) && realtimeType_.load() > 0) answerWithPartners(key);
}

void NotePreview::release(int key) {
  auto it = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.key == key; });
  if (it == held_.end()) return;
  close(*it, currentStep());
  held_.erase(it);
}

// Sounds a played key and remembers it (with its recorded note when recording).
void NotePreview::sound(int key, int part, int velocity, bool record) {
  noteOn(key, part, velocity);
  const NoteCode code = record ? makeMelodyNote(currentStep(), key, kMinRecordedSteps, part) : 0;
  held_.push_back({key, part, code});
}

// Sends the note-off and, for a recorded note, fixes its length and keeps it
// for writing: at least one step, at most the longest note.
void NotePreview::close(const Held& h, int step) {
  noteOff(h.key, h.part);
  if (h.recording == 0) return;
  const int length = std::clamp(step - noteStart(h.recording), kMinRecordedSteps, kMaxMelodyLength);
  finished_.push_back(withMelodyLength(h.recording, length));
}

void NotePreview::beginTakeIfFirst() {
  if (realtimeMode_.load() & kRealtimeTakeStarted) return;
  realtimeMode_.fetch_or(kRealtimeTakeStarted);
  if (hooks_.startPlayback) hooks_.startPlayback();
  markModified(score_, ui_);
}

// Partner line k sounds on the channel of part editPart - k; the previous
// answer stops (and is closed when recorded) as the new one starts.
void NotePreview::answerWithPartners(int key) {
  const int count = std::min(realtimeType_.load(), score_.editPart());
  const int step = currentStep();
  releasePartners(step);
  if (!partners_ || count <= 0) return;
  std::array<int, kMaxPartners> pitches{-1, -1, -1};
  partners_->answer(count, key, pitches);
  const bool record = isRecording(realtimeMode_.load());
  for (int k = count; k >= 1; --k) {
    const int pitch = pitches[static_cast<std::size_t>(k - 1)];
    if (pitch <= 0 || pitch > kMaxMelodyKey) continue;
    const int part = score_.editPart() - k;
    noteOn(pitch, part, score_.settings.general.volume);
    partnerNotes_.push_back({pitch, part, record ? makeMelodyNote(step, pitch, kMinRecordedSteps, part) : 0});
  }
}

void NotePreview::releasePartners(int step) {
  for (const Held& h : partnerNotes_) close(h, step);
  partnerNotes_.clear();
}

void NotePreview::closeAll(int step) {
  for (const Held& h : held_) close(h, step);
  held_.clear();
  releasePartners(step);
}

void NotePreview::stopPreviewNote() {
  std::lock_guard lock(lock_);
  closeAll(currentStep());
}

void NotePreview::previewDrum(int lane) {
  if (realtimeMode_.load() != 0 || lane < 1 || lane > 12) return;
  const int key = score_.settings.drums.drumKeys[static_cast<std::size_t>(lane - 1)];
  if (key < 27 || key > 87) return;
  lastDrumKey_ = key;
  hooks_.send(drumHit(key, score_.settings.general.volume));
  ui_.setStatus(1, "note: " + std::to_string(key));
}

void NotePreview::releaseDrum() {
  if (lastDrumKey_ == kNoKey) return;
  hooks_.send(drumRelease(lastDrumKey_));
  lastDrumKey_ = kNoKey;
  ui_.setStatus(1, "");
}

void NotePreview::startRealtime(int type, int mode) {
  std::lock_guard lock(lock_);
  closeAll(currentStep());
  realtimeType_.store(std::clamp(type, 0, kMaxPartners));
  realtimeMode_.store(mode & (kRealtimeOn | kRealtimeRecord | kRealtimeMonophonic));
  if (partners_) partners_->off();
}

void NotePreview::stopRealtime() {
  finishTake();
  std::lock_guard lock(lock_);
  closeAll(currentStep());
  realtimeMode_.store(0);
  realtimeType_.store(0);
  if (partners_) partners_->off();
}

void NotePreview::finishTake() {
  std::lock_guard lock(lock_);
  const int mode = realtimeMode_.load();
  if (!(mode & kRealtimeTakeStarted)) return;
  const int step = currentStep();
  std::vector<Held> keep;
  for (const Held& h : held_) {
    if (h.recording != 0) {
      close(h, step);
    } else {
      keep.push_back(h);
    }
  }
  held_ = std::move(keep);
  releasePartners(step);
  // A key pressed after the take ended starts a new one.
  realtimeMode_.fetch_and(~kRealtimeTakeStarted);
}

void NotePreview::playbackPaused() {
  // Playback that a key press has already restarted belongs to a new take.
  if (score_.hasFlag(kFlagPlaying)) return;
  finishTake();
}

bool NotePreview::writeFinishedNotes() {
  std::vector<NoteCode> notes;
  {
    std::lock_guard lock(lock_);
    notes.swap(finished_);
  }
  for (NoteCode c : notes) addNote(score_, melodyPart(c), c);
  if (!notes.empty()) ui_.redraw(RedrawTarget::Melody);
  return !notes.empty();
}

std::vector<int> NotePreview::soundingKeys() const {
  std::lock_guard lock(lock_);
  std::vector<int> keys;
  for (const Held& h : held_) keys.push_back(h.key);
  return keys;
}

}  // namespace quorvel
