#include "measure/forms/MainCommands.h"

#include "measure/forms/Main.h"

void RunMainCommand(TMainForm &form, MainCommand command)
{
    // In the order of MainCommand.
    static constexpr void (TMainForm::*handlers[])()
        = { &TMainForm::SeSkinSpeedButton1Click, &TMainForm::SeSkinSpeedButton2Click,
              &TMainForm::SeSkinSpeedButton3Click, &TMainForm::SeSkinSpeedButton4Click,
              &TMainForm::SeSkinSpeedButton5Click, &TMainForm::SeSkinSpeedButton6Click,
              &TMainForm::SeSkinSpeedButton7Click, &TMainForm::SeSkinSpeedButton8Click,
              &TMainForm::SeSkinSpeedButton9Click, &TMainForm::SeSkinSpeedButton10Click, &TMainForm::N7Click,
              &TMainForm::C1Click, &TMainForm::N9Click, &TMainForm::N11Click, &TMainForm::N25Click,
              &TMainForm::N31Click, &TMainForm::N32Click, &TMainForm::IEC2Click, &TMainForm::CSA1Click,
              &TMainForm::N30Click, &TMainForm::N23Click, &TMainForm::Image1Click,
              &TMainForm::ExportCsv1Click, &TMainForm::Compliance1Click, &TMainForm::SetReference1Click,
              &TMainForm::LoadReference1Click, &TMainForm::ClearReference1Click, &TMainForm::Compare1Click };
    static_assert(std::size(handlers) == static_cast<size_t>(MainCommand::None));
    if (command != MainCommand::None)
        (form.*handlers[static_cast<int>(command)])();
}
