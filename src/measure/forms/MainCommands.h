#pragma once

// The main window's commands: the handler each menu item and tool button runs.

#include "measure/MainControls.h"

class TMainForm;

// Runs the handler of `command` on `form`; MainCommand::None runs nothing.
void RunMainCommand(TMainForm &form, MainCommand command);
