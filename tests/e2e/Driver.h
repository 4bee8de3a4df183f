// The whole end-to-end driver, which works a running program as an operator would: all its parts.
#pragma once

#include "tests/e2e/Controls.h"
#include "tests/e2e/DrawnFrames.h"
#include "tests/e2e/Geometry.h"
#include "tests/e2e/Keyboard.h"
#include "tests/e2e/MessageBoxes.h"
#include "tests/e2e/Messages.h"
#include "tests/e2e/Processes.h"
#include "tests/e2e/Screen.h"
#include "tests/e2e/Waiting.h"
#include "tests/e2e/WindowQueries.h"
