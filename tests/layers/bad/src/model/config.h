#pragma once
#include "image/uses_model.h"
