// The program's one application object.
#include "ui/SetupApp.h"

CSetupApp application;
