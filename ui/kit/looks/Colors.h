#pragma once

#include <QColor>

// The colour of every fixed colour of the interface: components on the 0-255 scale, alpha 0-1.
QColor getColor(double red, double green, double blue, double alpha);
