#include "ChartFormFM.h"

TChartForm* ChartForm = nullptr;
