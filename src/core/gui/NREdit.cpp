#include "NREdit.h"
