#pragma once
// The sensitivity transform and sums live beside the design routines that fill the slots.
#include "circuits/sensitivity.h"
