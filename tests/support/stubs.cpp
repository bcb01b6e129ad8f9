#include "stubs.h"
