#include "app/forms/Wiring.h"

#include "link/forms/communication.h"
#include "measure/MainControls.h"
#include "measure/forms/Main.h"

void ConnectCommAndMain(TCommForm *comm, TMainForm *main)
{
    comm->setMainComm(main->Comm1);
    QObject::connect(comm, &TCommForm::MainStatusChanged, main,
        [main](const QString &text) { main->setStatusText(TMainForm::PanelCommunication, text); });
    QObject::connect(comm, &TCommForm::SamplingControlsEnabled, main, [main](bool enabled) {
        main->ApplyControls(enabled ? AcquisitionEvent::Connected : AcquisitionEvent::Disconnected);
    });
    QObject::connect(comm, &TCommForm::BaudIndexChanged, main, &TMainForm::setBaudIndex);
    main->setBaudIndex(comm->SelectedBaudIndex());
    QObject::connect(main, &TMainForm::CommunicationRequested, comm, [comm] { comm->exec(); });
}
