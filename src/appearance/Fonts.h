#pragma once

// The windows are laid out for the faces of their design (Tahoma, MS Sans Serif, Arial and
// the SimSun family for Chinese texts) at small fixed sizes. Where a face is not installed,
// Linux would draw a wider one and cut captions off at their edges. These substitutes are of
// the same width or narrower:
//
// - Tahoma: Wine's metric-compatible Tahoma (package fonts-wine), registered with the program
//   when the system does not list it; else Liberation Sans.
// - MS Sans Serif and the dialog faces MS Shell Dlg, MS Shell Dlg 2: Liberation Sans Narrow
//   (package fonts-liberation), so that bold captions fit the room the layouts leave them.
// - Arial: Liberation Sans, metric-compatible.
// - SimSun, NSimSun, SimHei, Microsoft YaHei (also under their Chinese names): WenQuanYi
//   Micro Hei.
// A face that is installed under its own name is always used as it is.

#include <QFont>
#include <QStringList>

// Registers the substitutes with Qt; call once, after the application object exists.
void InstallFontSubstitutes();

// The program's default face: Tahoma at 8 points, as the windows were designed with.
QFont DesignFont();

// Font files that provide Tahoma, searched in this order.
QStringList TahomaFontFiles();
