// Everything the program uses of the window system.
#pragma once

#include "platform/sys/clock.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/forms.h"
#include "platform/ui/keys.h"
#include "platform/ui/screen.h"
#include "platform/ui/timer.h"
