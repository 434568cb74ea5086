#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "objects/EffectiveRecord.h"
#include "tessaly/link.h"

// The viewer's side of the controller protocol (include/tessaly/link.h):
// one exchange per link-timer tick. The controller's region is copied out
// while the named semaphore is held, and only then checked, so a write is
// applied whole or not at all; the viewer's region is written in the same
// hold. Waiting for the semaphore is bounded, so a controller that died
// holding it costs a tick, never the window; and a semaphore that stays
// taken for kLinkStaleMutexMs is released (LinkSession), so such a death
// does not block the link for good. The block is read and written through
// its descriptor (SharedMemoryLink::ReadBlock), so a controller that
// shrinks it stops the link instead of killing the viewer.

class SharedMemoryLink;

enum class LinkStatus {
  Applied,        // a well-formed write: use it
  NoMagic,        // no controller speaks the protocol: the block is left unread
  TooSmall,       // the block is too short for the layout: left unread
  Busy,           // the semaphore stayed taken for the whole timeout
  WrongVersion,   // magic found, version not ours: nothing read or written
  Torn,           // sequence and sequence_end differ, or moved while the copy was taken
  BadValue,       // a value that is not a finite number
  BadRecord,      // an override names a record outside 0..999
  BadCount,       // more overrides than the block holds
  Shrunk,         // the block is now smaller than when the link was opened: stop the link
  MutexReleased,  // the semaphore stayed taken kLinkStaleMutexMs and was released
};

// How long the semaphore may stay taken before its holder is taken for a
// controller that ended while holding it. A controller keeps it only for
// the copy of one write, microseconds; 3 s is no write.
constexpr int kLinkStaleMutexMs = 3000;

// One line for the status bar ("Link: ...").
std::string LinkStatusText(LinkStatus s);

// A checked controller write.
struct LinkCommand {
  uint32_t sequence = 0;
  uint32_t flags = 0;
  tessaly_link_controller raw{};  // the copy, as the controller wrote it
};

constexpr int32_t kLinkPartRobotBase = 1000;

// What the viewer reports back.
struct LinkViewerReport {
  uint32_t heartbeat = 0;
  uint32_t sequenceSeen = 0;
  float tool[3] = {0, 0, 0};  // scene x, y, z
  // Filled by the interference check; 0 while it is off.
  uint32_t interference = 0;
  int32_t interferenceRecord = 0;
  // The arm's link (0 base, 1..5 the J1..J5 links, 6 the flange), or
  // kLinkPartRobotBase + the record of a transfer robot whose hand or wafer
  // touches.
  int32_t interferencePart = 0;
};

// One exchange on an open link. Waits at most timeoutMs for the
// semaphore. Writes the viewer's region (report, with status) whenever
// magic and version match. A copy is accepted only when the sequence
// counters are equal and unchanged before and after it was taken.
LinkStatus ExchangeLinkBlock(SharedMemoryLink& link, int timeoutMs, const LinkViewerReport& report,
                             LinkCommand* command);

// Checks a copied controller region (magic and version already matched).
LinkStatus ValidateLinkCommand(const tessaly_link_controller& c);

// The overrides of a checked write: every record not named goes back to
// its stored pose.
void OverridesOf(const tessaly_link_controller& c, ObjectOverrides& out);

// The viewer's protocol state across ticks.
class LinkSession {
 public:
  LinkSession();

  // One tick on an open link. On Applied, *command holds the write and
  // Overrides() its poses; on NoMagic the poses are cleared; on any fault
  // they stay as the last good write left them. On Shrunk the caller
  // closes the link. A semaphore found taken on every tick for
  // staleAfterMs is posted once (MutexReleased).
  LinkStatus Tick(SharedMemoryLink& link, LinkCommand* command);

  // True once for each run of a fault: the first tick of it (and the
  // first good tick after one) should be reported, the rest not.
  bool ShouldReport(LinkStatus s) const { return s != reported_; }
  void MarkReported(LinkStatus s) { reported_ = s; }

  const ObjectOverrides& Overrides() const { return *overrides_; }
  // Back to no controller: poses cleared, nothing reported.
  void Reset();

  // Tool point and interference state sent on the next tick.
  LinkViewerReport report;
  int timeoutMs = 20;
  int staleAfterMs = kLinkStaleMutexMs;

 private:
  std::unique_ptr<ObjectOverrides> overrides_;
  bool busy_ = false;  // the semaphore was taken on every tick since busySince_
  std::chrono::steady_clock::time_point busySince_;
  LinkStatus reported_ = LinkStatus::NoMagic;
};
