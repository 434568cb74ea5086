#include "link/LinkProtocol.h"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <semaphore.h>

#include "link/SharedMemoryLink.h"

namespace {

bool Finite(float v) { return std::isfinite(v); }

// Waits for the semaphore until the deadline, through signals.
bool Acquire(sem_t* s, int timeoutMs) {
  timespec deadline{};
  clock_gettime(CLOCK_REALTIME, &deadline);
  const long long ns = deadline.tv_nsec + static_cast<long long>(timeoutMs < 0 ? 0 : timeoutMs) * 1000000LL;
  deadline.tv_sec += static_cast<time_t>(ns / 1000000000LL);
  deadline.tv_nsec = static_cast<long>(ns % 1000000000LL);
  while (sem_timedwait(s, &deadline) != 0)
    if (errno != EINTR) return false;
  return true;
}

// Held by the viewer, a binary semaphore stands at 0. More means posts
// without a wait (a controller's stray post, or a holder taken for dead
// that gave back what it held after all); taken back, so that never more
// than one side is inside.
void KeepBinary(sem_t* s) {
  int v = 0;
  while (sem_getvalue(s, &v) == 0 && v > 0 && sem_trywait(s) == 0) {
  }
}

constexpr size_t kSequenceAt = offsetof(tessaly_link_controller, sequence);
constexpr size_t kSequenceEndAt = offsetof(tessaly_link_controller, sequence_end);

// The write counters, the end first: a write that begins between the two
// reads shows as a difference. seq[0] sequence, seq[1] sequence_end.
bool ReadSequences(const SharedMemoryLink& link, uint32_t* seq) {
  return link.ReadBlock(kSequenceEndAt, &seq[1], sizeof seq[1]) &&
         link.ReadBlock(kSequenceAt, &seq[0], sizeof seq[0]);
}

}  // namespace

std::string LinkStatusText(LinkStatus s) {
  switch (s) {
    case LinkStatus::Applied: return "Link: the controller's block is applied.";
    case LinkStatus::NoMagic: return "Link: no controller protocol in the block.";
    case LinkStatus::TooSmall: return "Link: the block is too small for the controller protocol; ignored.";
    case LinkStatus::Busy: return "Link: the controller holds the mutex; the block was not read.";
    case LinkStatus::WrongVersion: return "Link: the controller's protocol version is not 1; its block is ignored.";
    case LinkStatus::Torn: return "Link: a torn controller block (sequence numbers differ) was ignored.";
    case LinkStatus::BadValue: return "Link: a controller block with a value that is not a number was ignored.";
    case LinkStatus::BadRecord:
      return "Link: a controller block naming a record outside 0..999 was ignored.";
    case LinkStatus::BadCount: return "Link: a controller block with more than 256 overrides was ignored.";
    case LinkStatus::Shrunk:
      return "Link: the block became too small (a controller cut it); the link is off.";
    case LinkStatus::MutexReleased:
      return "Link: the mutex stayed taken as if its holder had ended; the viewer released it.";
  }
  return "Link: unknown state.";
}

LinkStatus ValidateLinkCommand(const tessaly_link_controller& c) {
  if (c.sequence != c.sequence_end) return LinkStatus::Torn;
  if (c.override_count > TESSALY_LINK_MAX_OVERRIDES) return LinkStatus::BadCount;
  for (float j : c.joints)
    if (!Finite(j)) return LinkStatus::BadValue;
  for (const tessaly_link_robot& r : c.robot)
    for (float v : {r.r1, r.r2, r.z, r.t, r.x, r.rt1, r.rt2})
      if (!Finite(v)) return LinkStatus::BadValue;
  for (uint32_t i = 0; i < c.override_count; ++i) {
    const tessaly_link_override& o = c.overrides[i];
    if (o.record < 0 || o.record >= TESSALY_LINK_RECORDS) return LinkStatus::BadRecord;
    for (float v : {o.x, o.y, o.z, o.ang[0], o.ang[1], o.ang[2]})
      if (!Finite(v)) return LinkStatus::BadValue;
  }
  return LinkStatus::Applied;
}

LinkStatus ExchangeLinkBlock(SharedMemoryLink& link, int timeoutMs, const LinkViewerReport& report,
                             LinkCommand* command) {
  const size_t size = link.MappedSize();
  if (!link.IsOpen() || size < sizeof(uint32_t)) return LinkStatus::NoMagic;
  // The size the block had when the link was opened is what both sides
  // went by; a controller that has cut it since (ftruncate, O_TRUNC) has
  // left the protocol, whatever remains in it.
  if (link.CurrentSize() < size) return LinkStatus::Shrunk;
  // A block nobody has written the magic into is not looked at further:
  // no wait, no write.
  uint32_t magic = 0;
  if (!link.ReadBlock(0, &magic, sizeof magic)) return LinkStatus::Shrunk;
  if (magic != TESSALY_LINK_MAGIC) return LinkStatus::NoMagic;
  if (size < TESSALY_LINK_VIEWER_OFFSET + sizeof(tessaly_link_viewer)) return LinkStatus::TooSmall;
  auto* sem = static_cast<sem_t*>(link.Semaphore());
  if (!sem || !Acquire(sem, timeoutMs)) return LinkStatus::Busy;
  KeepBinary(sem);

  // Copy first, check afterwards: the controller may write again the
  // moment the semaphore is given back. The counters are read before and
  // after the copy as well: a controller that writes without the
  // semaphore (or whose semaphore was released as stale) may begin and
  // end a write while the copy is taken, and the copy's own pair can then
  // look whole over a body half old, half new.
  tessaly_link_controller copy;
  uint32_t before[2] = {0, 0}, after[2] = {0, 0};
  if (!ReadSequences(link, before) || !link.ReadBlock(0, &copy, sizeof copy) || !ReadSequences(link, after)) {
    sem_post(sem);
    return LinkStatus::Shrunk;
  }
  LinkStatus status = LinkStatus::WrongVersion;
  if (copy.magic == TESSALY_LINK_MAGIC && copy.version == TESSALY_LINK_VERSION) {
    const bool steady = before[0] == before[1] && after[0] == before[0] && after[1] == before[0];
    status = steady ? ValidateLinkCommand(copy) : LinkStatus::Torn;
    // Only a block of our version has our viewer region; another version
    // may keep its own data there.
    tessaly_link_viewer v{};
    v.heartbeat = report.heartbeat;
    v.sequence_seen = status == LinkStatus::Applied ? copy.sequence : report.sequenceSeen;
    switch (status) {
      case LinkStatus::Torn: v.status = TESSALY_LINK_STATUS_TORN; break;
      case LinkStatus::BadValue: v.status = TESSALY_LINK_STATUS_BAD_VALUE; break;
      case LinkStatus::BadRecord: v.status = TESSALY_LINK_STATUS_BAD_RECORD; break;
      case LinkStatus::BadCount: v.status = TESSALY_LINK_STATUS_BAD_COUNT; break;
      default: v.status = TESSALY_LINK_STATUS_APPLIED; break;
    }
    for (int k = 0; k < 3; ++k) v.tool[k] = report.tool[k];
    v.interference = report.interference;
    v.interference_record = report.interference ? report.interferenceRecord : 0;
    v.interference_part = report.interference ? report.interferencePart : 0;
    // A write past the end would grow a block the controller has cut.
    if (link.CurrentSize() < size || !link.WriteBlock(TESSALY_LINK_VIEWER_OFFSET, &v, sizeof v)) {
      sem_post(sem);
      return LinkStatus::Shrunk;
    }
  }
  sem_post(sem);

  if (status == LinkStatus::Applied && command) {
    command->sequence = copy.sequence;
    command->flags = copy.flags;
    command->raw = copy;
  }
  return status;
}

void OverridesOf(const tessaly_link_controller& c, ObjectOverrides& out) {
  for (ObjectOverride& o : out) o.active = false;
  for (uint32_t i = 0; i < c.override_count && i < TESSALY_LINK_MAX_OVERRIDES; ++i) {
    const tessaly_link_override& src = c.overrides[i];
    if (src.record < 0 || src.record >= kObjectCapacity) continue;
    ObjectOverride& o = out[static_cast<size_t>(src.record)];
    o.active = true;
    o.enabled = src.enabled != 0;
    o.X = src.x;
    o.Y = src.y;
    o.Z = src.z;
    for (int k = 0; k < 3; ++k) o.Ang[k] = src.ang[k];
  }
}

LinkSession::LinkSession() : overrides_(std::make_unique<ObjectOverrides>()) {}

void LinkSession::Reset() {
  for (ObjectOverride& o : *overrides_) o.active = false;
  reported_ = LinkStatus::NoMagic;
  busy_ = false;
}

LinkStatus LinkSession::Tick(SharedMemoryLink& link, LinkCommand* command) {
  LinkCommand local;
  LinkCommand* out = command ? command : &local;
  LinkViewerReport sent = report;
  ++sent.heartbeat;
  const LinkStatus s = ExchangeLinkBlock(link, timeoutMs, sent, out);
  if (s == LinkStatus::Busy) {
    const auto now = std::chrono::steady_clock::now();
    if (!busy_) {
      busy_ = true;
      busySince_ = now;
    } else if (now - busySince_ >= std::chrono::milliseconds(staleAfterMs)) {
      // No write holds it this long: its holder ended while holding it.
      // Posted once, for every side that uses it; should the holder give
      // it back after all, the next exchange takes the extra post back.
      busy_ = false;
      if (auto* sem = static_cast<sem_t*>(link.Semaphore())) sem_post(sem);
      return LinkStatus::MutexReleased;
    }
    return s;
  }
  busy_ = false;
  switch (s) {
    case LinkStatus::NoMagic:
      // The controller has gone (or never spoke the protocol): the scene
      // goes back to its stored poses.
      for (ObjectOverride& o : *overrides_) o.active = false;
      return s;
    case LinkStatus::TooSmall:
    case LinkStatus::WrongVersion:
    case LinkStatus::Shrunk:
      return s;  // nothing was written
    default:
      break;
  }
  report.heartbeat = sent.heartbeat;
  if (s == LinkStatus::Applied) {
    report.sequenceSeen = out->sequence;
    OverridesOf(out->raw, *overrides_);
  }
  return s;
}
