#pragma once

// How the connection window and the main window meet: the main window's serial component,
// the status panel and the sampling controls the link drives, the chosen speed, and the
// Communication command. Program start wires them once; tests wire their windows the same way.

class TCommForm;
class TMainForm;

void ConnectCommAndMain(TCommForm *comm, TMainForm *main);
