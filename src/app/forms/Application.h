#pragma once

// The program's application object. Its event dispatch is the top-level handler: an error
// that ends a command is shown to the user with its text, and the program goes on.

#include <QApplication>

class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
