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
