// kmr5150-cli: the instrument from the command line, on the same cores as the program.

#include "cli/Commands.h"

int main(int argc, char **argv)
{
    return RunCli(argc, argv);
}
