#pragma once

// The common library's rounded buttons and shapes, and its colour numbers.
#include "suite/common_ui/blended_bit_btn.h"
#include "suite/common_ui/blended_shape.h"
#include "suite/common_ui/color_number.h"
