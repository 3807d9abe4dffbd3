#include "measure/forms/MainCommands.h"

#include "measure/forms/Main.h"

void RunMainCommand(TMainForm &form, MainCommand command)
{
    // A switch, so that the compiler names a command without its handler.
    using C = MainCommand;
    switch (command) {
    case C::Open:
        return form.SeSkinSpeedButton1Click();
    case C::Save:
        return form.SeSkinSpeedButton2Click();
    case C::Print:
        return form.SeSkinSpeedButton3Click();
    case C::Version:
        return form.SeSkinSpeedButton4Click();
    case C::Record:
        return form.SeSkinSpeedButton5Click();
    case C::HarmonicTable:
        return form.SeSkinSpeedButton6Click();
    case C::Single:
        return form.SeSkinSpeedButton7Click();
    case C::Continuous:
        return form.SeSkinSpeedButton8Click();
    case C::Stop:
        return form.SeSkinSpeedButton9Click();
    case C::StartingTest:
        return form.SeSkinSpeedButton10Click();
    case C::Exit:
        return form.N7Click();
    case C::Communication:
        return form.C1Click();
    case C::Style:
        return form.N9Click();
    case C::Alarm:
        return form.N11Click();
    case C::Calibration:
        return form.N25Click();
    case C::Narrowband:
        return form.N31Click();
    case C::Broadband:
        return form.N32Click();
    case C::Iec:
        return form.IEC2Click();
    case C::Csa:
        return form.CSA1Click();
    case C::Ct:
        return form.N30Click();
    case C::Handbook:
        return form.N23Click();
    case C::WebSite:
        return form.Image1Click();
    case C::ExportCsv:
        return form.ExportCsv1Click();
    case C::Compliance:
        return form.Compliance1Click();
    case C::SetReference:
        return form.SetReference1Click();
    case C::LoadReference:
        return form.LoadReference1Click();
    case C::ClearReference:
        return form.ClearReference1Click();
    case C::Compare:
        return form.Compare1Click();
    case C::None:
        return;
    }
}
