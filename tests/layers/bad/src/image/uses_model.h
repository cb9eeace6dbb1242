#pragma once
// A lower layer reaching up: the check must refuse it.
#include "model/config.h"
