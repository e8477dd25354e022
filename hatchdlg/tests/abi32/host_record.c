#include "host_record.h"

#include <string.h>

_Static_assert(offsetof(struct HostRecord, helpProc) == 12, "helpProc");
_Static_assert(offsetof(struct HostRecord, customPattern) == 32, "customPattern");
_Static_assert(offsetof(struct HostRecord, patternName) == 1056, "patternName");
_Static_assert(offsetof(struct HostRecord, scale) == 2080, "scale");
_Static_assert(offsetof(struct HostRecord, patternList) == 2120, "patternList");
_Static_assert(offsetof(struct HostRecord, optionsCancelProc) == 2160, "optionsCancelProc");
_Static_assert(sizeof(struct HostRecord) == 2164, "size");

struct HostCalls hostCalls;

static const char* const kPatterns[] = {"ANSI31", "ANSI37", "ESCHER", NULL};

static void HOST_STDCALL HostHelp(struct HostRecord* record) {
  ++hostCalls.help;
  hostCalls.lastRecord = record;
}

static void HOST_STDCALL HostOptionsCancelled(struct HostRecord* record) {
  ++hostCalls.optionsCancel;
  hostCalls.lastRecord = record;
}

void HostFill(struct HostRecord* record, int patternType, const char* customPattern) {
  size_t length;
  memset(record, 0, sizeof *record);
  memset(&hostCalls, 0, sizeof hostCalls);
  record->reserved4 = record->reserved16 = record->reserved28 = HOST_UNTOUCHED;
  record->helpEnabled = 1;
  record->helpProc = HostHelp;
  record->optionsCancelProc = HostOptionsCancelled;
  length = strlen(customPattern);
  memcpy(record->customPattern, customPattern,
         length < sizeof record->customPattern ? length : sizeof record->customPattern);
  record->scale = 2.5;
  record->angle = 30.0;
  record->spacing = 1.0;
  record->patternType = patternType;
  record->associative = 1;
  record->patternList = kPatterns;
  record->boundaryDefined = 1;
  record->boundaryCount = 2;
  record->hatchStyle = 0;
  record->fromBoundary = 1;
  record->islandDetection = 1;
  record->savedHatchStyle = 2;
  record->savedFromBoundary = 0;
  record->savedIslandDetection = 0;
}

int HostCall(HostDoSchraff doSchraff, struct HostRecord* record, int* balanced) {
  uintptr_t before, after;
  int result;
  __asm__ volatile("movl %%esp, %0" : "=r"(before) : : "memory");
  result = doSchraff(record);
  __asm__ volatile("movl %%esp, %0" : "=r"(after) : : "memory");
  *balanced = before == after;
  return result;
}
