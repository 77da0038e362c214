#pragma once
// Dots per inch of the screen and the printer, and conversions between
// millimetres and dots.

namespace nuv {

// Horizontal logical dots per inch of the primary screen; 96 without one.
int GetDeskTopDpi();

// Horizontal dots per inch of the default printer at its own resolution;
// 0 when there is no default printer (or no print service).
int GetPrinterDpi();

// dpi × mm ÷ 25.4, without rounding.
double MmToPixel(double dpi, double mm);
// pixels ÷ (dpi ÷ 25.4), without rounding. Throws EZeroDivide when dpi is 0
// (as a printer that is not there gives).
double PixelToMm(double dpi, double pixels);

} // namespace nuv
