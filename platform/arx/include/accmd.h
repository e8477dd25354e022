#pragma once
// The editor's command stack: commands registered by applications in named
// groups, looked up by global or local name (letter case does not matter).
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "acdb.h"
#include "rxobject.h"
#include "rxdefs.h"
#include "rxregsvc.h"

#define ACRX_COMMAND_DOCK "ACAD_REGISTERED_COMMANDS"

#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_SESSION 0x00200000

class AcEdUIContext;

class AcEdCommand : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcEdCommand);
  AcRxFunctionPtr functionAddr() const { return m_function; }
  Adesk::Int32 commandFlags() const { return m_flags; }
  const char* globalName() const { return m_globalName.c_str(); }
  const char* localName() const { return m_localName.c_str(); }
  const char* groupName() const { return m_groupName.c_str(); }
  int functionCode() const { return m_functionCode; }
  HINSTANCE resourceHandle() const { return m_resourceHandle; }
  AcEdUIContext* UIContext() const { return m_uiContext; }

 private:
  friend class AcEdCommandStack;
  std::string m_groupName, m_globalName, m_localName;
  Adesk::Int32 m_flags = ACRX_CMD_MODAL;
  AcRxFunctionPtr m_function = nullptr;
  AcEdUIContext* m_uiContext = nullptr;
  int m_functionCode = -1;
  HINSTANCE m_resourceHandle = nullptr;
  void* m_owner = nullptr;  // the application that added it
};

class AcEdCommandStack : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcEdCommandStack);

  // eDuplicateKey when the group already holds the global name; eInvalidInput
  // for an empty group, name or a null function.
  Acad::ErrorStatus addCommand(const char* cmdGroupName, const char* cmdGlobalName,
                               const char* cmdLocalName, Adesk::Int32 commandFlags,
                               AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext = nullptr,
                               int fcode = -1, HINSTANCE hResourceHandle = nullptr,
                               AcEdCommand** cmdPtr = nullptr);
  // The command of that global (or local) name in any group, nullptr when none.
  AcEdCommand* lookupCmd(const char* cmdName, bool globalFlag, bool allGroupsFlag = false,
                         bool skipUndefed = false) const;
  Acad::ErrorStatus removeCmd(const char* cmdGroupName, const char* cmdGlobalName);
  // eKeyNotFound when no command of the group exists.
  Acad::ErrorStatus removeGroup(const char* groupName);

  // Stand-in extras: commands added by the application `owner` (its appId),
  // removed when the application goes away.
  void removeCommandsOf(void* owner);
  void* ownerOf(const AcEdCommand* command) const;

 private:
  std::vector<std::unique_ptr<AcEdCommand>> m_commands;  // in the order added
};

#define acedRegCmds AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK))
