#include "ui/kit/looks/Colors.h"

QColor getColor(double red, double green, double blue, double alpha) {
    return QColor::fromRgbF(static_cast<float>(red / 255.0), static_cast<float>(green / 255.0),
                            static_cast<float>(blue / 255.0), static_cast<float>(alpha));
}
