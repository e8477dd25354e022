#pragma once
// Result buffers and the utility calls around them (acut*): the values that
// travel between LISP, the editor and the modules.
#include <cstdint>

#include "acdb.h"

namespace Adesk {
typedef std::intptr_t LongPtr;
}

typedef double ads_real;
typedef ads_real ads_point[3];
typedef Adesk::LongPtr ads_name[2];
typedef ads_real ads_matrix[4][4];

// Status codes of the editor calls.
#define RTNONE 5000
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RTPICKS 5007
#define RTORINT 5008
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTDOTE 5018
#define RTNIL 5019
#define RTDXF0 5020
#define RTT 5021
#define RTRESBUF 5023

// What a function registered with acedRegFunc returns.
#define RSRSLT 1
#define RSERR 3

#define RTNORM 5100
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTREJ (-5003)
#define RTFAIL (-5004)
#define RTKWORD (-5005)

struct ads_binary {
  short clen;
  char* buf;
};

union ads_u_val {
  ads_real rreal;
  ads_real rpoint[3];
  short rint;
  char* rstring;
  Adesk::Int32 rlong;
  Adesk::LongPtr rlname[2];
  Adesk::Int64 mnInt64;
  struct ads_binary rbinary;
  unsigned char ihandle[8];
};

struct resbuf {
  struct resbuf* rbnext;
  short restype;
  union ads_u_val resval;
};

// Builds a list from (type, value) pairs ended by 0. Strings are copied.
// Returns nullptr when a type is unknown or memory runs out.
struct resbuf* acutBuildList(int rtype, ...);
// A new node of type `rtype` with an empty value; release with acutRelRb.
struct resbuf* acutNewRb(int rtype);
// Releases a whole list, strings included. Always RTNORM.
int acutRelRb(struct resbuf* rb);
// printf-style text on the command line.
int acutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A copy of `text` that acutRelRb may release as a node's string.
int acutNewString(const char* text, char*& copy);
