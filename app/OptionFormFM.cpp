#include "OptionFormFM.h"

TOptionForm* OptionForm = nullptr;
