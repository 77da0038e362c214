#include "AboutFormFM.h"
