// The command stack and running commands by name.
#include <algorithm>

#include "accmd.h"
#include "arx/host.h"
#include "arx/journal.h"
#include "rx/app_table.h"
#include "rx/failures.h"
#include "rx/names.h"

using arx::detail::sameName;

namespace {

bool isBlank(const char* text) { return text == nullptr || *text == '\0'; }

}  // namespace

ACRX_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject)
ACRX_DEFINE_MEMBERS(AcEdCommand, AcRxObject)

Acad::ErrorStatus AcEdCommandStack::addCommand(const char* cmdGroupName, const char* cmdGlobalName,
                                               const char* cmdLocalName, Adesk::Int32 commandFlags,
                                               AcRxFunctionPtr functionAddr,
                                               AcEdUIContext* UIContext, int fcode,
                                               HINSTANCE hResourceHandle, AcEdCommand** cmdPtr) {
  arx::journal().add(std::string("addCommand ") + (cmdGroupName ? cmdGroupName : "") + " " +
                     (cmdGlobalName ? cmdGlobalName : ""));
  if (isBlank(cmdGroupName) || isBlank(cmdGlobalName) || functionAddr == nullptr) {
    return Acad::eInvalidInput;
  }
  if (arx::detail::consumeFailure("addCommand")) return Acad::eOutOfMemory;
  for (const auto& existing : m_commands) {
    if (sameName(existing->m_groupName, cmdGroupName) && sameName(existing->m_globalName, cmdGlobalName)) {
      return Acad::eDuplicateKey;
    }
  }
  auto command = std::make_unique<AcEdCommand>();
  command->m_groupName = cmdGroupName;
  command->m_globalName = cmdGlobalName;
  command->m_localName = isBlank(cmdLocalName) ? cmdGlobalName : cmdLocalName;
  command->m_flags = commandFlags;
  command->m_function = functionAddr;
  command->m_uiContext = UIContext;
  command->m_functionCode = fcode;
  command->m_resourceHandle = hResourceHandle;
  command->m_owner = arx::detail::currentApplication();
  if (cmdPtr != nullptr) *cmdPtr = command.get();
  m_commands.push_back(std::move(command));
  return Acad::eOk;
}

AcEdCommand* AcEdCommandStack::lookupCmd(const char* cmdName, bool globalFlag, bool /*allGroupsFlag*/,
                                         bool /*skipUndefed*/) const {
  if (isBlank(cmdName)) return nullptr;
  // The newest definition of a name wins, as the top of a stack.
  for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it) {
    const std::string& name = globalFlag ? (*it)->m_globalName : (*it)->m_localName;
    if (sameName(name, cmdName)) return it->get();
  }
  return nullptr;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const char* cmdGroupName, const char* cmdGlobalName) {
  arx::journal().add(std::string("removeCmd ") + (cmdGroupName ? cmdGroupName : "") + " " +
                     (cmdGlobalName ? cmdGlobalName : ""));
  if (isBlank(cmdGroupName) || isBlank(cmdGlobalName)) return Acad::eInvalidInput;
  const auto before = m_commands.size();
  std::erase_if(m_commands, [&](const auto& command) {
    return sameName(command->m_groupName, cmdGroupName) && sameName(command->m_globalName, cmdGlobalName);
  });
  return m_commands.size() < before ? Acad::eOk : Acad::eKeyNotFound;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const char* groupName) {
  arx::journal().add(std::string("removeGroup ") + (groupName ? groupName : ""));
  if (isBlank(groupName)) return Acad::eInvalidInput;
  if (arx::detail::consumeFailure("removeGroup")) return Acad::eInvalidInput;
  const auto before = m_commands.size();
  std::erase_if(m_commands, [&](const auto& command) { return sameName(command->m_groupName, groupName); });
  return m_commands.size() < before ? Acad::eOk : Acad::eKeyNotFound;
}

void AcEdCommandStack::removeCommandsOf(void* owner) {
  std::erase_if(m_commands, [&](const auto& command) { return command->m_owner == owner; });
}

void* AcEdCommandStack::ownerOf(const AcEdCommand* command) const {
  return command ? command->m_owner : nullptr;
}

namespace arx {

bool runCommand(const std::string& name) {
  auto* commands = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
  const AcEdCommand* command = commands->lookupCmd(name.c_str(), true);
  if (command == nullptr) command = commands->lookupCmd(name.c_str(), false);
  if (command == nullptr) return false;
  journal().add(std::string("runCommand ") + command->globalName());
  auto* owner = detail::findApplication(commands->ownerOf(command));
  detail::RunningApplication running(owner);
  command->functionAddr()();
  return true;
}

}  // namespace arx
