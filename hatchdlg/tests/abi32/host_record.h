/* The hatch parameter record as a 32-bit host declares it: plain C, every
   field at its byte offset, 2164 bytes. Independent of the library's header. */
#ifndef HOST_RECORD_H
#define HOST_RECORD_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define HOST_STDCALL __attribute__((stdcall))

struct HostRecord;
typedef void(HOST_STDCALL* HostProc)(struct HostRecord* record);
typedef int(HOST_STDCALL* HostDoSchraff)(struct HostRecord* record);

#pragma pack(push, 4)
struct HostRecord {
  uint32_t parentWindow;       /*    0 */
  uint32_t reserved4;          /*    4 */
  int32_t helpEnabled;         /*    8 */
  HostProc helpProc;           /*   12 */
  uint32_t reserved16;         /*   16 */
  int32_t action;              /*   20 */
  int32_t exitReason;          /*   24 */
  uint32_t reserved28;         /*   28 */
  char customPattern[1024];    /*   32 */
  char patternName[1024];      /* 1056 */
  double scale;                /* 2080 */
  double angle;                /* 2088 */
  double spacing;              /* 2096 */
  int32_t patternType;         /* 2104 */
  int32_t doubleHatch;         /* 2108 */
  int32_t associative;         /* 2112 */
  int32_t origin;              /* 2116 */
  const char* const* patternList; /* 2120 */
  int32_t boundaryDefined;     /* 2124 */
  int32_t hatchStyle;          /* 2128 */
  int32_t fromBoundary;        /* 2132 */
  int32_t islandDetection;     /* 2136 */
  int32_t savedHatchStyle;     /* 2140 */
  int32_t savedFromBoundary;   /* 2144 */
  int32_t savedIslandDetection; /* 2148 */
  int32_t newBoundary;         /* 2152 */
  int32_t boundaryCount;       /* 2156 */
  HostProc optionsCancelProc;  /* 2160 */
};
#pragma pack(pop)

#define HOST_UNTOUCHED 0xA5A5A5A5u

/* What the host's callbacks saw. */
struct HostCalls {
  int help;
  int optionsCancel;
  struct HostRecord* lastRecord;
};
extern struct HostCalls hostCalls;

/* A record as a host fills it before the first call: the given pattern type
   and custom pattern, a boundary, the callbacks, marked reserved fields. */
void HostFill(struct HostRecord* record, int patternType, const char* customPattern);
/* Calls DoSchraff; *balanced tells whether the callee removed its argument
   from the stack (the standard Windows convention). */
int HostCall(HostDoSchraff doSchraff, struct HostRecord* record, int* balanced);

#ifdef __cplusplus
}
#endif

#endif
