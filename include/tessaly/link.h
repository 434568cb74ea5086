/*
 * Tessaly controller link: the layout of the shared 316,000-byte block.
 *
 * A controller process drives the viewer's picture by writing the
 * controller region at offset 0 of the shared-memory object "SHAREMEM"
 * while it holds the named semaphore "MUTEX" (POSIX: shm_open("/SHAREMEM"),
 * sem_open("/MUTEX"), a binary semaphore that starts at 1). The viewer reads
 * the block on every tick of its link timer, under the same semaphore, and
 * writes its own region at TESSALY_LINK_VIEWER_OFFSET.
 *
 * The viewer uses the block only when magic and version at offset 0 are
 * these; a block without the magic is left untouched. A write is applied
 * as a whole or not at all: a block whose sequence and sequence_end differ
 * (torn), whose version differs, that holds a value that is not a finite
 * number or names a record outside 0..999 is ignored and reported.
 *
 * Plain C (C99 and later, C++); little-endian, fields naturally aligned.
 * See docs/link-protocol.md.
 */
#ifndef TESSALY_LINK_H
#define TESSALY_LINK_H

#include <stdint.h>

#define TESSALY_LINK_MAGIC 0x4B4C5354u /* the bytes "TSLK" */
#define TESSALY_LINK_VERSION 1u
#define TESSALY_LINK_BLOCK_SIZE 316000u
#define TESSALY_LINK_MAX_OVERRIDES 256u
#define TESSALY_LINK_RECORDS 1000
#define TESSALY_LINK_VIEWER_OFFSET 16384u

/* tessaly_link_controller.flags: which parts of the write drive the
   picture. A part whose flag is clear is left as the viewer has it. */
#define TESSALY_LINK_ARM 0x1u  /* joints[] set the arm */
#define TESSALY_LINK_RBT1 0x2u /* robot[0] sets the RBT1 panel */
#define TESSALY_LINK_RBT2 0x4u /* robot[1] sets the RBT2 panel */

/* tessaly_link_robot.wafer */
#define TESSALY_LINK_WAFER_HAND1 0x1u
#define TESSALY_LINK_WAFER_HAND2 0x2u

/* tessaly_link_viewer.status: what the viewer made of the last write. */
#define TESSALY_LINK_STATUS_APPLIED 0u
#define TESSALY_LINK_STATUS_TORN 1u
#define TESSALY_LINK_STATUS_BAD_VALUE 2u
#define TESSALY_LINK_STATUS_BAD_RECORD 3u
#define TESSALY_LINK_STATUS_BAD_COUNT 4u

/* The axes of one transfer-robot panel, in the panel's own units. Scene
   robots that follow the panel (their Opt[8] is 1 or 2) draw with them. */
typedef struct tessaly_link_robot {
  float r1, r2;   /* arm extension: 0 folded, 1 stretched */
  float z;        /* lift, robot units: 0 .. 0.15 */
  float t;        /* turn of the arm unit, degrees */
  float x;        /* travel, scene units */
  float rt1, rt2; /* turns of the twin hand's two hands, degrees */
  uint32_t wafer; /* TESSALY_LINK_WAFER_HAND1 | TESSALY_LINK_WAFER_HAND2 */
} tessaly_link_robot;

/* Places (or hides) one object of the scene table for as long as the
   controller keeps sending it; the stored scene is not changed. */
typedef struct tessaly_link_override {
  int32_t record;  /* 0 .. 999 */
  int32_t enabled; /* 0 hidden, otherwise drawn */
  float x, y, z;   /* scene position */
  float ang[3];    /* the object's Ang[0..2], degrees */
} tessaly_link_override;

/* Written by the controller, at offset 0. */
typedef struct tessaly_link_controller {
  uint32_t magic;    /* TESSALY_LINK_MAGIC */
  uint32_t version;  /* TESSALY_LINK_VERSION */
  uint32_t sequence; /* raised by one when a write begins */
  uint32_t flags;    /* TESSALY_LINK_ARM | _RBT1 | _RBT2 */
  float joints[6];   /* J1 .. J6 of the arm, degrees */
  tessaly_link_robot robot[2]; /* RBT1, RBT2 */
  uint32_t override_count;     /* 0 .. TESSALY_LINK_MAX_OVERRIDES */
  uint32_t reserved;
  tessaly_link_override overrides[TESSALY_LINK_MAX_OVERRIDES];
  uint32_t sequence_end; /* set equal to sequence when the write is done */
  uint32_t reserved_end;
} tessaly_link_controller;

/* Written by the viewer, at TESSALY_LINK_VIEWER_OFFSET, on every tick it
   finds the magic and version. */
typedef struct tessaly_link_viewer {
  uint32_t heartbeat;     /* raised by one on every such tick */
  uint32_t sequence_seen; /* sequence of the last write applied */
  uint32_t status;        /* TESSALY_LINK_STATUS_ of this tick's write */
  uint32_t reserved;
  float tool[3]; /* the arm's tool point, scene x, y, z, of the last frame */
  /* The interference check (View > Check Interference); all 0 while it is
     off or finds nothing. */
  uint32_t interference;        /* 1 while something touches */
  int32_t interference_record;  /* the object touched (0 .. 999) */
  int32_t interference_part;    /* the arm link touching: 0 base, 1..5 the
                                   J1..J5 links, 6 the flange; or 1000 + the
                                   record of a transfer robot whose hand or
                                   wafer touches */
} tessaly_link_viewer;

#ifdef __cplusplus
static_assert(sizeof(tessaly_link_controller) <= TESSALY_LINK_VIEWER_OFFSET, "controller region overlaps");
static_assert(TESSALY_LINK_VIEWER_OFFSET + sizeof(tessaly_link_viewer) <= TESSALY_LINK_BLOCK_SIZE,
              "viewer region outside the block");
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
_Static_assert(sizeof(tessaly_link_controller) <= TESSALY_LINK_VIEWER_OFFSET, "controller region overlaps");
_Static_assert(TESSALY_LINK_VIEWER_OFFSET + sizeof(tessaly_link_viewer) <= TESSALY_LINK_BLOCK_SIZE,
               "viewer region outside the block");
#endif

#endif /* TESSALY_LINK_H */
