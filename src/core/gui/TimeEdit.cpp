#include "TimeEdit.h"
