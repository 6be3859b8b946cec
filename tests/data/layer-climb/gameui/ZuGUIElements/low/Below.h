// Includes a layer above its own: the layer check must fail on it.
#pragma once

#include "ZuGUIElements/high/Above.h"
