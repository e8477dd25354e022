#pragma once
// The form toolkit, all units.
#include <System.hpp>
#include <SysUtils.hpp>
#include <Classes.hpp>
#include <Graphics.hpp>
#include <Controls.hpp>
#include <StdCtrls.hpp>
#include <ExtCtrls.hpp>
#include <Forms.hpp>
#include <Dialogs.hpp>
#include <Menus.hpp>
#include <DBCtrls.hpp>
#include <DBGrids.hpp>
#include <IniFiles.hpp>
