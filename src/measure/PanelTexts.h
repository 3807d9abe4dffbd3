#pragma once

// Texts of the fifteen value panels of the main window.

#include "measure/MeasurementRecord.h"

#include <QString>

#include <array>

enum PanelIndex {
    Panel_URMS,
    Panel_IRMS,
    Panel_UPP,
    Panel_IPP,
    Panel_UF,
    Panel_IPA,
    Panel_WRMS,
    Panel_PS,
    Panel_PQ,
    Panel_PF,
    Panel_VTHD,
    Panel_ITHD,
    PANEL_IKF,
    Panel_VKF,
    Panel_KWH,
    PanelCount
};

std::array<QString, PanelCount> PanelTexts(const MeasurementRecord &record); // table order

// The text `panel` shows for `value` (VTHD and ITHD: the fraction, shown in percent), with
// or without the panel's suffix. Other windows that show these values use it too.
QString PanelValueText(PanelIndex panel, double value, bool withSuffix = true);
