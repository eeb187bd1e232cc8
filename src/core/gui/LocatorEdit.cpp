#include "LocatorEdit.h"
