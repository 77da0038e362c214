#include "NuvDpi.h"

#include "Exception.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

#include <cmath>

namespace {

// Inches per millimetre, held at extended precision.
constexpr long double kInchPerMm = 0.03937007874015748L;

} // namespace

namespace nuv {

int GetDeskTopDpi()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 96;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchX())) : 96;
}

int GetPrinterDpi()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return 0;
    QPrinter printer(info, QPrinter::HighResolution);
    return printer.logicalDpiX();
}

double MmToPixel(double dpi, double mm)
{
    return static_cast<double>(dpi * mm * kInchPerMm);
}

double PixelToMm(double dpi, double pixels)
{
    const long double dotsPerMm = dpi * kInchPerMm;
    if (dotsPerMm == 0)
        throw EZeroDivide("Floating point division by zero");
    return static_cast<double>(pixels / dotsPerMm);
}

} // namespace nuv
