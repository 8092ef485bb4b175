// Entry point of Halyard.exe.
#include "app/halyard_app.h"

static CHalyardApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return theApp.Run(instance, showCommand);
}
