#pragma once

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
// holding it costs a tick, never the window.

enum class LinkStatus {
  Applied,       // a well-formed write: use it
  NoMagic,       // no controller speaks the protocol: the block is left unread
  TooSmall,      // the block is too short for the layout: left unread
  Busy,          // the semaphore stayed taken for the whole timeout
  WrongVersion,  // magic found, version not ours: nothing read or written
  Torn,          // sequence and sequence_end differ
  BadValue,      // a value that is not a finite number
  BadRecord,     // an override names a record outside 0..999
  BadCount,      // more overrides than the block holds
};

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

// One exchange. view/size: the mapped block; semaphore: the named
// semaphore (sem_t*). Waits at most timeoutMs for the semaphore. Writes the
// viewer's region (report, with status) whenever magic and version match.
LinkStatus ExchangeLinkBlock(void* view, size_t size, void* semaphore, int timeoutMs, const LinkViewerReport& report,
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

  // One tick on a mapped block. On Applied, *command holds the write and
  // Overrides() its poses; on NoMagic the poses are cleared; on any fault
  // they stay as the last good write left them.
  LinkStatus Tick(void* view, size_t size, void* semaphore, LinkCommand* command);

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

 private:
  std::unique_ptr<ObjectOverrides> overrides_;
  LinkStatus reported_ = LinkStatus::NoMagic;
};
