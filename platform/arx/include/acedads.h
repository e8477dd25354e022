#pragma once
// Editor calls that act on the drawing: selection sets, coordinate
// conversion, system variables, commands and the colour table.
#include "acdb.h"
#include "adslib.h"

// Selection. `str` is the option: "_C" (crossing window through pt1 and pt2,
// points in world coordinates) or "_:S" (one pick by the user).
int acedSSGet(const ACHAR* str, const void* pt1, const void* pt2, const struct resbuf* filter, ads_name ss);
int acedSSLength(const ads_name ss, long* len);
int acedSSName(const ads_name ss, long i, ads_name entres);
// Adds `ename` to `ss` (or makes a new set with it, or an empty one, when null).
int acedSSAdd(const ads_name ename, const ads_name ss, ads_name result);
int acedSSFree(const ads_name ss);

// Converts a point (disp 0) or a displacement (disp 1) between coordinate
// systems: RTSHORT 0 world, 1 user (= world here), 2 display; or RTENAME for
// an entity's own system (= world for the flat entities here).
int acedTrans(const ads_point pt, const struct resbuf* from, const struct resbuf* to, int disp, ads_point result);

// System variables. Strings handed out in `result` are released with acutRelRb
// or free().
int acedGetVar(const ACHAR* sym, struct resbuf* result);
int acedSetVar(const ACHAR* sym, const struct resbuf* val);

// Runs a command from (type, value) pairs ended by RTNONE or 0, e.g.
// acedCommand(RTSTR, "_.DRAWORDER", RTENAME, ent, RTSTR, "", RTSTR, "_b", RTNONE).
int acedCommand(int rtype, ...);

// The RGB value of an ACI colour index (0..255) as a Windows COLORREF:
// red in the low byte (0x000000FF is pure red). -1 for an index out of range.
Adesk::Int32 acedGetRGB(int color);
