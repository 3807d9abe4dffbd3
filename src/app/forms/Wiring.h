#pragma once

// Where the windows meet. The windows never call each other: each says what it needs by a
// signal or a callback, and these functions connect them once, at the program's start (tests
// wire their windows the same way).

class TCommForm;
class TMainForm;

// The connection window and the main window: the main window's serial component, the status
// panel and the sampling controls the link drives, and the chosen speed.
void ConnectCommAndMain(TCommForm *comm, TMainForm *main);

// Every other meeting of the windows made so far (the globals that are set): the windows the
// main window opens, the replies it hands to the alarm and starting-test windows, the
// calibration window's bandwidth buttons, the record window's report in the print window, and
// the redraws after a colour change. The windows opened are looked up when asked for, so a
// window made later is found too.
void ConnectWindows();
