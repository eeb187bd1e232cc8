#include "RSTEdit.h"
